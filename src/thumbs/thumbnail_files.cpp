// SPDX-License-Identifier: GPL-3.0-or-later
#include "thumbs/thumbnail_files.h"

#include "app/app_state.h"
#include "app/paths.h"
#include "app/prompt.h"
#include "app/random.h"
#include "app/safe_files.h"
#include "app/screen.h"
#include "app/settings.h"
#include "app/shell.h"
#include "app/window_layer.h"
#include "app/window_registry.h"
#include "panel/panel_state.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_show_builder.h"
#include "thumbs/thumbnail_state.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <numeric>
#include <vector>

namespace lf {

ThumbnailGrid thumbnail_grid_for(int screen_width)
{
    if (screen_width == 9600)
        return {5, 10};
    if (screen_width == 12000)
        return {6, 18};
    return {7, 28};
}

void set_thumbnail_grid()
{
    const ThumbnailGrid g = thumbnail_grid_for(screen_width());
    thumbnails().thumbnail_columns = g.columns;
    thumbnails().thumbnails_per_file = g.per_file;
}

void order_pictures(QStringList &pictures, const PictureOrder &order)
{
    const int n = int(pictures.size());
    if (n < 2)
        return;
    if (order.random) {
        for (int i = 0; i < n - 1; ++i)
            pictures.swapItemsAt(i, random_below(n));
        return;
    }
    std::vector<int> idx(static_cast<size_t>(n), 0);
    std::iota(idx.begin(), idx.end(), 0);
    if (order.by_datetime) {
        std::vector<qint64> t(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i)
            t[size_t(i)] = modification_time(pictures[i]).toSecsSinceEpoch();
        std::stable_sort(idx.begin(), idx.end(), [&](int a, int b) {
            return order.descending ? t[size_t(a)] > t[size_t(b)] : t[size_t(a)] < t[size_t(b)];
        });
    } else {
        std::stable_sort(idx.begin(), idx.end(), [&](int a, int b) {
            const int c = pictures[a].compare(pictures[b], Qt::CaseInsensitive);
            return order.descending ? c > 0 : c < 0;
        });
    }
    QStringList sorted;
    sorted.reserve(n);
    for (int i : idx)
        sorted << pictures[i];
    pictures = sorted;
}

bool collect_folder_pictures(const QString &folder, const PictureOrder &order)
{
    ThumbnailState &t = thumbnails();
    t.list_position = 0;
    t.file_counter = 0;
    // A folder build is not capped: every picture gets a sheet.
    int skipped = 0;
    t.picture_list = folder_pictures(folder, &skipped);
    if (skipped > 0)
        notify(unstorable_names_message(skipped));
    order_pictures(t.picture_list, order);
    return write_thumbnail_files(folder, folder_thumbnail_prefix);
}

QString sequence_number(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

namespace {

void delete_sequence(const QString &dir, const QString &prefix)
{
    // Compared by hand: the prefix may hold wildcard characters typed into
    // the search fields.
    const QStringList names = QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Unsorted);
    for (const QString &name : names)
        if (name.startsWith(prefix) && name.endsWith(QLatin1String(".tnf"), Qt::CaseInsensitive))
            QFile::remove(dir + name);
}

} // namespace

bool write_thumbnail_files(const QString &, const QString &prefix)
{
    set_thumbnail_grid();
    ThumbnailState &t = thumbnails();
    const int count = int(t.picture_list.size());
    if (count == 0)
        return false;
    app().selected_folder = app().tmp_pic_dir;
    QString dir = app().selected_folder;
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    delete_sequence(dir, prefix);

    const int per_file = qMax(1, t.thumbnails_per_file);
    bool first = true;
    while (t.list_position < count) {
        ++t.file_counter;
        const QString name = dir + prefix + sequence_number(t.file_counter) + QStringLiteral(".tnf");
        QByteArray bytes;
        for (int lines = 0; lines < per_file && t.list_position < count; ++lines) {
            bytes += t.picture_list[t.list_position++].toUtf8();
            bytes += "\r\n";
        }
        const FileFault f = replace_file(name, bytes);
        if (f.failed()) {
            report(f);
            return !first;
        }
        if (first) {
            save_setting(key::last_thumbnail_file, name);
            save_setting(key::last_picture_file, t.picture_list.first());
            app().last_picture_file = t.picture_list.first();
            first = false;
        }
        t.current_thumbnail_file = name;
    }
    return true;
}

void open_thumbnail_window()
{
    // The sheet window unloads its previous instance itself; the flag keeps
    // that unload from ending the process.
    registry().busy_opening = true;
    windows().load_thumbnail_sheet();
    registry().busy_opening = false;
}

void build_and_show_thumbnails(const QString &folder)
{
    AppState &a = app();
    if (!folder.isEmpty()) {
        a.selected_folder = folder;
    } else {
        FolderRequest r;
        r.start = folder_of(get_setting(key::last_picture_file));
        a.selected_folder = prompt().folder(r);
        do_events();
    }
    if (a.selected_folder.isEmpty())
        return;

    hourglass(true);
    do_events();
    const PictureOrder order{slides().random_order, panel_state().sort_by_datetime,
                             panel_state().sort_descending};
    collect_folder_pictures(a.selected_folder, order);
    hourglass(false);
    select_thumbnail_file(true);
}

void select_thumbnail_file(bool take_last)
{
    ThumbnailState &t = thumbnails();
    const QString last = get_setting(key::last_thumbnail_file);
    bool ask = !(take_last && file_exists(last) && !is_folder(last));
    for (;;) {
        if (ask) {
            FileRequest r;
            r.kind = FileRequest::Open;
            r.title = QStringLiteral("Select any thumbnail file");
            r.filter = QStringLiteral("Thumbnail file (*.tnf);;All files (*)");
            if (file_exists(last))
                r.start = last;
            else if (is_folder(folder_of(last)))
                r.start = folder_of(last);
            t.current_thumbnail_file = prompt().file(r);
        } else {
            t.current_thumbnail_file = last;
        }
        const QString &cur = t.current_thumbnail_file;
        if (cur.isEmpty())
            return;
        if (cur.right(4).compare(QLatin1String(".tnf"), Qt::CaseInsensitive) != 0) {
            notify(QStringLiteral("Not a valid thumbnail file"));
            return;
        }
        if (!file_exists(cur) || is_folder(cur)) {
            notify(QStringLiteral("File not found"));
            ask = true;
            continue;
        }
        break;
    }
    save_setting(key::last_thumbnail_file, t.current_thumbnail_file);
    hourglass(true);
    open_thumbnail_window();
    hourglass(false);
}

} // namespace lf
