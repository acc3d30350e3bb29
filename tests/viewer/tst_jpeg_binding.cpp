// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings.h"
#include "fault_injection.h"
#include "test_env.h"
#include "viewer/cDIBSection.h"
#include "viewer/mTurboJPEGLibrary.h"

#include <QFile>
#include <QImageReader>
#include <QtTest>

#include <unistd.h>

using namespace lf;

namespace {
QImage gradient(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(qMin(255, 60 + x * 4), qMin(255, 40 + y * 4), 128));
    return img;
}
QImage noise(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    quint32 s = 12345;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            s = s * 1103515245u + 12345u;
            img.setPixel(x, y, qRgb(s >> 24, s >> 16 & 255, s >> 8 & 255));
        }
    return img;
}
int worst_channel_difference(const QImage &a, const QImage &b)
{
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            worst = qMax(worst, qMax(qAbs(qRed(p) - qRed(q)),
                                     qMax(qAbs(qGreen(p) - qGreen(q)), qAbs(qBlue(p) - qBlue(q)))));
        }
    return worst;
}
QByteArray bytes_of(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class tst_jpeg_binding : public QObject {
    Q_OBJECT
    QString dir;
private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        dir = test::fresh_folder(QStringLiteral("jpeg"));
    }

    void saved_picture_decodes_back_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("quality");
        QTest::newRow("5x3 odd rows") << QSize(5, 3) << 95;
        QTest::newRow("64x48") << QSize(64, 48) << 80;
        QTest::newRow("1x1") << QSize(1, 1) << 80;
        QTest::newRow("1x10000") << QSize(1, 10000) << 80;
        QTest::newRow("quality below range") << QSize(16, 16) << -5;
        QTest::newRow("quality above range") << QSize(16, 16) << 1000;
    }
    void saved_picture_decodes_back()
    {
        QFETCH(QSize, size);
        QFETCH(int, quality);
        const QImage src = gradient(size.width(), size.height());
        cDIBSection d;
        QVERIFY(d.CreateFromPicture(src));
        const QString file = dir + QStringLiteral("/out.jpg");
        QVERIFY(SaveJPG(d, file, quality));
        QImageReader r(file);
        QCOMPARE(r.format(), QByteArray("jpeg"));
        const QImage back = r.read().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(back.size(), size);
        if (size.width() > 1)
            QVERIFY2(worst_channel_difference(src, back) < 40, "colours differ beyond JPEG loss");
    }

    void quality_changes_the_size()
    {
        cDIBSection d;
        QVERIFY(d.CreateFromPicture(noise(64, 64)));
        QVERIFY(SaveJPG(d, dir + QStringLiteral("/low.jpg"), 10));
        QVERIFY(SaveJPG(d, dir + QStringLiteral("/high.jpg"), 99));
        QVERIFY(QFileInfo(dir + QStringLiteral("/low.jpg")).size() * 2
                < QFileInfo(dir + QStringLiteral("/high.jpg")).size());
    }

    void an_existing_file_keeps_its_permissions()
    {
        const QString file = dir + QStringLiteral("/kept.jpg");
        test::write_file(file, "old");
        const QFileDevice::Permissions perms = QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                             | QFileDevice::ReadGroup;
        QVERIFY(QFile::setPermissions(file, perms));
        cDIBSection d;
        QVERIFY(d.CreateFromPicture(gradient(8, 8)));
        QVERIFY(SaveJPG(d, file, 80));
        const auto owner_group_other = QFileDevice::Permissions::fromInt(0x7077);
        QCOMPARE(QFileInfo(file).permissions() & owner_group_other, perms);
        QCOMPARE(QImageReader(file).size(), QSize(8, 8));
        QCOMPARE(QDir(dir).entryList(QDir::Files), QStringList{QStringLiteral("kept.jpg")});
    }

    void a_new_file_is_readable_by_others_and_leaves_nothing_beside()
    {
        const QString file = dir + QStringLiteral("/new.jpg");
        cDIBSection d;
        QVERIFY(d.CreateFromPicture(gradient(8, 8)));
        QVERIFY(SaveJPG(d, file, 80));
        const auto owner_group_other = QFileDevice::Permissions::fromInt(0x7077);
        QCOMPARE(QFileInfo(file).permissions() & owner_group_other,
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                     | QFileDevice::ReadOther);
        QCOMPARE(QDir(dir).entryList(QDir::Files), QStringList{QStringLiteral("new.jpg")});
    }

    void failures_raise_26001_and_keep_the_old_file()
    {
        const QString file = dir + QStringLiteral("/old.jpg");
        test::write_file(file, "previous picture");
        cDIBSection d;
        QVERIFY(d.CreateFromPicture(noise(200, 200)));
        {
            test::FileSizeLimit full_disk(100);
            try {
                SaveJPG(d, file, 90);
                QFAIL("a save onto a full disk succeeded");
            } catch (const JpegError &e) {
                QCOMPARE(e.number, 26001);
                QCOMPARE(e.source, application_name() + QStringLiteral(".mTurboJPEGLibrary"));
                QVERIFY2(e.description.startsWith(QStringLiteral("Failed to save to JPG ")),
                         qPrintable(e.description));
            }
        }
        QCOMPARE(bytes_of(file), QByteArray("previous picture"));
        QCOMPARE(QDir(dir).entryList(QDir::Files), QStringList{QStringLiteral("old.jpg")});
    }

    void a_read_only_folder_refuses_and_keeps_the_old_file()
    {
        if (!test::permissions_apply())
            QSKIP("permission bits cannot be made to hold for this process");
        const QString file = dir + QStringLiteral("/locked.jpg");
        test::write_file(file, "previous");
        QVERIFY(QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        cDIBSection d;
        QVERIFY(d.Create(4, 4));
        QVERIFY_THROWS_EXCEPTION(JpegError, SaveJPG(d, file, 80));
        QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(bytes_of(file), QByteArray("previous"));
    }

    void nothing_to_save_or_nowhere_to_save_raises()
    {
        cDIBSection empty;
        QVERIFY_THROWS_EXCEPTION(JpegError, SaveJPG(empty, dir + QStringLiteral("/e.jpg"), 80));
        cDIBSection d;
        QVERIFY(d.Create(4, 4));
        QVERIFY_THROWS_EXCEPTION(JpegError,
                                 SaveJPG(d, dir + QStringLiteral("/no/such/folder/x.jpg"), 80));
        QVERIFY(!QFile::exists(dir + QStringLiteral("/e.jpg")));
    }
};

QTEST_GUILESS_MAIN(tst_jpeg_binding)
#include "tst_jpeg_binding.moc"
