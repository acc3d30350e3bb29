// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/picture_versions.h"
#include "app/settings.h"
#include "fake_windows.h"
#include "scripted_prompt.h"
#include "slideshow/slide_list.h"
#include "fault_injection.h"
#include "test_env.h"
#include "viewer/cDIBSection.h"
#include "viewer/jpeg_saving.h"
#include "viewer/viewer_state.h"

#include <QColorSpace>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QtTest>


using namespace lf;

namespace {
constexpr int fw = 120;
constexpr int fh = 405;

// Records what the save asks of its window.
struct FakeHost : JpegSaveHost {
    QStringList calls;
    void open_preview(const QString &f) override { calls << QStringLiteral("open_preview ") + f; }
    void set_preview_caption(const QString &c) override { calls << QStringLiteral("caption ") + c; }
    void close_preview() override { calls << QStringLiteral("close_preview"); }
    void close_window() override { calls << QStringLiteral("close_window"); }
    void activate() override { calls << QStringLiteral("activate"); }
    void reload_after_replace() override { calls << QStringLiteral("reload"); }
    void clear_start_cropping() override { calls << QStringLiteral("clear_start_cropping"); }
};

// Left half red, right half blue.
QImage two_halves(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(Qt::blue));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w / 2; ++x)
            img.setPixel(x, y, qRgb(255, 0, 0));
    return img;
}
QByteArray bytes_of(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
QImage decoded(const QString &path) { return QImageReader(path).read().convertToFormat(QImage::Format_RGB32); }
bool reddish(QRgb p) { return qRed(p) > 200 && qBlue(p) < 60; }
bool bluish(QRgb p) { return qBlue(p) > 200 && qRed(p) < 60; }
QStringList listing(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

class tst_jpeg_saving : public QObject {
    Q_OBJECT
    QString dir;
    QString tmp;

    QString make_picture(const QString &name, const QImage &img)
    {
        const QString path = dir + QLatin1Char('/') + name;
        if (!img.save(path, name.endsWith(QLatin1String(".bmp")) ? "BMP" : "JPEG", 95))
            qFatal("cannot write the test picture");
        return path;
    }
    // The picture shown at `scale` of its own size, all of it in the window.
    static JpegSaveRequest request(const QString &path, QSize px, double scale, bool resized)
    {
        JpegSaveRequest r;
        r.picture_path = path;
        const int w = int(px.width() * 15 * scale), h = int(px.height() * 15 * scale);
        r.view = CropView{0, 0, w, h, w + fw, h + fh};
        r.frame_width = fw;
        r.frame_height = fh;
        r.resized = resized;
        r.quality = 90;
        return r;
    }

private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        dir = test::fresh_folder(QStringLiteral("pictures"));
        tmp = test::fresh_folder(QStringLiteral("tmp_pic"));
        app().tmp_pic_dir = tmp;
    }

    void proposed_names_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("proposed");
        QTest::newRow("jpeg") << "/p/Photo.JPG" << "Photo.JPG";
        QTest::newRow("gif") << "/p/anim.gif" << "anim.jpg";
        QTest::newRow("short name") << "/p/a.b" << ".jpg";
    }
    void proposed_names()
    {
        QFETCH(QString, picture);
        QFETCH(QString, proposed);
        QCOMPARE(proposed_jpeg_name(picture), proposed);
    }

    void quality_comes_from_the_settings_once()
    {
        QCOMPARE(current_jpeg_quality(), 80);
        QCOMPARE(get_setting(key::jpeg_quality), QStringLiteral("80"));
        test::reset_everything();
        save_setting(key::jpeg_quality, QStringLiteral("65"));
        QCOMPARE(current_jpeg_quality(), 65);
        save_setting(key::jpeg_quality, QStringLiteral("30"));
        QCOMPARE(current_jpeg_quality(), 65); // read once per process
    }

    void the_dialog_insists_on_jpg()
    {
        test::ScriptedPrompt p;
        FakeHost host;
        const QString pic = make_picture(QStringLiteral("scan.bmp"), two_halves(8, 8));
        save_setting(key::last_picture_file, dir + QStringLiteral("/other.jpg"));
        p.texts = {dir + QStringLiteral("/scan.png"), QString()};
        save_as_jpeg(host, request(pic, QSize(8, 8), 1, false));
        QCOMPARE(p.files.size(), 2);
        QCOMPARE(p.files[0].kind, FileRequest::Save);
        QCOMPARE(p.files[0].title, QStringLiteral("Save image in JPEG format with original resolution"));
        QCOMPARE(p.files[0].start, dir + QStringLiteral("/scan.jpg"));
        QCOMPARE(p.files[0].filter, QStringLiteral("Image (*.jpg);;All files (*.*)"));
        QVERIFY(p.files[0].confirm_overwrite);
        QCOMPARE(p.message_texts(),
                 QStringList{QStringLiteral("File extension cannot be different than '.JPG'. (")
                             + dir + QStringLiteral("/scan.png)")});
        QVERIFY(host.calls.isEmpty());
        QCOMPARE(listing(dir), QStringList{QStringLiteral("scan.bmp")});
        QCOMPARE(get_setting(key::last_saved_file), QString());

        // A crop window does not ask before overwriting; resized has its own title.
        JpegSaveRequest r = request(pic, QSize(8, 8), 1, true);
        r.start_cropping = true;
        p.texts = {QString()};
        save_as_jpeg(host, r);
        QCOMPARE(p.files[2].title, QStringLiteral("Save image in JPEG format with resized resolution"));
        QVERIFY(!p.files[2].confirm_overwrite);
    }

    void uncropped_save_keeps_the_pixel_size_and_the_picture()
    {
        test::ScriptedPrompt p;
        test::FakeWindows w;
        FakeHost host;
        const QImage img = two_halves(64, 48);
        const QString pic = make_picture(QStringLiteral("photo.bmp"), img);
        const QString target = dir + QStringLiteral("/photo.jpg");
        p.texts = {target};
        p.answers = {Answer::Yes, Answer::No};
        save_as_jpeg(host, request(pic, QSize(64, 48), 0.5, false));
        QCOMPARE(p.message_texts(),
                 (QStringList{QStringLiteral("Do you want to keep the new picture?"),
                              QStringLiteral("Do you want to delete file ") + pic + QStringLiteral("?")}));
        QCOMPARE(p.messages[0].buttons, Buttons::YesNo);
        QCOMPARE(p.messages[0].icon, Icon::Question);
        const QImage back = decoded(target);
        QCOMPARE(back.size(), QSize(64, 48));
        QVERIFY(reddish(back.pixel(5, 5)));
        QVERIFY(bluish(back.pixel(58, 40)));
        QCOMPARE(host.calls, (QStringList{QStringLiteral("open_preview ") + work_file_for(tmp, pic),
                                          QStringLiteral("caption ") + target,
                                          QStringLiteral("close_preview"),
                                          QStringLiteral("close_window")}));
        QCOMPARE(w.calls, QStringList{QStringLiteral("open_picture ") + target + QStringLiteral(" true")});
        QCOMPARE(get_setting(key::last_saved_file), target);
        // The work file has gone; nothing was replaced, so nothing backed up.
        QVERIFY(!QFile::exists(work_file_for(tmp, pic)));
        QVERIFY(!has_backup(tmp, pic) && !has_backup(tmp, target));
    }

    void left_half_cropped_is_exactly_the_left_half()
    {
        test::ScriptedPrompt p;
        test::FakeWindows w;
        FakeHost host;
        const QString pic = make_picture(QStringLiteral("halves.bmp"), two_halves(64, 48));
        const QString target = dir + QStringLiteral("/left.jpg");
        JpegSaveRequest r = request(pic, QSize(64, 48), 1, false);
        r.view.window_width = 32 * 15 + fw;
        p.texts = {target};
        p.answers = {Answer::Yes};
        save_as_jpeg(host, r);
        const QImage back = decoded(target);
        QCOMPARE(back.size(), QSize(32, 48));
        for (QPoint at : {QPoint(0, 0), QPoint(31, 0), QPoint(31, 47), QPoint(16, 24)})
            QVERIFY2(reddish(back.pixel(at)), "the right half leaked in");
    }

    void a_window_beyond_the_picture_is_filled_with_the_background()
    {
        const QImage img = two_halves(20, 10);
        cDIBSection d;
        // Picture moved 5 px right inside a window 30 px wide.
        const CropView v{75, 0, 300, 150, 450 + fw, 150 + fh};
        QVERIFY(compose_for_saving(img, visible_fractions(v, fw, fh), false, QSize(), Qt::green, d));
        QCOMPARE(QSize(d.Width(), d.Height()), QSize(30, 10));
        const QImage got = d.hdc().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(got.pixel(0, 0), qRgb(0, 255, 0));
        QCOMPARE(got.pixel(5, 0), qRgb(255, 0, 0));
        QCOMPARE(got.pixel(24, 9), qRgb(0, 0, 255));
        QCOMPARE(got.pixel(29, 9), qRgb(0, 255, 0));
        // The resized path fills the same way, scaled to the inner size.
        QVERIFY(compose_for_saving(img, visible_fractions(v, fw, fh), true, QSize(60, 20), Qt::green, d));
        QCOMPARE(QSize(d.Width(), d.Height()), QSize(60, 20));
        const QImage big = d.hdc().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(big.pixel(2, 10), qRgb(0, 255, 0));
        QVERIFY(reddish(big.pixel(14, 10)));
        QVERIFY(bluish(big.pixel(45, 10)));
        QCOMPARE(big.pixel(58, 10), qRgb(0, 255, 0));
        QVERIFY(!compose_for_saving(QImage(), VisibleFractions{}, false, QSize(), Qt::black, d));
    }

    void resized_save_has_the_window_inner_size()
    {
        test::ScriptedPrompt p;
        test::FakeWindows w;
        FakeHost host;
        const QString pic = make_picture(QStringLiteral("big.bmp"), two_halves(64, 48));
        const QString target = dir + QStringLiteral("/small.jpg");
        p.texts = {target};
        p.answers = {Answer::Yes};
        save_as_jpeg(host, request(pic, QSize(64, 48), 0.5, true));
        const QImage back = decoded(target);
        QCOMPARE(back.size(), QSize(32, 24));
        QVERIFY(reddish(back.pixel(4, 12)));
        QVERIFY(bluish(back.pixel(28, 12)));
    }

    void saving_keeps_the_numbers_and_the_profile_data()
    {
        QTest::addColumn<QColorSpace>("profile");
        QTest::addColumn<bool>("resized");
        QTest::newRow("Display P3") << QColorSpace(QColorSpace::DisplayP3) << false;
        QTest::newRow("Display P3 resized") << QColorSpace(QColorSpace::DisplayP3) << true;
        QTest::newRow("Adobe RGB") << QColorSpace(QColorSpace::AdobeRgb) << false;
        QTest::newRow("none") << QColorSpace() << false;
    }
    void saving_keeps_the_numbers_and_the_profile()
    {
        QFETCH(QColorSpace, profile);
        QFETCH(bool, resized);
        test::ScriptedPrompt p;
        test::FakeWindows w;
        FakeHost host;
        QImage img(64, 48, QImage::Format_RGB32);
        img.fill(QColor(200, 50, 30));
        img.setColorSpace(profile);
        const QString pic = dir + QStringLiteral("/phone.jpg");
        QVERIFY(img.save(pic, "JPEG", 100));
        const QString target = dir + QStringLiteral("/copy.jpg");
        p.texts = {target};
        p.answers = {Answer::Yes};
        save_as_jpeg(host, request(pic, QSize(64, 48), 0.5, resized));
        QImageReader r(target);
        const QImage back = r.read();
        QCOMPARE(back.size(), resized ? QSize(32, 24) : QSize(64, 48));
        QCOMPARE(back.colorSpace(), profile);
        const QRgb px = back.pixel(10, 10);
        QVERIFY2(qAbs(qRed(px) - 200) <= 4 && qAbs(qGreen(px) - 50) <= 4 && qAbs(qBlue(px) - 30) <= 4,
                 qPrintable(QString::number(px, 16)));
    }

    void no_leaves_the_folder_unchanged()
    {
        test::ScriptedPrompt p;
        test::FakeWindows w;
        FakeHost host;
        const QString pic = make_picture(QStringLiteral("keep.jpg"), two_halves(16, 16));
        const QByteArray before = bytes_of(pic);
        p.texts = {pic};
        p.answers = {Answer::No};
        save_as_jpeg(host, request(pic, QSize(16, 16), 1, false));
        QCOMPARE(p.message_texts(),
                 QStringList{QStringLiteral("Do you want to replace ") + pic
                             + QStringLiteral(" with the new picture?")});
        QCOMPARE(listing(dir), QStringList{QStringLiteral("keep.jpg")});
        QCOMPARE(bytes_of(pic), before);
        QCOMPARE(host.calls, (QStringList{QStringLiteral("open_preview ") + work_file_for(tmp, pic),
                                          QStringLiteral("close_preview")}));
        QVERIFY(w.calls.isEmpty());
        // The work file stays in tmp_pic_dir; no backup was made.
        QVERIFY(QFile::exists(work_file_for(tmp, pic)));
        QVERIFY(!has_backup(tmp, pic));
    }

    void replace_then_restore_swaps_back_and_forth()
    {
        test::ScriptedPrompt p;
        test::FakeWindows w;
        FakeHost host;
        const QString pic = make_picture(QStringLiteral("swap.jpg"), two_halves(64, 48));
        const QByteArray old_bytes = bytes_of(pic);
        JpegSaveRequest r = request(pic, QSize(64, 48), 1, false);
        r.view.window_width = 32 * 15 + fw;
        p.texts = {pic};
        p.answers = {Answer::Yes};
        save_as_jpeg(host, r);
        QCOMPARE(host.calls.last(), QStringLiteral("reload"));
        QCOMPARE(QImageReader(pic).size(), QSize(32, 48));
        const QByteArray new_bytes = bytes_of(pic);
        QCOMPARE(bytes_of(first_backup_for(tmp, pic)), old_bytes);

        QVERIFY(restore_picture(pic));
        QCOMPARE(bytes_of(pic), old_bytes);
        QVERIFY(restore_picture(pic));
        QCOMPARE(bytes_of(pic), new_bytes);
        QVERIFY(restore_picture(pic));
        QCOMPARE(bytes_of(pic), old_bytes);
        QVERIFY(!QFile::exists(restore_spare_for(tmp, pic)));
        QCOMPARE(bytes_of(first_backup_for(tmp, pic)), old_bytes);
        QCOMPARE(p.messages.size(), 1);
    }

    void saving_a_gif_as_jpg_offers_to_delete_the_gif()
    {
        test::ScriptedPrompt p;
        test::FakeWindows w;
        FakeHost host;
        const QString gif = dir + QStringLiteral("/photo.gif");
        test::write_file(gif, test::gif_bytes());
        QCOMPARE(QImageReader(gif).size(), QSize(1, 1));
        const QString target = dir + QStringLiteral("/photo.jpg");
        p.texts = {target};
        p.answers = {Answer::Yes, Answer::Yes};
        save_as_jpeg(host, request(gif, QSize(1, 1), 1, false));
        QCOMPARE(p.message_texts().value(1),
                 QStringLiteral("Do you want to delete file ") + gif + QStringLiteral("?"));
        QCOMPARE(p.messages.value(1).icon, Icon::Question);
        QCOMPARE(listing(dir), QStringList{QStringLiteral("photo.jpg")});
        QCOMPARE(QImageReader(target).size(), QSize(1, 1));
        // The deleted picture is kept in tmp_pic_dir and remembered.
        QCOMPARE(bytes_of(versions_folder(tmp, gif) + QStringLiteral("/deleted/photo.gif")),
                 test::gif_bytes());
        QCOMPARE(app().deleted_pictures, QStringLiteral("|") + gif);
    }

    void refusing_the_new_picture_never_offers_to_delete_the_old()
    {
        test::ScriptedPrompt p;
        test::FakeWindows w;
        FakeHost host;
        const QString gif = dir + QStringLiteral("/photo.gif");
        test::write_file(gif, test::gif_bytes());
        p.texts = {dir + QStringLiteral("/photo.jpg")};
        p.answers = {Answer::No};
        save_as_jpeg(host, request(gif, QSize(1, 1), 1, false));
        QCOMPARE(p.message_texts(), QStringList{QStringLiteral("Do you want to keep the new picture?")});
        QCOMPARE(listing(dir), QStringList{QStringLiteral("photo.gif")});
    }

    void a_failed_write_leaves_the_original_byte_for_byte()
    {
        test::ScriptedPrompt p;
        test::FakeWindows w;
        FakeHost host;
        QImage noisy(200, 200, QImage::Format_RGB32);
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x)
                noisy.setPixel(x, y, qRgb((x * 37 + y * 91) % 256, (x * y) % 256, (x ^ y) % 256));
        const QString pic = make_picture(QStringLiteral("full.jpg"), noisy);
        const QByteArray before = bytes_of(pic);
        p.texts = {pic};
        {
            test::FileSizeLimit full_disk(1000);
            save_as_jpeg(host, request(pic, QSize(200, 200), 1, false));
        }
        QCOMPARE(p.message_texts(),
                 QStringList{QStringLiteral("Failed to save the picture to the file: '") + pic
                             + QStringLiteral("'")});
        QCOMPARE(p.messages[0].icon, Icon::Exclamation);
        QCOMPARE(bytes_of(pic), before);
        QCOMPARE(listing(dir), QStringList{QStringLiteral("full.jpg")});
        QVERIFY(host.calls.isEmpty());
    }

    void the_work_file_as_target_survives()
    {
        test::ScriptedPrompt p;
        test::FakeWindows w;
        FakeHost host;
        const QString pic = make_picture(QStringLiteral("self.bmp"), two_halves(16, 8));
        const QString work = work_file_for(tmp, pic);
        p.texts = {work};
        p.answers = {Answer::Yes};
        save_as_jpeg(host, request(pic, QSize(16, 8), 1, false));
        QCOMPARE(QImageReader(work).size(), QSize(16, 8));
        QCOMPARE(w.calls, QStringList{QStringLiteral("open_picture ") + work + QStringLiteral(" true")});
    }

    void a_crop_window_of_a_slide_show_closes_after_saving()
    {
        test::ScriptedPrompt p;
        test::FakeWindows w;
        FakeHost host;
        slides().slide_show_active = true;
        const QString pic = make_picture(QStringLiteral("slide.jpg"), two_halves(16, 16));
        JpegSaveRequest r = request(pic, QSize(16, 16), 1, false);
        r.start_cropping = true;
        p.texts = {pic};
        p.answers = {Answer::Yes};
        save_as_jpeg(host, r);
        // Replacing closes the crop window; the slide-show rule then closes it too.
        QCOMPARE(host.calls.mid(1), (QStringList{QStringLiteral("close_preview"),
                                                 QStringLiteral("close_window"),
                                                 QStringLiteral("clear_start_cropping"),
                                                 QStringLiteral("close_window")}));
    }
};

QTEST_GUILESS_MAIN(tst_jpeg_saving)
#include "tst_jpeg_saving.moc"
