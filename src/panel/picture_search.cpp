// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/picture_search.h"

#include "app/paths.h"

#include <QElapsedTimer>
#include <QFile>

#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

namespace lf {

QString search_question(const SearchFields &f, const QString &start_dir)
{
    QString q = QStringLiteral("All gif/jpg/bmp files ");
    if (!f.field1.isEmpty() || !f.field2.isEmpty() || !f.field3.isEmpty()) {
        q += f.use_and ? QStringLiteral(" whose names contain string in 'find 1' and string in 'find 2' and "
                                        "string in 'find 3' ")
                       : QStringLiteral(" whose names contain string in 'find 1' or string in 'find 2' or "
                                        "string in 'find 3' ");
    }
    q += QStringLiteral(" in directory ") + QLatin1Char('"') + start_dir + QLatin1Char('"')
       + QStringLiteral(" and all subdirectories will be searched. Proceed?");
    return q;
}

bool path_matches(const QString &path, const SearchFields &f)
{
    int active = 0, matched = 0;
    for (const QString *field : {&f.field1, &f.field2, &f.field3}) {
        if (field->trimmed().isEmpty())
            continue;
        ++active;
        if (path.contains(*field, Qt::CaseInsensitive))
            ++matched;
    }
    if (active == 0)
        return true;
    return f.use_and ? matched == active : matched > 0;
}

QString search_thumbnail_prefix(const SearchFields &f)
{
    QString p = (f.use_and ? QStringLiteral("search_and_") : QStringLiteral("search_or_")) + f.field1
              + QLatin1Char('$') + f.field2 + QLatin1Char('$') + f.field3 + QLatin1Char('_');
    for (QChar &c : p)
        if (c == QLatin1Char('/') || c == QChar(0))
            c = QLatin1Char('_');
    return p;
}

QString search_counts_text(qint64 folders, qint64 entries, qint64 found)
{
    return QStringLiteral("directories searched: ") + QString::number(folders)
         + QStringLiteral("  --  files searched: ") + QString::number(entries)
         + QStringLiteral("  --  files found: ") + QString::number(found) + QLatin1Char(' ');
}

namespace {

bool picture_name(const char *name, size_t len)
{
    if (len < 4)
        return false;
    const char *e = name + len - 4;
    if (e[0] != '.')
        return false;
    char x[3];
    for (int i = 0; i < 3; ++i)
        x[i] = char(e[i + 1] | 0x20);
    return (x[0] == 'j' && x[1] == 'p' && x[2] == 'g') || (x[0] == 'g' && x[1] == 'i' && x[2] == 'f')
        || (x[0] == 'b' && x[1] == 'm' && x[2] == 'p');
}

} // namespace

PictureSearch::PictureSearch(const QString &start_dir, const SearchFields &fields) : fields_(fields)
{
    queue_.push_back(QFile::encodeName(start_dir));
}

PictureSearch::~PictureSearch() { close_folder(); }

bool PictureSearch::done() const { return !dir_ && queue_.empty(); }

void PictureSearch::close_folder()
{
    if (dir_)
        closedir(static_cast<DIR *>(dir_));
    dir_ = nullptr;
}

bool PictureSearch::open_next_folder()
{
    while (!queue_.empty()) {
        current_ = queue_.front();
        queue_.pop_front();
        if (current_.endsWith('/'))
            current_.chop(1);
        ++folders_;
        dir_ = opendir(current_.isEmpty() ? "/" : current_.constData());
        if (dir_)
            return true; // an unreadable folder is counted and skipped
    }
    return false;
}

bool PictureSearch::step(int budget_ms)
{
    QElapsedTimer clock;
    clock.start();
    int since_check = 0;
    for (;;) {
        if (!dir_ && !open_next_folder())
            return false;
        const dirent *e = readdir(static_cast<DIR *>(dir_));
        if (!e) {
            close_folder();
        } else {
            const char *name = e->d_name;
            if (!(name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))) {
                ++entries_;
                const size_t len = std::strlen(name);
                QByteArray full;
                full.reserve(current_.size() + qsizetype(len) + 1);
                full += current_;
                full += '/';
                full.append(name, qsizetype(len));
                unsigned char type = e->d_type;
                if (type == DT_UNKNOWN) {
                    struct stat st;
                    type = (lstat(full.constData(), &st) == 0 && S_ISDIR(st.st_mode)) ? DT_DIR : DT_REG;
                }
                if (type == DT_DIR) {
                    queue_.push_back(full);
                } else if (picture_name(name, len)) {
                    const QString path = QFile::decodeName(full);
                    if (path_matches(path, fields_)) {
                        if (storable_path(full))
                            found_ << path;
                        else
                            ++skipped_;
                    }
                }
            }
        }
        if (budget_ms > 0 && ++since_check >= 256) {
            since_check = 0;
            if (clock.elapsed() >= budget_ms)
                return !done();
        }
    }
}

} // namespace lf
