// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/file_changes.h"
#include "scripted_prompt.h"
#include "test_env.h"
#include "thumbs/thumbnail_drawer.h"

#include <QImage>
#include <QSignalSpy>
#include <QThreadPool>
#include <QtTest>

using namespace lf;

namespace {

QString picture(const QString &dir, const QString &name, QSize size, QColor color = Qt::darkCyan)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(color);
    img.save(dir + QLatin1Char('/') + name, "JPG");
    return dir + QLatin1Char('/') + name;
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

    // The shared cache: a sheet shows a valid cached thumbnail at least the
    // cell's size, or the picture itself, never what the file was before.
    void shared_cache_never_shows_a_stale_thumbnail_data()
    {
        QTest::addColumn<QString>("change");  // between the two showings
        QTest::addColumn<bool>("cached");     // entry in large/ after the first
        QTest::addColumn<bool>("from_cache"); // the second showing used it
        QTest::newRow("unchanged") << "" << true << true;
        QTest::newRow("changed on disk a second later") << "rewritten" << true << false;
        QTest::newRow("saved over by us in the same second") << "announced" << true << false;
        QTest::newRow("entry smaller than the cell") << "undersized" << true << false;
        QTest::newRow("in tmp_pic") << "tmp_pic" << false << false;
        QTest::newRow("no larger than the cache's 256") << "small" << false << false;
        QTest::newRow("undecodable, then mended") << "broken" << false << false;
    }
    void shared_cache_never_shows_a_stale_thumbnail()
    {
        QFETCH(QString, change);
        QFETCH(bool, cached);
        QFETCH(bool, from_cache);
        const QString tmp = test::fresh_folder(QStringLiteral("tmp_pic"));
        const ThumbnailCache cache = ThumbnailCache::standard(tmp);
        const QString folder = change == "tmp_pic" ? tmp : dir_;
        const QSize size = change == "small" ? QSize(256, 170) : QSize(900, 600);
        const QString path = picture(folder, QStringLiteral("p.jpg"), size, Qt::red);
        if (change == "broken")
            test::write_file(path, "not a picture");
        // Other programs find the entry by the MD5 of the picture's URI.
        const QString entry = cache.root + "/large/" + QCryptographicHash::hash(QString("file://" + path).toUtf8(), QCryptographicHash::Md5).toHex() + ".png";

        QVERIFY(!cell_picture(cache, path, 200).from_cache);
        QThreadPool::globalInstance()->waitForDone(); // the cache files written
        QCOMPARE(QFileInfo::exists(entry), cached);
        QCOMPARE(QFileInfo::exists(cache.failures + QLatin1Char('/') + QFileInfo(entry).fileName()), change == "broken");
        QImage png(entry, "png");
        if (cached) {
            QCOMPARE(png.text(QStringLiteral("Thumb::URI")), QStringLiteral("file://") + path);
            QCOMPARE(png.text(QStringLiteral("Thumb::MTime")),
                     QString::number(QFileInfo(path).lastModified().toSecsSinceEpoch()));
        }
        // Replaced by another program a second later, or by us at once.
        const bool replaced = change == "rewritten" || change == "broken" || change == "announced";
        if (replaced)
            picture(folder, QStringLiteral("p.jpg"), size, Qt::blue);
        QFile f(path);
        if (change == "announced")
            file_changed(path);
        else if (replaced)
            QVERIFY(f.open(QIODevice::ReadWrite)
                    && f.setFileTime(QFileInfo(path).lastModified().addSecs(1), QFileDevice::FileModificationTime));
        if (change == "undersized") { // another program's, valid but blurred on the cell
            QImage small = png.scaled(100, 66);
            for (const QString &k : png.textKeys())
                small.setText(k, png.text(k));
            QVERIFY(small.save(entry, "png"));
        }
        const CellPicture second = cell_picture(cache, path, 200);
        QCOMPARE(second.from_cache, from_cache);
        const QColor shown = second.image.pixelColor(second.image.rect().center());
        const QColor now = replaced ? Qt::blue : Qt::red;
        QVERIFY2(qAbs(shown.red() - now.red()) < 40 && qAbs(shown.blue() - now.blue()) < 40, qPrintable(shown.name()));
        QCOMPARE(second.natural, size);
        QCOMPARE(qMax(second.image.width(), second.image.height()), change == "tmp_pic" ? 200 : 256);
    }

