// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings.h"
#include "fault_injection.h"
#include "test_env.h"
#include "viewer/cDIBSection.h"
#include "viewer/mTurboJPEGLibrary.h"

#include <QFile>
#include <QImageReader>
#include <QtTest>

using namespace lf;

namespace {
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
const auto owner_group_other = QFileDevice::Permissions::fromInt(0x7077);
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

    void saved_picture_decodes_back()
    {
        // Odd sizes, extreme shapes, qualities out of range.
        for (const auto &[size, quality] : {std::pair{QSize(5, 3), 95}, {QSize(1, 10000), 80},
                                            {QSize(16, 16), -5}, {QSize(16, 16), 1000}}) {
            QImage src(size, QImage::Format_RGB32);
            src.fill(QColor(200, 120, 40));
            cDIBSection d;
            QVERIFY(d.CreateFromPicture(src));
            const QString file = dir + QStringLiteral("/out.jpg");
            QVERIFY(SaveJPG(d, file, quality));
            QImageReader r(file);
            QCOMPARE(r.format(), QByteArray("jpeg"));
            const QImage back = r.read();
            QCOMPARE(back.size(), size);
            const QColor c = back.pixelColor(0, 0);
            QVERIFY(qAbs(c.red() - 200) < 12 && qAbs(c.green() - 120) < 12 && qAbs(c.blue() - 40) < 12);
        }
        cDIBSection d;
        QVERIFY(d.CreateFromPicture(noise(64, 64)));
        QVERIFY(SaveJPG(d, dir + QStringLiteral("/low.jpg"), 10));
        QVERIFY(SaveJPG(d, dir + QStringLiteral("/high.jpg"), 99));
        QVERIFY(QFileInfo(dir + QStringLiteral("/low.jpg")).size() * 2
                < QFileInfo(dir + QStringLiteral("/high.jpg")).size());
    }

    void permissions_are_kept_or_usual()
    {
        const QString kept = dir + QStringLiteral("/kept.jpg"), fresh = dir + QStringLiteral("/new.jpg");
        test::write_file(kept, "old");
        const auto perms = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
        QVERIFY(QFile::setPermissions(kept, perms));
        cDIBSection d;
        QVERIFY(d.Create(8, 8));
        QVERIFY(SaveJPG(d, kept, 80));
        QVERIFY(SaveJPG(d, fresh, 80));
        QCOMPARE(QFileInfo(kept).permissions() & owner_group_other, perms);
        QCOMPARE(QFileInfo(fresh).permissions() & owner_group_other, perms | QFileDevice::ReadOther);
        QCOMPARE(QImageReader(kept).size(), QSize(8, 8));
        QCOMPARE(QDir(dir).entryList(QDir::Files), (QStringList{"kept.jpg", "new.jpg"}));
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
        QFile old(file);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("previous picture"));
        QCOMPARE(QDir(dir).entryList(QDir::Files), QStringList{QStringLiteral("old.jpg")});
        cDIBSection empty;
        QVERIFY_THROWS_EXCEPTION(JpegError, SaveJPG(empty, dir + QStringLiteral("/e.jpg"), 80));
        QVERIFY_THROWS_EXCEPTION(JpegError, SaveJPG(d, dir + QStringLiteral("/no/such/x.jpg"), 80));
        QCOMPARE(QDir(dir).entryList(QDir::Files), QStringList{QStringLiteral("old.jpg")});
    }
};

QTEST_GUILESS_MAIN(tst_jpeg_binding)
#include "tst_jpeg_binding.moc"
