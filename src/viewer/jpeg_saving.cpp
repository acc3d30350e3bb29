// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer/jpeg_saving.h"

#include "app/app_state.h"
#include "app/file_changes.h"
#include "app/file_commands.h"
#include "app/paths.h"
#include "app/picture_versions.h"
#include "app/safe_files.h"
#include "app/prompt.h"
#include "app/settings.h"
#include "app/shell.h"
#include "app/window_layer.h"
#include "slideshow/slide_list.h"
#include "viewer/cDIBSection.h"
#include "viewer/mTurboJPEGLibrary.h"
#include "viewer/picture_loader.h"
#include "viewer/viewer_state.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QPainter>

#include <cerrno>
#include <cstdio>

namespace lf {
namespace {

// The file of `folder` called `name` in any letter case, or "".
QString find_any_case(const QString &folder, const QString &name)
{
    const QString exact = folder + QLatin1Char('/') + name;
    if (QFileInfo(exact).isFile())
        return exact;
    QDirIterator it(folder.isEmpty() ? QStringLiteral("/") : folder,
                    QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        it.next();
        if (it.fileName().compare(name, Qt::CaseInsensitive) == 0)
            return folder + QLatin1Char('/') + it.fileName();
    }
    return {};
}

QString save_failure_text(const QString &target)
{
    return QStringLiteral("Failed to save the picture to the file: '") + target + QStringLiteral("'");
}

void offer_to_delete(const QString &target, const QString &extension)
{
    const QString folder = folder_of(target);
    const QString name = file_name_of(target);
    const QString path = find_any_case(folder, name.left(qMax(0, name.size() - 4)) + extension);
    if (path.isEmpty())
        return;
    if (ask(QStringLiteral("Do you want to delete file ") + path + QLatin1Char('?'), Buttons::YesNo,
            Icon::Question)
        != Answer::Yes)
        return;
    delete_with_backup(path);
}

} // namespace

QString proposed_jpeg_name(const QString &picture_path)
{
    const QString name = file_name_of(picture_path);
    if (has_jpeg_extension(name))
        return name;
    return name.left(qMax(0, name.size() - 4)) + QStringLiteral(".jpg");
}

bool has_jpeg_extension(const QString &path)
{
    return path.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive);
}

bool same_file(const QString &a, const QString &b)
{
    const QFileInfo x(a);
    const QFileInfo y(b);
    if (x.exists() && y.exists())
        return x.canonicalFilePath() == y.canonicalFilePath();
    return QDir::cleanPath(x.absoluteFilePath()) == QDir::cleanPath(y.absoluteFilePath());
}

namespace {

bool compose_pixels(const QImage &picture, const VisibleFractions &f, bool resized, QSize inner,
                    const QColor &background, cDIBSection &out)
{
    const QRect visible = crop_pixel_rect(f, picture.size());
    const QRect inside = visible & picture.rect();
    if (!resized) {
        if (f.uncropped() || visible == picture.rect())
            return out.CreateFromPicture(picture);
        if (!out.Create(visible.width(), visible.height()))
            return false;
        if (inside != visible)
            out.hdc().fill(background);
        out.LoadPictureBlt(picture, visible.left(), visible.top());
        return true;
    }
    if (!out.Create(inner.width(), inner.height()))
        return false;
    out.hdc().fill(background);
    if (inside.isEmpty())
        return true;
    // The visible part maps onto the whole inner size; draw only the part
    // that is picture, at its place in that mapping.
    const double sx = double(inner.width()) / visible.width();
    const double sy = double(inner.height()) / visible.height();
    const QRectF target((inside.left() - visible.left()) * sx, (inside.top() - visible.top()) * sy,
                        inside.width() * sx, inside.height() * sy);
    QPainter p(&out.hdc());
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(target, picture, QRectF(inside));
    return true;
}

} // namespace

bool compose_for_saving(const QImage &picture, const VisibleFractions &f, bool resized, QSize inner,
                        const QColor &background, cDIBSection &out)
{
    if (picture.isNull() || !compose_pixels(picture, f, resized, inner, background, out))
        return false;
    // The numbers stay the file's own, so its profile goes with them.
    out.set_color_profile(cDIBSection::profile_of(picture));
    return true;
}

