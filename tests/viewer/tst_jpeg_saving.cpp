// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/picture_versions.h"
#include "app/settings.h"
#include "fake_windows.h"
#include "fault_injection.h"
#include "save_host.h"
#include "scripted_prompt.h"
#include "test_env.h"
#include "viewer/jpeg_saving.h"

#include <QColorSpace>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QtTest>

#include <memory>

using namespace lf;

namespace {
constexpr int fw = 120;
constexpr int fh = 405;

struct Session {
    test::ScriptedPrompt prompt;
    test::FakeWindows windows;
    test::RecordingSaveHost host;
};

// Left half red, right half blue.
QImage two_halves(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::blue);
    QPainter(&img).fillRect(0, 0, w / 2, h, Qt::red);
    return img;
}
QByteArray bytes_of(const QString &path) { QFile f(path); return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray(); }
bool reddish(QRgb p) { return qRed(p) > 200 && qBlue(p) < 60; }
bool bluish(QRgb p) { return qBlue(p) > 200 && qRed(p) < 60; }
QStringList listing(const QString &dir) { return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

} // namespace

class tst_jpeg_saving : public QObject {
    Q_OBJECT
    QString dir, tmp;
    std::unique_ptr<Session> s;

    QString make_picture(const QString &name, const QImage &img)
    {
        const QString path = dir + QLatin1Char('/') + name;
        if (!img.save(path, name.endsWith(QLatin1String(".bmp")) ? "BMP" : "JPEG", 95))
            qFatal("cannot write the test picture");
        return path;
    }
    // Saves path shown at `scale` of its size, `shown` of its width in the window.
    void save(const QString &path, QSize px, const QString &target, std::deque<Answer> answers,
              double scale = 1, double shown = 1, bool resized = false)
    {
        const int w = int(px.width() * 15 * scale), h = int(px.height() * 15 * scale);
        s->prompt.texts = {target};
        s->prompt.answers = std::move(answers);
        save_as_jpeg(s->host, {.picture_path = path, .view = CropView{0, 0, w, h, int(w * shown) + fw, h + fh},
                               .frame_width = fw, .frame_height = fh, .resized = resized, .quality = 90});
    }

private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        dir = test::fresh_folder(QStringLiteral("pictures"));
        app().tmp_pic_dir = tmp = test::fresh_folder(QStringLiteral("tmp_pic"));
        s = std::make_unique<Session>();
    }
    void cleanup() { s.reset(); }
    void the_dialog_insists_on_jpg()
    {
        QCOMPARE(proposed_jpeg_name("/p/Photo.JPG"), QStringLiteral("Photo.JPG"));
        QCOMPARE(proposed_jpeg_name("/p/a.b"), QStringLiteral(".jpg"));
        const QString pic = make_picture(QStringLiteral("scan.bmp"), two_halves(8, 8));
        save_setting(key::last_picture_file, dir + QStringLiteral("/other.jpg"));
        save(pic, QSize(8, 8), dir + QStringLiteral("/scan.png"), {});
        const QList<FileRequest> &files = s->prompt.files;
        QCOMPARE(files.size(), 2); // asked again, then cancelled
        QCOMPARE(files[0].title + " | " + files[0].start + " | " + files[0].filter,
                 "Save image in JPEG format with original resolution | " + dir + "/scan.jpg | Image (*.jpg);;All files (*.*)");
        QVERIFY(files[0].kind == FileRequest::Save && files[0].confirm_overwrite);
        QCOMPARE(s->prompt.message_texts(),
                 QStringList{"File extension cannot be different than '.JPG'. (" + dir + "/scan.png)"});
        QVERIFY(s->host.calls.isEmpty());
        QCOMPARE(listing(dir), QStringList{QStringLiteral("scan.bmp")});
    }

    void a_kept_new_picture_opens_in_its_own_window()
    {
        const QString pic = make_picture(QStringLiteral("photo.bmp"), two_halves(64, 48));
        const QString target = dir + QStringLiteral("/photo.jpg");
        save(pic, QSize(64, 48), target, {Answer::Yes, Answer::No});
        QCOMPARE(s->prompt.message_texts(), (QStringList{"Do you want to keep the new picture?",
                                                         "Do you want to delete file " + pic + "?"}));
        QVERIFY(s->prompt.messages[0].buttons == Buttons::YesNo && s->prompt.messages[0].icon == Icon::Question);
        QCOMPARE(s->host.calls, (QStringList{"open_preview " + work_file_for(tmp, pic), "caption " + target,
                                             "close_preview", "close_window"}));
        QCOMPARE(s->windows.calls, QStringList{"open_picture " + target + " true"});
        QCOMPARE(get_setting(key::last_saved_file), target);
        QCOMPARE(listing(dir), (QStringList{"photo.bmp", "photo.jpg"}));
        QVERIFY(!QFile::exists(work_file_for(tmp, pic)));
        QVERIFY(!has_backup(tmp, pic) && !has_backup(tmp, target));
    }

    void saved_pixels_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<double>("shown"); // of the picture's width
        QTest::addColumn<bool>("resized");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("right_half");
        QTest::newRow("whole, shown at half size") << 0.5 << 1.0 << false << QSize(64, 48) << true;
        QTest::newRow("left half cropped") << 1.0 << 0.5 << false << QSize(32, 48) << false;
        QTest::newRow("resized to the window") << 0.5 << 1.0 << true << QSize(32, 24) << true;
    }
    void saved_pixels()
    {
        QFETCH(double, scale);
        QFETCH(double, shown);
        QFETCH(bool, resized);
        const QString pic = make_picture(QStringLiteral("halves.bmp"), two_halves(64, 48));
        save(pic, QSize(64, 48), dir + QStringLiteral("/out.jpg"), {Answer::Yes, Answer::No}, scale, shown, resized);
        const QImage back = QImageReader(dir + QStringLiteral("/out.jpg")).read();
        QTEST(back.size(), "size");
        const int W = back.width(), H = back.height();
        QVERIFY(reddish(back.pixel(1, 1)) && reddish(back.pixel(W / 2 - 2, H - 2)));
        QTEST(bluish(back.pixel(W - 2, H / 2)), "right_half");
    }

    void saving_keeps_the_numbers_and_the_profile()
    {
        QImage img(64, 48, QImage::Format_RGB32);
        img.fill(QColor(200, 50, 30));
        img.setColorSpace(QColorSpace::DisplayP3);
        const QString pic = dir + QStringLiteral("/phone.jpg");
        QVERIFY(img.save(pic, "JPEG", 100));
        save(pic, QSize(64, 48), dir + QStringLiteral("/copy.jpg"), {Answer::Yes}, 0.5, 1, true);
        const QImage back = QImageReader(dir + QStringLiteral("/copy.jpg")).read();
        QCOMPARE(back.size(), QSize(32, 24));
        QCOMPARE(back.colorSpace(), QColorSpace(QColorSpace::DisplayP3));
        const QRgb px = back.pixel(10, 10);
        QVERIFY(qAbs(qRed(px) - 200) <= 4 && qAbs(qGreen(px) - 50) <= 4 && qAbs(qBlue(px) - 30) <= 4);
    }

    // No leaves the picture as it was; yes replaces it, keeping its
    // permissions, its first version and the one before; restore swaps.
    void replacing_keeps_the_first_version_and_restore_swaps()
    {
        const QString pic = make_picture(QStringLiteral("swap.jpg"), two_halves(64, 48));
        const auto perms = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
        QVERIFY(QFile::setPermissions(pic, perms));
        const QByteArray first = bytes_of(pic);
        save(pic, QSize(64, 48), pic, {Answer::No});
        QCOMPARE(s->prompt.message_texts(), QStringList{"Do you want to replace " + pic + " with the new picture?"});
        QCOMPARE(s->host.calls, (QStringList{"open_preview " + work_file_for(tmp, pic), "close_preview"}));
        QVERIFY(bytes_of(pic) == first && !has_backup(tmp, pic) && s->windows.calls.isEmpty());
        QCOMPARE(listing(dir), QStringList{QStringLiteral("swap.jpg")});
        save(pic, QSize(64, 48), pic, {Answer::Yes}, 1, 0.75);
        const QByteArray second = bytes_of(pic);
        save(pic, QSize(64, 48), pic, {Answer::Yes}, 1, 0.5);
        const QByteArray third = bytes_of(pic);
        QCOMPARE(s->host.calls.last(), QStringLiteral("reload"));
        QCOMPARE(QImageReader(pic).size(), QSize(24, 48));
        QCOMPARE(QFileInfo(pic).permissions() & QFileDevice::Permissions::fromInt(0x7077), perms);
        QCOMPARE(bytes_of(first_backup_for(tmp, pic)), first);
        QCOMPARE(bytes_of(newest_backup_for(tmp, pic)), second);
        for (const QByteArray &now : {second, third, second}) {
            QVERIFY(restore_picture(pic));
            QCOMPARE(bytes_of(pic), now);
        }
        QVERIFY(!QFile::exists(restore_spare_for(tmp, pic)));
        QCOMPARE(bytes_of(first_backup_for(tmp, pic)), first);
        QCOMPARE(s->prompt.messages.size(), 3);
        QVERIFY(!restore_picture(dir + QStringLiteral("/other.jpg")));
        QCOMPARE(s->prompt.message_texts().last(), QStringLiteral("Backup file with same file name not found"));
        // A restore that fails leaves the picture and no spare copy.
        test::write_file(newest_backup_for(tmp, pic), QByteArray(20000, 'b'));
        {
            test::FileSizeLimit full_disk(10000);
            QVERIFY(!restore_picture(pic));
        }
        QCOMPARE(bytes_of(pic), second);
        QVERIFY(!QFile::exists(restore_spare_for(tmp, pic)));
    }

    // Over another picture: refused, the GIF is never offered for deletion;
    // kept, it is, then kept in tmp_pic_dir and remembered.
    void saving_over_another_picture()
    {
        const QString gif = dir + QStringLiteral("/photo.gif");
        test::write_file(gif, test::gif_bytes());
        const QString target = make_picture(QStringLiteral("photo.jpg"), two_halves(8, 8));
        const QByteArray old_target = bytes_of(target);
        save(gif, QSize(1, 1), target, {Answer::No});
        QCOMPARE(listing(dir), (QStringList{"photo.gif", "photo.jpg"}));
        save(gif, QSize(1, 1), target, {Answer::Yes, Answer::Yes});
        const QString keep = QStringLiteral("Do you want to keep the new picture?");
        QCOMPARE(s->prompt.message_texts(), (QStringList{keep, keep, "Do you want to delete file " + gif + "?"}));
        QCOMPARE(listing(dir), QStringList{"photo.jpg"});
        QCOMPARE(QImageReader(target).size(), QSize(1, 1));
        QCOMPARE(bytes_of(first_backup_for(tmp, target)), old_target);
        QCOMPARE(bytes_of(versions_folder(tmp, gif) + QStringLiteral("/deleted/photo.gif")), test::gif_bytes());
        QCOMPARE(app().deleted_pictures, QStringLiteral("|") + gif);
    }

    void a_failed_write_leaves_the_original_byte_for_byte()
    {
        const QString pic = make_picture(QStringLiteral("full.jpg"), two_halves(200, 200));
        const QByteArray before = bytes_of(pic);
        {
            test::FileSizeLimit full_disk(400);
            save(pic, QSize(200, 200), pic, {});
        }
        QCOMPARE(s->prompt.message_texts(), QStringList{"Failed to save the picture to the file: '" + pic + "'"});
        QCOMPARE(s->prompt.messages[0].icon, Icon::Exclamation);
        QCOMPARE(bytes_of(pic), before);
        QCOMPARE(listing(dir), QStringList{QStringLiteral("full.jpg")});
        QVERIFY(s->host.calls.isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_jpeg_saving)
#include "tst_jpeg_saving.moc"
