// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/file_changes.h"
#include "scripted_prompt.h"
#include "test_env.h"
#include "thumbs/thumbnail_drawer.h"

#include <QColor>
#include <QImage>
#include <QSignalSpy>
#include <QThreadPool>
#include <QtTest>

using namespace lf;

namespace {

QString picture(const QString &dir, const QString &name, QSize size, QColor color = QColor(40, 120, 200))
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(color);
    const QString p = dir + QLatin1Char('/') + name;
    img.save(p, "JPG");
    return p;
}

QList<int> drawn_indexes(const QSignalSpy &spy)
{
    QList<int> out;
    for (const QList<QVariant> &args : spy)
        out << args.at(0).value<DrawnThumbnail>().index;
    return out;
}

} // namespace

Q_DECLARE_METATYPE(lf::DrawnThumbnail)

class tst_thumbnail_drawer : public QObject {
    Q_OBJECT
    QString dir_;
    SheetLayout layout_ = SheetLayout::make(15360, 7, 120, 405);

private Q_SLOTS:
    void initTestCase() { qRegisterMetaType<DrawnThumbnail>(); }
    void init()
    {
        test::reset_everything();
        dir_ = test::fresh_folder(QStringLiteral("pics"));
    }

    // The shared cache: a sheet shows a valid cached thumbnail or the
    // picture itself, never a thumbnail of what the file was before.
    void shared_cache_never_shows_a_stale_thumbnail_data()
    {
        QTest::addColumn<QString>("change");   // between the two showings
        QTest::addColumn<bool>("cached");      // entry in large/ after the first
        QTest::addColumn<bool>("from_cache");  // the second showing used it
        QTest::newRow("unchanged") << "" << true << true;
        QTest::newRow("changed on disk") << "rewritten" << true << false;
        QTest::newRow("saved over by us") << "announced" << true << false;
        QTest::newRow("in tmp_pic") << "tmp_pic" << false << false;
        QTest::newRow("no larger than the cache size") << "small" << false << false;
        QTest::newRow("undecodable, then mended") << "broken" << false << false;
    }
    void shared_cache_never_shows_a_stale_thumbnail()
    {
        QFETCH(QString, change);
        QFETCH(bool, cached);
        QFETCH(bool, from_cache);
        const QString tmp = test::fresh_folder(QStringLiteral("tmp_pic"));
        const ThumbnailCache cache = ThumbnailCache::standard(tmp);
        const QString folder = change == QLatin1String("tmp_pic") ? tmp : dir_;
        const QSize size = change == QLatin1String("small") ? QSize(90, 60) : QSize(900, 600);
        QString path = picture(folder, QStringLiteral("p.jpg"), size, Qt::red);
        if (change == QLatin1String("broken"))
            test::write_file(path, "not a picture");
        const QString entry = cache.root + QStringLiteral("/large/") + thumbnail_file_name(path);
        const QString failure = cache.failures + QLatin1Char('/') + thumbnail_file_name(path);

        const CellPicture first = cell_picture(cache, path, 200);
        QThreadPool::globalInstance()->waitForDone(); // the cache files written
        QVERIFY(!first.from_cache);
        QCOMPARE(first.image.isNull(), change == QLatin1String("broken"));
        QCOMPARE(QFileInfo::exists(entry), cached);
        QCOMPARE(QFileInfo::exists(failure), change == QLatin1String("broken"));
        if (cached) {
            const QImage png(entry, "png");
            QCOMPARE(png.text(QStringLiteral("Thumb::URI")), QStringLiteral("file://") + path);
            QCOMPARE(png.text(QStringLiteral("Thumb::MTime")),
                     QString::number(QFileInfo(path).lastModified().toSecsSinceEpoch()));
            QCOMPARE(png.size(), QSize(256, 170));
            QCOMPARE(int(QFileInfo(entry).permissions() & 0x7077), 0x6000);
            QCOMPARE(int(QFileInfo(cache.root).permissions() & 0x7077), 0x7000);
        }

        QColor now = Qt::red;
        if (change == QLatin1String("rewritten") || change == QLatin1String("broken")) {
            // Mended or replaced by another program a second later.
            now = Qt::blue;
            picture(folder, QStringLiteral("p.jpg"), size, now);
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(QFileInfo(path).lastModified().addSecs(1), QFileDevice::FileModificationTime));
        } else if (change == QLatin1String("announced")) {
            // Our own save, within the same second.
            now = Qt::blue;
            picture(folder, QStringLiteral("p.jpg"), size, now);
            file_changed(path);
            QVERIFY(!QFileInfo::exists(entry));
        }
        const CellPicture second = cell_picture(cache, path, 200);
        QCOMPARE(second.from_cache, from_cache);
        QVERIFY(!second.image.isNull());
        const QColor shown = second.image.pixelColor(second.image.rect().center());
        QVERIFY2(qAbs(shown.red() - now.red()) < 40 && qAbs(shown.blue() - now.blue()) < 40,
                 qPrintable(shown.name()));
        QCOMPARE(second.natural, size);
        QVERIFY(qMax(second.image.width(), second.image.height()) >= qMin(200, qMax(size.width(), size.height())));
    }

    void draws_in_list_order_at_cell_size_data()
    {
        QTest::addColumn<double>("ratio");
        QTest::newRow("100 %") << 1.0;
        // A 200 % screen gets thumbnails of twice the pixels, drawn 1:1.
        QTest::newRow("200 %") << 2.0;
    }
    void draws_in_list_order_at_cell_size()
    {
        QFETCH(double, ratio);
        QStringList list;
        for (int i = 0; i < 12; ++i)
            list << picture(dir_, QStringLiteral("p%1.jpg").arg(i), i % 2 ? QSize(300, 600) : QSize(900, 300));
        ThumbnailDrawer d;
        QSignalSpy drawn(&d, &ThumbnailDrawer::thumbnail_drawn);
        QSignalSpy heights(&d, &ThumbnailDrawer::height_needed);
        QSignalSpy done(&d, &ThumbnailDrawer::completed);
        d.set_sheet(list, layout_, ratio);
        d.display();
        QTRY_COMPARE(done.size(), 1);
        QCOMPARE(drawn_indexes(drawn), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
        QCOMPARE(heights.last().at(0).toInt(), layout_.sheet_height(12));
        const int cell = layout_.cell_pixels(ratio);
        QCOMPARE(cell, layout_.cell_pixels(1) * int(ratio));
        for (const QList<QVariant> &args : drawn) {
            const DrawnThumbnail t = args.at(0).value<DrawnThumbnail>();
            QVERIFY(t.image.width() <= cell && t.image.height() <= cell);
            QVERIFY(t.image.width() == cell || t.image.height() == cell);
            QCOMPARE(t.image.devicePixelRatio(), ratio);
        }
        QVERIFY(!d.drawing());
        QCOMPARE(d.drawn_count(), 12);
    }

    void interruption_and_resume_redraw_the_interrupted_position()
    {
        QStringList list;
        for (int i = 0; i < 10; ++i)
            list << picture(dir_, QStringLiteral("p%1.jpg").arg(i), QSize(200, 100));
        ThumbnailDrawer d;
        QSignalSpy drawn(&d, &ThumbnailDrawer::thumbnail_drawn);
        QSignalSpy stopped(&d, &ThumbnailDrawer::interrupted);
        QSignalSpy done(&d, &ThumbnailDrawer::completed);
        connect(&d, &ThumbnailDrawer::thumbnail_drawn, &d, [&](const DrawnThumbnail &t) {
            if (t.index == 3)
                d.request_interrupt();
        });
        d.set_sheet(list, layout_, 1);
        d.display();
        QTRY_COMPARE(stopped.size(), 1);
        QCOMPARE(d.drawn_count(), 3);
        QVERIFY(!d.drawing());
        QCOMPARE(drawn.size(), 3);

        d.display();
        QTRY_COMPARE(done.size(), 1);
        QCOMPARE(drawn_indexes(drawn), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    }

    void interrupt_while_waiting_for_a_decode()
    {
        QStringList list;
        for (int i = 0; i < 6; ++i)
            list << picture(dir_, QStringLiteral("p%1.jpg").arg(i), QSize(2000, 1500));
        ThumbnailDrawer d;
        QSignalSpy drawn(&d, &ThumbnailDrawer::thumbnail_drawn);
        QSignalSpy stopped(&d, &ThumbnailDrawer::interrupted);
        QSignalSpy done(&d, &ThumbnailDrawer::completed);
        d.set_sheet(list, layout_, 1);
        d.display();
        d.request_interrupt(); // before the first decode is back
        QCOMPARE(stopped.size(), 1);
        QCOMPARE(d.drawn_count(), 0);
        d.display();
        QTRY_COMPARE(done.size(), 1);
        // Late answers of the first run were dropped: every position once.
        QCOMPARE(drawn_indexes(drawn), (QList<int>{1, 2, 3, 4, 5, 6}));
    }

    void blank_missing_and_broken_entries()
    {
        test::ScriptedPrompt p;
        const QString good = picture(dir_, QStringLiteral("good.jpg"), QSize(100, 100));
        const QString broken = dir_ + QStringLiteral("/broken.jpg");
        test::write_file(broken, "not a picture at all");
        // A forged header claiming 60000 x 60000 pixels.
        QByteArray forged = QByteArray::fromHex("ffd8ffc0001108ea60ea6003012200021101031101ffd9");
        const QString huge = dir_ + QStringLiteral("/huge.jpg");
        test::write_file(huge, forged);
        const QString missing = dir_ + QStringLiteral("/missing.jpg");
        ThumbnailDrawer d;
        QSignalSpy drawn(&d, &ThumbnailDrawer::thumbnail_drawn);
        QSignalSpy done(&d, &ThumbnailDrawer::completed);
        d.set_sheet({good, QStringLiteral("  "), missing, broken, huge, dir_, good}, layout_, 1);
        p.answers = {Answer::Ok, Answer::Ok};
        d.display();
        QTRY_COMPARE(done.size(), 1);
        QCOMPARE(drawn_indexes(drawn), (QList<int>{1, 4, 5, 6, 7}));
        QCOMPARE(p.messages.size(), 1);
        QCOMPARE(p.messages.first().text,
                 QStringLiteral("File ") + missing
                     + QStringLiteral(" not found. You may want to rebuild the thumbnail file. Press OK if you want "
                                      "to proceed with the current file, Cancel if you want to abort this operation."));
        QCOMPARE(p.messages.first().buttons, Buttons::OkCancel);
        const DrawnThumbnail b = drawn.at(1).at(0).value<DrawnThumbnail>();
        QVERIFY(b.image.isNull());
        QCOMPARE(b.picture.height, int(std::lround(layout_.S)));
        QVERIFY(drawn.at(2).at(0).value<DrawnThumbnail>().image.isNull());
    }

    void cancel_on_a_missing_file_aborts()
    {
        test::ScriptedPrompt p;
        p.answers = {Answer::Cancel};
        ThumbnailDrawer d;
        QSignalSpy aborted(&d, &ThumbnailDrawer::abort_requested);
        QSignalSpy drawn(&d, &ThumbnailDrawer::thumbnail_drawn);
        d.set_sheet({dir_ + QStringLiteral("/gone.jpg"), picture(dir_, "a.jpg", QSize(10, 10))}, layout_, 1);
        d.display();
        QCOMPARE(aborted.size(), 1);
        QVERIFY(!d.drawing());
        QCOMPARE(drawn.size(), 0);
    }
};

QTEST_GUILESS_MAIN(tst_thumbnail_drawer)
#include "tst_thumbnail_drawer.moc"