bool save_and_decide(JpegSaveHost &host, const QString &picture_path, const QString &target,
                     int quality, const cDIBSection &dib, bool start_cropping)
{
    const QString failure = save_failure_text(target);
    hourglass(true);
    const QString tmp = app().tmp_pic_dir;
    bool saved = make_versions_folder(tmp, picture_path);
    const QString work = work_file_for(tmp, picture_path);
    if (saved) {
        try {
            saved = SaveJPG(dib, work, quality);
        } catch (const JpegError &) {
            saved = false;
        }
    }
    if (!saved) {
        hourglass(false);
        ask(failure, Buttons::Ok, Icon::Exclamation);
        return false;
    }

    host.open_preview(work);
    do_events();
    save_setting(key::last_saved_file, target);
    hourglass(false);

    const bool replacing = same_file(target, picture_path);
    Answer a;
    if (!replacing) {
        host.set_preview_caption(target);
        a = ask(QStringLiteral("Do you want to keep the new picture?"), Buttons::YesNo, Icon::Question);
    } else {
        a = ask(QStringLiteral("Do you want to replace ") + target + QStringLiteral(" with the new picture?"),
                Buttons::YesNo, Icon::Question);
    }
    if (a != Answer::Yes) {
        host.close_preview();
        return false;
    }

    // The file about to be replaced is backed up under its own path, checked,
    // before it may be replaced: once as it was before its first change in
    // this run (kept), and as the newest backup (which Restore swaps).
    if (file_exists(target)) {
        FileFault f;
        if (!make_versions_folder(tmp, target))
            f = fault_of(errno);
        const QString first = first_backup_for(tmp, target);
        if (!f.failed() && !QFileInfo::exists(first))
            f = replace_file_with_copy(first, target, true);
        if (!f.failed())
            f = replace_file_with_copy(newest_backup_for(tmp, target), target, true);
        if (f.failed()) {
            host.close_preview();
            report(f);
            return false;
        }
    }
    const FileFault placed = replace_file_with_copy(target, work);
    if (placed.failed()) {
        host.close_preview();
        report(placed);
        return false;
    }
    file_changed(target);
    if (!same_file(work, target))
        QFile::remove(work);

    if (!replacing) {
        if (file_exists(target)) {
            host.close_preview();
            windows().open_picture(target, true);
            host.close_window();
        } else {
            host.activate();
        }
        return true;
    }
    host.close_preview();
    if (start_cropping)
        host.close_window();
    else
        host.reload_after_replace();
    return true;
}

void save_as_jpeg(JpegSaveHost &host, const JpegSaveRequest &r)
{
    FileRequest dialog;
    dialog.kind = FileRequest::Save;
    dialog.title = r.resized ? QStringLiteral("Save image in JPEG format with resized resolution")
                             : QStringLiteral("Save image in JPEG format with original resolution");
    const QString folder = folder_of(get_setting(key::last_picture_file));
    const QString proposed = proposed_jpeg_name(r.picture_path);
    dialog.start = folder.isEmpty() ? proposed : folder + QLatin1Char('/') + proposed;
    dialog.filter = QStringLiteral("Image (*.jpg);;All files (*.*)");
    dialog.confirm_overwrite = !r.start_cropping;
    dialog.default_suffix = QStringLiteral("jpg");

    QString target;
    for (;;) {
        target = ask_save_path(dialog);
        if (target.isEmpty())
            return;
        if (has_jpeg_extension(target))
            break;
        notify(QStringLiteral("File extension cannot be different than '.JPG'. (") + target
               + QLatin1Char(')'));
    }

    save_setting(key::last_saved_file, target);
    do_events();
    hourglass(true);
    bool kept = false;
    cDIBSection dib;
    const VisibleFractions f = visible_fractions(r.view, r.frame_width, r.frame_height);
    const QSize inner = inner_pixel_size(r.view.window_width, r.view.window_height, r.frame_width,
                                         r.frame_height, r.pixel_ratio);
    const QImage picture = load_picture(r.picture_path, QSize(), PictureColours::AsStored);
    if (compose_for_saving(picture, f, r.resized, inner, r.background, dib)) {
        kept = save_and_decide(host, r.picture_path, target, r.quality, dib, r.start_cropping);
    } else {
        ask(save_failure_text(target), Buttons::Ok, Icon::Exclamation);
    }
    dib.ClearUp();
    do_events();
    hourglass(false);

    // Only once the JPEG is really there may the old GIF or BMP go.
    if (kept && file_exists(target)) {
        offer_to_delete(target, QStringLiteral(".gif"));
        offer_to_delete(target, QStringLiteral(".bmp"));
    }
    if (r.start_cropping && slides().slide_show_active) {
        host.clear_start_cropping();
        host.close_window();
    }
}

bool restore_picture(const QString &path)
{
    const QString tmp = app().tmp_pic_dir;
    if (!has_backup(tmp, path)) {
        notify(QStringLiteral("Backup file with same file name not found"));
        return false;
    }
    const QString newest = newest_backup_for(tmp, path);
    const QString backup = QFileInfo(newest).isFile() ? newest : first_backup_for(tmp, path);
    // Each copy lands whole or not at all, so a failure at any step still
    // leaves the picture and its backup on disk. The first backup is only
    // ever read.
    const QString spare = restore_spare_for(tmp, path);
    const bool had_picture = file_exists(path);
    if (had_picture) {
        const FileFault f = replace_file_with_copy(spare, path, true);
        if (f.failed()) {
            report(f);
            return false;
        }
        do_events();
    }
    const FileFault f = replace_file_with_copy(path, backup);
    file_changed(path);
    if (f.failed()) {
        // The picture is untouched, so its spare copy is not needed.
        QFile::remove(spare);
        report(f);
        return false;
    }
    do_events();
    if (had_picture
        && ::rename(QFile::encodeName(spare).constData(), QFile::encodeName(newest).constData()) != 0) {
        report(fault_of(errno));
        return false;
    }
    return true;
}

int current_jpeg_quality()
{
    ViewerState &v = viewer();
    if (v.jpeg_quality == 0) {
        v.jpeg_quality = numeric_int(get_setting(key::jpeg_quality));
        if (v.jpeg_quality == 0) {
            v.jpeg_quality = 80;
            save_setting(key::jpeg_quality, QStringLiteral("80"));
        }
    }
    return v.jpeg_quality;
}

} // namespace lf
