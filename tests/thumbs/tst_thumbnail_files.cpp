// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/screen.h"
#include "app/settings.h"
#include "fake_windows.h"
#include "scripted_prompt.h"
#include "test_env.h"
#include "thumbs/thumbnail_files.h"
#include "thumbs/thumbnail_sheet.h"
#include "thumbs/thumbnail_state.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QtTest>

#include <numeric>

using namespace lf;

namespace {

QStringList lines_of(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split("\r\n", Qt::SkipEmptyParts)
                                       : QStringList();
}

QStringList pictures_in(const QString &dir, int n)
{
    QStringList out;
    for (int i = 1; i <= n; ++i) {
        out << dir + QStringLiteral("/p%1.jpg").arg(i, 3, 10, QLatin1Char('0'));
        test::write_file(out.last());
    }
    return out;
}

} // namespace

class tst_thumbnail_files : public QObject {
    Q_OBJECT
    QString tmp_;

private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        tmp_ = test::fresh_folder(QStringLiteral("tmp_pic"));
        app().tmp_pic_dir = tmp_;
    }

    // Written as .tnf files of CRLF lines, replacing the old sequence of the
    // same prefix only; the screen width sets how many go in one file.
    void lists_become_numbered_files_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QList<int>>("lines"); // per file
        QTest::newRow("9600") << 9600 << QList<int>{10, 10, 5};
        QTest::newRow("12000") << 12000 << QList<int>{18, 7};
        QTest::newRow("9615") << 9615 << QList<int>{28, 1};
    }
    void lists_become_numbered_files()
    {
        QFETCH(int, width);
        QFETCH(QList<int>, lines);
        set_screen_twips(ScreenTwips{width, 9000, 600});
        const QString dir = test::fresh_folder(QStringLiteral("pics"));
        const QStringList pics = pictures_in(dir, std::accumulate(lines.begin(), lines.end(), 0));
        thumbnails().picture_list = pics;
        test::write_file(tmp_ + QStringLiteral("/_thumbnails_09.tnf"));
        test::write_file(tmp_ + QStringLiteral("/other_01.tnf"));
        QVERIFY(write_thumbnail_files(dir, QStringLiteral("_thumbnails_")));
        QStringList names, written;
        for (int k = 1; k <= lines.size(); ++k) {
            names << QStringLiteral("_thumbnails_0%1.tnf").arg(k);
            written += lines_of(tmp_ + QLatin1Char('/') + names.last());
            QCOMPARE(lines_of(tmp_ + QLatin1Char('/') + names.last()).size(), lines[k - 1]);
        }
        QCOMPARE(QDir(tmp_).entryList(QDir::Files), names << "other_01.tnf");
        QCOMPARE(written, pics);
        QCOMPARE(get_setting(key::last_thumbnail_file), tmp_ + QStringLiteral("/_thumbnails_01.tnf"));
        QCOMPARE(get_setting(key::last_picture_file), pics.first());
        QCOMPARE(thumbnails().current_thumbnail_file, tmp_ + QStringLiteral("/_thumbnails_0%1.tnf").arg(lines.size()));
    }

    // Only .jpg, .gif and .bmp files of the folder, in any letter case.
    void folder_order_data()
    {
        QTest::addColumn<bool>("by_time");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("name ascending") << false << false << QStringList{"A.JPG", "b.Bmp", "c.gif"};
        QTest::newRow("name descending") << false << true << QStringList{"c.gif", "b.Bmp", "A.JPG"};
        QTest::newRow("time ascending") << true << false << QStringList{"c.gif", "b.Bmp", "A.JPG"};
        QTest::newRow("time descending") << true << true << QStringList{"A.JPG", "b.Bmp", "c.gif"};
    }
    void folder_order()
    {
        QFETCH(bool, by_time);
        QFETCH(bool, descending);
        QFETCH(QStringList, expected);
        const QString dir = test::fresh_folder(QStringLiteral("pics"));
        const QStringList names{"c.gif", "b.Bmp", "A.JPG", "d.png", "e.jpeg", ".f.jpg"}; // oldest first
        for (int i = 0; i < names.size(); ++i) {
            QFile f(dir + QLatin1Char('/') + names[i]);
            QVERIFY(f.open(QIODevice::WriteOnly)
                    && f.setFileTime(QDateTime(QDate(2020, 5, 1), QTime(9, i)), QFileDevice::FileModificationTime));
        }
        QDir(dir).mkdir(QStringLiteral("g.jpg"));
        QVERIFY(collect_folder_pictures(dir, PictureOrder{false, by_time, descending}));
        QStringList want;
        for (const QString &n : expected)
            want << dir + QLatin1Char('/') + n;
        QCOMPARE(lines_of(tmp_ + QStringLiteral("/_thumbnails_01.tnf")), want);
    }

    // Built, the new sheet is shown at once; chosen, a file that is no sheet
    // ends, a missing one goes back to the dialog.
    void building_and_choosing_a_sheet()
    {
        test::FakeWindows w;
        test::ScriptedPrompt p;
        const QString dir = test::fresh_folder(QStringLiteral("pics"));
        pictures_in(dir, 15);
        save_setting(key::last_picture_file, dir + QStringLiteral("/p001.jpg"));
        p.texts = {dir};
        build_and_show_thumbnails(QString());
        QCOMPARE(p.folders[0].start, dir);
        QCOMPARE(w.calls, QStringList{"load_thumbnail_sheet"});

        const QString good = tmp_ + QStringLiteral("/a_01.TNF");
        test::write_file(good, "/x.jpg\r\n");
        p.texts = {tmp_ + QStringLiteral("/notes.txt"), tmp_ + QStringLiteral("/gone_01.tnf"), good};
        select_thumbnail_file(false);
        select_thumbnail_file(false);
        QCOMPARE(p.message_texts(), (QStringList{"Not a valid thumbnail file", "File not found"}));
        QCOMPARE(p.files.size(), 3);
        QCOMPARE(p.files.first().title, QStringLiteral("Select any thumbnail file"));
        QCOMPARE(w.calls.size(), 2);
        QCOMPARE(get_setting(key::last_thumbnail_file), good);
    }

    void reading_bad_thumbnail_files()
    {
        const QString f = tmp_ + QStringLiteral("/big_01.tnf");
        QByteArray many;
        for (int i = 0; i < 1001; ++i)
            many += "/p/" + QByteArray::number(i) + ".jpg\r\n";
        test::write_file(f, many);
        QCOMPARE(read_thumbnail_file(f).mid(998), (QStringList{"/p/998.jpg", "/p/999.jpg"})); // 1000 at most
        // NUL, an over-long line and blanks keep their positions; a relative
        // line names a file beside the sheet file.
        test::write_file(f, QByteArray("a\0b\r\n", 5) + QByteArray(100000, 'x') + "\n\r\n/ok.jpg\r\nsub/rel.jpg");
        QCOMPARE(read_thumbnail_file(f),
                 (QStringList{QString(), QString(), QString(), "/ok.jpg", tmp_ + QStringLiteral("/sub/rel.jpg")}));
    }

    void sequence_stepping_and_captions()
    {
        auto tn = [&](int n) -> QString { return tmp_ + QStringLiteral("/s_0%1.tnf").arg(n); };
        test::write_file(tn(1));
        const SequenceInfo one = explore_tn_sequence(tn(1));
        QVERIFY(one.n_of_m == "(1 of 1)" && !one.prev_avail && !one.next_avail);
        QCOMPARE(next_previous_tn_file(tn(1), true).message, QStringLiteral("No more thumbnail files available"));
        test::write_file(tn(2));
        test::write_file(tn(3));
        const SequenceInfo two = explore_tn_sequence(tn(2));
        QCOMPARE(sheet_caption(tn(2), two), QStringLiteral("s_02.tnf (2 of 3)"));
        QVERIFY(two.prev_avail && two.next_avail && !explore_tn_sequence(tn(3)).next_avail);
        QCOMPARE(next_previous_tn_file(tn(3), true).file, tn(1));
        QCOMPARE(next_previous_tn_file(tn(1), false).file, tn(3));
        QCOMPARE(next_previous_tn_file(tn(1), true).file, tn(2));
        QCOMPARE(sequence_number(7) + sequence_number(100), QStringLiteral("07100")); // the 100th file
    }
};

QTEST_GUILESS_MAIN(tst_thumbnail_files)
#include "tst_thumbnail_files.moc"
