// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/file_name_tools.h"

#include "app/app_state.h"
#include "app/paths.h"
#include "app/prompt.h"
#include "app/settings.h"
#include "app/shell.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lf {
namespace {

// One listed file: the bytes the file system holds (names need not be valid
// UTF-8) and the text they read as.
struct Entry {
    QByteArray raw;
    QString name;
};

bool listed_before(const Entry &a, const Entry &b)
{
    const int c = a.name.compare(b.name, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a.raw < b.raw;
}

// A name as compared for letter case.
QString folded(const QByteArray &raw) { return QFile::decodeName(raw).toCaseFolded(); }

// Ordinary files only: no hidden ones, no folders, no links or devices.
// taken gets every name of the folder, case-folded.
std::vector<Entry> list_files(int dir_fd, std::set<QString> &taken)
{
    std::vector<Entry> out;
    const int fd = dup(dir_fd);
    if (fd < 0)
        return out;
    DIR *d = fdopendir(fd);
    if (!d) {
        close(fd);
        return out;
    }
    while (dirent *e = readdir(d)) {
        taken.insert(folded(QByteArray(e->d_name)));
        if (e->d_name[0] == '.')
            continue;
        struct stat st {};
        if (fstatat(dir_fd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
            continue;
        const QByteArray raw(e->d_name);
        out.push_back({raw, QFile::decodeName(raw)});
    }
    closedir(d);
    std::sort(out.begin(), out.end(), listed_before);
    return out;
}

// The new name in file-system bytes, "" when none can be made.
QByteArray new_raw_name(RenameKind kind, const Entry &e, const QString &string, int count)
{
    const QByteArray s = QFile::encodeName(string);
    switch (kind) {
    case RenameKind::AddString:
        return s + e.raw;
    case RenameKind::RemoveString: {
        // The matched characters as the file spells them.
        const QByteArray prefix = QFile::encodeName(e.name.left(string.size()));
        return e.raw.startsWith(prefix) ? e.raw.mid(prefix.size()) : QByteArray();
    }
    case RenameKind::SequenceNumbers:
        return s + QByteArray::number(count).rightJustified(4, '0') + e.raw.right(4);
    }
    return {};
}

// A name a file in this folder can take and still be seen: a name beginning
// with "." would hide it from every listing, this program's too.
bool usable_name(const QByteArray &raw) { return !raw.isEmpty() && raw[0] != '.' && !raw.contains('/'); }

// Never replaces an existing file.
int rename_no_replace(int dir_fd, const QByteArray &from, const QByteArray &to)
{
    if (renameat2(dir_fd, from.constData(), dir_fd, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // File systems without the flag: check first.
    struct stat st {};
    if (fstatat(dir_fd, to.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0)
        return EEXIST;
    return renameat(dir_fd, from.constData(), dir_fd, to.constData()) == 0 ? 0 : errno;
}

} // namespace

bool name_qualifies(RenameKind kind, const QString &name, const QString &string)
{
    if (string.isEmpty())
        return false;
    switch (kind) {
    case RenameKind::AddString:
        return !name.contains(string, Qt::CaseInsensitive);
    case RenameKind::RemoveString:
        return name.startsWith(string, Qt::CaseInsensitive);
    case RenameKind::SequenceNumbers:
        return is_picture_file(name.right(4)) && !name.contains(string, Qt::CaseInsensitive);
    }
    return false;
}

QString new_name_for(RenameKind kind, const QString &name, const QString &string, int count)
{
    switch (kind) {
    case RenameKind::AddString:
        return string + name;
    case RenameKind::RemoveString:
        return name.mid(string.size());
    case RenameKind::SequenceNumbers:
        return string + QString::number(count).rightJustified(4, QLatin1Char('0')) + name.right(4);
    }
    return {};
}

QString string_problem(RenameKind kind, const QString &string)
{
    if (string.contains(QLatin1Char('/')))
        return QStringLiteral("The string cannot contain \"/\": file names cannot hold it.");
    if (kind != RenameKind::RemoveString && string.startsWith(QLatin1Char('.')))
        return QStringLiteral("The string cannot begin with \".\": the files would become hidden.");
    return {};
}

RenameRun rename_files(const QString &folder, RenameKind kind, const QString &string,
                       const std::function<void()> &after_each)
{
    RenameRun run;
    if (string.isEmpty() || !string_problem(kind, string).isEmpty())
        return run;
    const int dir_fd = open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir_fd < 0)
        return run;

    // The listing is kept in step with every rename, so that starting again
    // from the top costs nothing: everything above `from` is known not to
    // qualify, and a renamed file goes back into its place in the order.
    std::set<QString> taken;
    std::vector<Entry> listing = list_files(dir_fd, taken);
    std::set<QByteArray> tried; // names whose rename failed: once per run
    size_t from = 0;
    for (;;) {
        size_t i = from;
        while (i < listing.size()
               && (tried.count(listing[i].raw) || !name_qualifies(kind, listing[i].name, string)))
            ++i;
        if (i >= listing.size())
            break;

        const Entry old = listing[i];
        const QByteArray raw = new_raw_name(kind, old, string, run.count + 1);
        const QString shown = QFile::decodeName(raw);
        int err = 0;
        if (!usable_name(raw)) {
            run.skipped.append({old.name, shown, RenameSkip::Invalid, {}});
            err = -1;
        } else if (taken.count(folded(raw))) {
            // Another file holds the name in another letter case: the two
            // could not be told apart, and a volume that folds case would
            // refuse or replace it.
            run.skipped.append({old.name, shown, RenameSkip::Exists, {}});
            err = -1;
        } else if ((err = rename_no_replace(dir_fd, old.raw, raw)) != 0) {
            if (err == EEXIST || err == ENOTEMPTY)
                run.skipped.append({old.name, shown, RenameSkip::Exists, {}});
            else
                run.skipped.append({old.name, shown, RenameSkip::Refused,
                                    QString::fromLocal8Bit(std::strerror(err))});
        }
        if (err != 0) {
            tried.insert(old.raw);
            from = i + 1;
        } else {
            ++run.count;
            run.last_new_name = shown;
            taken.erase(folded(old.raw));
            taken.insert(folded(raw));
            listing.erase(listing.begin() + std::ptrdiff_t(i));
            const Entry renamed{raw, shown};
            const auto at = std::lower_bound(listing.begin(), listing.end(), renamed, listed_before);
            const size_t j = size_t(at - listing.begin());
            listing.insert(at, renamed);
            from = std::min(i, j);
        }
        if (after_each)
            after_each();
    }
    close(dir_fd);
    return run;
}

QString rename_report(const RenameRun &run)
{
    QString text = QString::number(run.count) + QStringLiteral(" files renamed.");
    if (run.skipped.isEmpty())
        return text;
    text += QStringLiteral("\n\n") + QString::number(run.skipped.size())
          + QStringLiteral(" files were left as they are:");
    constexpr int shown_at_most = 15;
    for (int k = 0; k < run.skipped.size() && k < shown_at_most; ++k) {
        const RenameSkip &s = run.skipped[k];
        text += QStringLiteral("\n") + s.name + QStringLiteral(": ");
        switch (s.reason) {
        case RenameSkip::Exists:
            text += QStringLiteral("\"") + s.new_name + QStringLiteral("\" already exists");
            break;
        case RenameSkip::Invalid:
            text += s.new_name.isEmpty() ? QStringLiteral("the new name would be empty")
                  : s.new_name.startsWith(QLatin1Char('.'))
                      ? QStringLiteral("\"") + s.new_name
                            + QStringLiteral("\" would begin with \".\" and be hidden")
                      : QStringLiteral("\"") + s.new_name + QStringLiteral("\" is no valid name");
            break;
        case RenameSkip::Refused:
            text += s.detail;
            break;
        }
    }
    if (run.skipped.size() > shown_at_most)
        text += QStringLiteral("\n... and ") + QString::number(run.skipped.size() - shown_at_most)
              + QStringLiteral(" more.");
    return text;
}

namespace {

void run_command(RenameKind kind, const QString &title, const QString &question)
{
    AppState &a = app();
    a.selected_folder = folder_of(get_setting(key::last_picture_file));
    FolderRequest fr;
    fr.start = a.selected_folder;
    a.selected_folder = prompt().folder(fr);
    do_events();
    if (a.selected_folder.isEmpty())
        return;
    const QString folder = a.selected_folder;

    InputRequest ir;
    ir.title = title;
    ir.prompt = question;
    const QString string = prompt().input(ir);
    if (string.isEmpty())
        return;
    const QString problem = string_problem(kind, string);
    if (!problem.isEmpty()) {
        notify(problem);
        return;
    }

    hourglass(true);
    const RenameRun run = rename_files(folder, kind, string, [] { do_events(); });
    const QString base = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    // Remove string always names the folder; the other two keep the old
    // value when nothing changed, since it still names a file.
    if (kind == RenameKind::RemoveString || run.count > 0) {
        a.last_picture_file = base + run.last_new_name;
        save_setting(key::last_picture_file, a.last_picture_file);
    }
    hourglass(false);
    notify(rename_report(run));
}

} // namespace

void add_string_to_names()
{
    run_command(RenameKind::AddString,
                QStringLiteral("Adding string to names of files in a given directory"),
                QStringLiteral("String to be added?"));
}

void remove_string_from_names()
{
    run_command(RenameKind::RemoveString,
                QStringLiteral("Removing string from names of files in a given directory"),
                QStringLiteral("String to removed?"));
}

void rename_to_sequence_numbers()
{
    run_command(RenameKind::SequenceNumbers, QStringLiteral("Renaming files to sequence numbers"),
                QStringLiteral("String to be added?"));
}

} // namespace lf
