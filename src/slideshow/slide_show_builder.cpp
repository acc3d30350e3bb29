// SPDX-License-Identifier: GPL-3.0-or-later
#include "slideshow/slide_show_builder.h"

#include "app/app_state.h"
#include "app/paths.h"
#include "app/prompt.h"
#include "app/safe_files.h"
#include "app/settings.h"
#include "app/shell.h"
#include "app/window_layer.h"
#include "app/window_registry.h"
#include "panel/panel_state.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_show_file.h"
#include "slideshow/slide_sort.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <deque>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace lf {
namespace {

// Events run and Cancel is looked at no more often than this, so a scan of
// many entries does not spend its time repainting.
constexpr qint64 poll_interval_ms = 50;

const QString scan_message = QStringLiteral(
    "Scanning folders, this may take some time...\r\n(click Cancel to stop scanning)");
const QString read_message = QStringLiteral(
    "Scanning folders, this may take some time...\r\n(Click Cancel to stop scanning)");
const QString sort_message = QStringLiteral(
    "Sorting pictures, this may take some time...\r\n"
    "(click on Cancel if you will run the slide show only in random mode)");

bool picture_name(const char *name, size_t len)
{
    if (len < 4 || name[len - 4] != '.')
        return false;
    char ext[3];
    for (int i = 0; i < 3; ++i) {
        const char c = name[len - 3 + size_t(i)];
        ext[i] = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    }
    return std::memcmp(ext, "jpg", 3) == 0 || std::memcmp(ext, "gif", 3) == 0
        || std::memcmp(ext, "bmp", 3) == 0;
}

enum class Kind { Other, Folder, File };

// Never follows a link to a folder; a link to a file counts as the file.
Kind kind_of(int dir_fd, const dirent *e)
{
    unsigned char t = e->d_type;
    if (t == DT_UNKNOWN) {
        struct stat st;
        if (fstatat(dir_fd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            return Kind::Other;
        t = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG
          : S_ISLNK(st.st_mode) ? DT_LNK : DT_UNKNOWN;
    }
    if (t == DT_DIR)
        return Kind::Folder;
    if (t == DT_REG)
        return Kind::File;
    if (t == DT_LNK) {
        struct stat st;
        if (fstatat(dir_fd, e->d_name, &st, 0) == 0 && S_ISREG(st.st_mode))
            return Kind::File;
    }
    return Kind::Other;
}

QByteArray without_trailing_slash(const QString &folder)
{
    QByteArray f = QFile::encodeName(folder);
    while (f.size() > 1 && f.endsWith('/'))
        f.chop(1);
    return f;
}

QByteArray joined(const QByteArray &folder, const char *name)
{
    QByteArray full = folder;
    if (!full.endsWith('/'))
        full += '/';
    full += name;
    return full;
}

// Balances the busy pointer whatever way the build ends.
class Busy {
public:
    ~Busy() { set(false); }
    void set(bool on)
    {
        if (on != on_)
            hourglass(on);
        on_ = on;
    }

private:
    bool on_ = false;
};

void show_progress(const QString &text)
{
    windows().unload_please_wait();
    app().wait_signal = show_cancel;
    windows().show_please_wait(text);
    do_events();
}

// The pictures of the list file, at most max_slides; Cancel keeps what was
// read so far.
// Only a sort by date needs the file times: a sort by name asks the file
// system nothing more than the scan did (a show reads its list back and
// takes the times then).
std::vector<SortEntry> read_list_file(const QString &list_file, Busy &busy, bool with_times)
{
    std::vector<SortEntry> out;
    QFile in(list_file);
    if (!in.open(QIODevice::ReadOnly))
        return out;
    show_progress(read_message);
    QElapsedTimer poll;
    poll.start();
    while (!in.atEnd()) {
        if (poll.elapsed() >= poll_interval_ms) {
            do_events();
            poll.restart();
            if (cancel_was_pressed(app()))
                break;
        }
        QByteArray line = in.readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        if (int(out.size()) >= max_slides) {
            windows().unload_please_wait();
            busy.set(false);
            notify(too_many_files_message);
            break;
        }
        out.push_back(SortEntry{QFile::decodeName(line), with_times ? modification_ms(line).value_or(0) : 0});
    }
    return out;
}

std::vector<SortEntry> single_folder(const QString &dir, Busy &busy, bool with_times, int &skipped)
{
    std::vector<SortEntry> out;
    const QStringList names = folder_pictures(dir, &skipped);
    for (const QString &path : names) {
        if (int(out.size()) >= max_slides) {
            busy.set(false);
            notify(too_many_files_message);
            break;
        }
        out.push_back(SortEntry{path, with_times ? modification_ms(QFile::encodeName(path)).value_or(0) : 0});
    }
    return out;
}

void end_build_state()
{
    registry().busy_opening = false;
    app().wait_signal.clear();
    windows().unload_please_wait();
}

} // namespace

QStringList folder_in_show_order(const QString &folder, bool by_date, bool descending)
{
    std::vector<SortEntry> entries;
    for (const QString &path : folder_pictures(folder)) {
        if (int(entries.size()) >= max_slides)
            break;
        entries.push_back(SortEntry{path, by_date ? modification_ms(QFile::encodeName(path)).value_or(0) : 0});
    }
    sort_entries(entries, by_date, descending);
    QStringList out;
    out.reserve(int(entries.size()));
    for (SortEntry &e : entries)
        out << std::move(e.path);
    return out;
}

bool has_subfolders(const QString &folder)
{
    const QByteArray f = without_trailing_slash(folder);
    DIR *d = opendir(f.isEmpty() ? "/" : f.constData());
    if (!d)
        return false;
    bool found = false;
    while (const dirent *e = readdir(d)) {
        if (e->d_name[0] == '.' || std::strchr(e->d_name, '.'))
            continue;
        if (kind_of(dirfd(d), e) == Kind::Folder) {
            found = true;
            break;
        }
    }
    closedir(d);
    return found;
}

QStringList folder_pictures(const QString &folder, int *skipped)
{
    QStringList out;
    const QByteArray f = without_trailing_slash(folder);
    DIR *d = opendir(f.isEmpty() ? "/" : f.constData());
    if (!d)
        return out;
    while (const dirent *e = readdir(d)) {
        // Ordinary files only: hidden ones stay out, as the folder listing
        // leaves them out.
        if (e->d_name[0] == '.' || !picture_name(e->d_name, std::strlen(e->d_name))
            || kind_of(dirfd(d), e) != Kind::File)
            continue;
        const QByteArray full = joined(f, e->d_name);
        if (storable_path(full))
            out << QFile::decodeName(full);
        else if (skipped)
            ++*skipped;
    }
    closedir(d);
    return out;
}

ScanEnd scan_folder_tree(const QString &root, const QString &list_file, int *skipped)
{
    hourglass(true);
    show_progress(scan_message);

    QFile out(list_file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        hourglass(false);
        windows().unload_please_wait();
        return ScanEnd::Finished;
    }

    ScanEnd end = ScanEnd::Finished;
    std::deque<QByteArray> queue{without_trailing_slash(root)};
    QElapsedTimer poll;
    poll.start();
    while (!queue.empty() && end == ScanEnd::Finished) {
        const QByteArray folder = std::move(queue.front());
        queue.pop_front();
        DIR *d = opendir(folder.isEmpty() ? "/" : folder.constData());
        if (!d)
            continue; // unreadable: the rest of the tree still counts
        while (const dirent *e = readdir(d)) {
            if (poll.elapsed() >= poll_interval_ms) {
                do_events();
                poll.restart();
                if (cancel_was_pressed(app())) {
                    end = ScanEnd::Cancelled;
                    break;
                }
                if (app().escape_pressed) {
                    app().escape_pressed = false;
                    end = ScanEnd::Escaped;
                    break;
                }
            }
            const char *name = e->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                continue;
            const bool picture = picture_name(name, std::strlen(name));
            const Kind kind = kind_of(dirfd(d), e);
            if (kind == Kind::Folder) {
                queue.push_back(joined(folder, name));
            } else if (picture && kind == Kind::File) {
                QByteArray full = joined(folder, name);
                if (storable_path(full)) {
                    full += '\n';
                    out.write(full);
                } else if (skipped) {
                    ++*skipped;
                }
            }
        }
        closedir(d);
    }
    out.close();
    hourglass(false);
    windows().unload_please_wait();
    return end;
}

void build_slide_show(const QString &folder, bool build_only)
{
    AppState &a = app();
    SlideList &s = slides();
    Busy busy;

    if (!folder.isEmpty()) {
        a.selected_folder = folder;
    } else {
        a.selected_folder = get_setting(key::last_slide_show_dir);
        hourglass(false);
        FolderRequest r;
        r.start = a.selected_folder;
        a.selected_folder = prompt().folder(r);
        do_events();
    }
    if (a.selected_folder.isEmpty())
        return;

    busy.set(true);
    save_setting(key::last_slide_show_dir, a.selected_folder);
    QString dir = a.selected_folder;
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    s.slide_count = 0;

    bool whole_tree = false;
    if (!build_only && has_subfolders(dir)) {
        windows().unload_please_wait();
        switch (ask(include_subfolders_question, Buttons::YesNoCancel, Icon::Question)) {
        case Answer::Yes: whole_tree = true; break;
        case Answer::No: break;
        default: return;
        }
    }

    const bool by_date = panel_state().sort_by_datetime;
    std::vector<SortEntry> entries;
    int skipped = 0;
    if (whole_tree) {
        QDir().mkpath(a.tmp_pic_dir);
        busy.set(true);
        const QString list_file = a.tmp_pic_dir + QStringLiteral("/dirscan.tmp");
        const ScanEnd end = scan_folder_tree(dir, list_file, &skipped);
        if (end == ScanEnd::Escaped) {
            // The main panel is being closed: nothing is shown any more.
            QFile::remove(list_file);
            end_build_state();
            return;
        }
        entries = read_list_file(list_file, busy, by_date);
        QFile::remove(list_file);
        windows().unload_please_wait();
    } else {
        entries = single_folder(dir, busy, by_date, skipped);
    }
    if (skipped > 0) {
        busy.set(false);
        notify(unstorable_names_message(skipped));
    }

    busy.set(true);
    registry().busy_opening = true;
    if (entries.empty()) {
        end_build_state();
        busy.set(false);
        notify(no_pictures_message);
        return;
    }
    show_progress(sort_message);
    sort_entries(entries, by_date, panel_state().sort_descending, [] {
        do_events();
        return cancel_was_pressed(app());
    });

    s.slide_count = int(entries.size());
    for (int i = 1; i <= s.slide_count; ++i) {
        Slide &slot = s.slot(i);
        slot.path = entries[size_t(i - 1)].path;
        slot.seen = false;
        slot.time = by_date ? QDateTime::fromMSecsSinceEpoch(entries[size_t(i - 1)].time_ms, Qt::UTC)
                            : QDateTime();
    }

    const QString file = a.tmp_pic_dir + QStringLiteral("/_slideshow.ssf");
    save_setting(key::last_slide_show, file);
    QDir().mkpath(a.tmp_pic_dir);
    QByteArray text;
    for (int i = 1; i <= s.slide_count; ++i) {
        text += s.slot(i).path.toUtf8();
        text += '\n';
    }
    const FileFault written = replace_file(file, text);
    end_build_state();
    if (written.failed()) {
        busy.set(false);
        report(written);
        return;
    }
    s.slide_show_file = file;
    s.own_file = false;

    if (!build_only)
        read_slide_show_file();
    busy.set(false);
}

} // namespace lf