    // In list order, each later run from where the last one stopped, at
    // twice the pixels on a 200 % screen; a blank line leaves its cell empty,
    // a broken picture or a folder gets an empty frame, a missing file asks.
    void draws_every_position_once_at_cell_size()
    {
        test::ScriptedPrompt p;
        QStringList list;
        for (int i = 0; i < 8; ++i)
            list << picture(dir_, QStringLiteral("p%1.jpg").arg(i), i % 2 ? QSize(300, 600) : QSize(900, 300));
        const QString broken = dir_ + QStringLiteral("/broken.jpg");
        test::write_file(broken, "not a picture at all");
        list << QStringLiteral("  ") << broken << dir_;
        ThumbnailDrawer d;
        QSignalSpy drawn(&d, &ThumbnailDrawer::thumbnail_drawn);
        QSignalSpy stopped(&d, &ThumbnailDrawer::interrupted);
        QSignalSpy done(&d, &ThumbnailDrawer::completed);
        QSignalSpy heights(&d, &ThumbnailDrawer::height_needed);
        d.set_sheet(list, layout_, 2.0);
        d.display();
        d.request_interrupt(); // before the first decode is back
        QVERIFY(QFile::remove(list[0])); // while that is asked, the stopped run's decodes come back
        p.while_asking = [](const MessageRequest &) { QThreadPool::globalInstance()->waitForDone(); QCoreApplication::processEvents(); };
        p.answers = {Answer::Ok};
        connect(&d, &ThumbnailDrawer::thumbnail_drawn, &d, [&](const DrawnThumbnail &t) {
            if (t.index == 3)
                d.request_interrupt();
        });
        d.display();
        QTRY_COMPARE(stopped.size(), 2);
        QCOMPARE(d.drawn_count(), 3);
        d.display();
        QTRY_COMPARE(done.size(), 1);
        QCOMPARE(drawn_indexes(drawn), (QList<int>{2, 3, 4, 5, 6, 7, 8, 10, 11}));
        QCOMPARE(p.message_texts(), QStringList{"File " + list[0] + " not found. You may want to rebuild the thumbnail "
                                                "file. Press OK if you want to proceed with the current file, Cancel "
                                                "if you want to abort this operation."});
        QCOMPARE(p.messages.first().buttons, Buttons::OkCancel);
        QVERIFY(drawn.at(7).at(0).value<DrawnThumbnail>().image.isNull());
        QCOMPARE(heights.last().at(0).toInt(), 405 + 350 + 4971); // 2 rows of 2485.714 twips
        // In twips, cells of 2015.714 + 120: the 7th ends the first row.
        const DrawnThumbnail seventh = drawn.at(5).at(0).value<DrawnThumbnail>();
        QCOMPARE(seventh.picture, (TwipRect{120 + 12814, 120 + 672, 2016, 672}));
        const DrawnThumbnail eighth = drawn.at(6).at(0).value<DrawnThumbnail>();
        QCOMPARE(eighth.picture, (TwipRect{120 + 504, 120 + 2486, 1008, 2016}));
        QCOMPARE(eighth.image.size(), QSize(134, 268)); // 2015 twips at 15 a pixel, twice
        QCOMPARE(eighth.image.devicePixelRatio(), 2.0);

        QSignalSpy aborted(&d, &ThumbnailDrawer::abort_requested);
        p.answers = {Answer::Cancel};
        d.set_sheet({list[0], list[1]}, layout_, 1);
        d.display();
        QCOMPARE(aborted.size(), 1);
    }
};

QTEST_GUILESS_MAIN(tst_thumbnail_drawer)
#include "tst_thumbnail_drawer.moc"
