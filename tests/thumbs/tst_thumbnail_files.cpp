// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/file_commands.h"
#include "app/random.h"
#include "app/screen.h"
#include "app/settings.h"
#include "fake_windows.h"
#include "scripted_prompt.h"
#include "test_env.h"
#include "slideshow/slide_show_builder.h"
#include "thumbs/thumbnail_files.h"
#include "thumbs/thumbnail_sheet.h"
#include "thumbs/thumbnail_state.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QtTest>

using namespace lf;

namespace {

QStringList lines_of(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray all = f.readAll();
    QStringList out = QString::fromUtf8(all).split(QStringLiteral("\r\n"));
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

QStringList pictures_in(const QString &dir, int n)
{
    QStringList out;
    for (int i = 1; i <= n; ++i) {
        const QString p = dir + QStringLiteral("/p%1.jpg").arg(i, 3, 10, QLatin1Char('0'));
        test::write_file(p);
        out << p;
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

    void grid_follows_screen_width_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("per_file");
        QTest::newRow("9600") << 9600 << 5 << 10;
        QTest::newRow("12000") << 12000 << 6 << 18;
        QTest::newRow("15360") << 15360 << 7 << 28;
        QTest::newRow("9615") << 9615 << 7 << 28;
        QTest::newRow("19200") << 19200 << 7 << 28;
    }
    void grid_follows_screen_width()
    {
        QFETCH(int, width);
        QFETCH(int, columns);
        QFETCH(int, per_file);
        set_screen_twips(ScreenTwips{width, 9000, 600});
        set_thumbnail_grid();
        QCOMPARE(thumbnails().thumbnail_columns, columns);
        QCOMPARE(thumbnails().thumbnails_per_file, per_file);
    }

    void layout_on_a_15360_twip_screen()
    {
        const SheetLayout l = SheetLayout::make(15360, 7, 120, 405);
        QVERIFY(qAbs(l.S - 2015.714) < 0.01);
        QCOMPARE(l.window_width(), 120 + 14950); // 7 x 2135.714
        QCOMPARE(l.load_height(), 405 + 2016);
        QCOMPARE(l.row_of(7), 1);
        QCOMPARE(l.row_of(8), 2);
        QCOMPARE(l.row_of(28), 4);
        QCOMPARE(l.column_of(8), 1);
        QCOMPARE(l.column_of(28), 7);
        QCOMPARE(l.cell_left(1), 120);
        QCOMPARE(l.cell_left(3), 120 + 4271);
        QCOMPARE(l.cell_top(8), 120 + 2486);
        QCOMPARE(l.sheet_height(22), 405 + 350 + 9943); // 4 x 2485.714
    }

    void pictures_fit_their_cells()
    {
        const SheetLayout l = SheetLayout::make(15360, 7, 120, 405);
        // Landscape: full width, centred vertically, label right under it.
        const TwipRect land = fit_in_cell(l, 1, QSize(400, 200));
        QCOMPARE(land.width, 2016);
        QCOMPARE(land.height, 1008);
        QCOMPARE(land.left, 120);
        QCOMPARE(land.top, 120 + 504);
        QCOMPARE(label_under(l, 1, land).top, 120 + 504 + 1008);
        // Portrait: full height, centred horizontally, label at the cell bottom.
        const TwipRect port = fit_in_cell(l, 2, QSize(100, 200));
        QCOMPARE(port.height, 2016);
        QCOMPARE(port.width, 1008);
        QCOMPARE(port.left, l.cell_left(2) + 504);
        QCOMPARE(label_under(l, 2, port).top, 120 + 2016);
        // A small picture is enlarged to the cell; an undecodable one gets the cell.
        QCOMPARE(fit_in_cell(l, 1, QSize(10, 10)).width, 2016);
        QCOMPARE(fit_in_cell(l, 1, QSize()).height, 2016);
    }

    void long_lists_become_numbered_sequences()
    {
        set_screen_twips(ScreenTwips{12000, 9000, 600});
        const QString dir = test::fresh_folder(QStringLiteral("pics"));
        QStringList pics = pictures_in(dir, 25);
        thumbnails().picture_list = pics;
        QVERIFY(write_thumbnail_files(dir, QStringLiteral("_thumbnails_")));
        const QString f1 = tmp_ + QStringLiteral("/_thumbnails_01.tnf");
        const QString f2 = tmp_ + QStringLiteral("/_thumbnails_02.tnf");
        QCOMPARE(lines_of(f1), pics.mid(0, 18));
        QCOMPARE(lines_of(f2), pics.mid(18));
        QCOMPARE(get_setting(key::last_thumbnail_file), f1);
        QCOMPARE(get_setting(key::last_picture_file), pics.first());
        QCOMPARE(thumbnails().current_thumbnail_file, f2);
        QCOMPARE(app().selected_folder, tmp_);

        // Any other width: one file of 25.
        set_screen_twips(ScreenTwips{15360, 9000, 600});
        thumbnails().list_position = thumbnails().file_counter = 0;
        QVERIFY(write_thumbnail_files(dir, QStringLiteral("_thumbnails_")));
        QCOMPARE(lines_of(f1).size(), 25);
        QVERIFY(!QFile::exists(f2));
    }

    void a_new_build_removes_the_old_sequence()
    {
        set_screen_twips(ScreenTwips{9600, 7200, 600});
        const QString dir = test::fresh_folder(QStringLiteral("pics"));
        thumbnails().picture_list = pictures_in(dir, 25); // 3 files of 10
        QVERIFY(write_thumbnail_files(dir, QStringLiteral("x_")));
        QVERIFY(QFile::exists(tmp_ + QStringLiteral("/x_03.tnf")));
        test::write_file(tmp_ + QStringLiteral("/y_01.tnf"));
        thumbnails().picture_list = thumbnails().picture_list.mid(0, 12);
        thumbnails().list_position = thumbnails().file_counter = 0;
        QVERIFY(write_thumbnail_files(dir, QStringLiteral("x_")));
        QVERIFY(QFile::exists(tmp_ + QStringLiteral("/x_02.tnf")));
        QVERIFY(!QFile::exists(tmp_ + QStringLiteral("/x_03.tnf")));
        QVERIFY(QFile::exists(tmp_ + QStringLiteral("/y_01.tnf")));
        // Wildcard characters in a prefix are taken literally.
        thumbnails().list_position = thumbnails().file_counter = 0;
        QVERIFY(write_thumbnail_files(dir, QStringLiteral("*")));
        QVERIFY(QFile::exists(tmp_ + QStringLiteral("/x_01.tnf")));
    }

    void the_hundredth_file_has_three_digits()
    {
        set_screen_twips(ScreenTwips{9600, 7200, 600});
        QStringList list;
        for (int i = 0; i < 1000; ++i)
            list << QStringLiteral("/p/%1.jpg").arg(i);
        thumbnails().picture_list = list;
        QVERIFY(write_thumbnail_files({}, QStringLiteral("s_")));
        QVERIFY(QFile::exists(tmp_ + QStringLiteral("/s_99.tnf")));
        QVERIFY(QFile::exists(tmp_ + QStringLiteral("/s_100.tnf")));
        QCOMPARE(lines_of(tmp_ + QStringLiteral("/s_100.tnf")).first(), QStringLiteral("/p/990.jpg"));
        QCOMPARE(sequence_number(7), QStringLiteral("07"));
    }

    void nothing_is_written_for_an_empty_list()
    {
        QVERIFY(!write_thumbnail_files({}, QStringLiteral("_thumbnails_")));
        QVERIFY(QDir(tmp_).isEmpty());
        QCOMPARE(get_setting(key::last_thumbnail_file), QString());
    }

    void only_the_three_extensions_are_collected()
    {
        const QString dir = test::fresh_folder(QStringLiteral("pics"));
        for (const char *n : {"Photo.JPG", "scan.Bmp", "a.gif", "image.jpeg", "clip.png", ".hidden.jpg"})
            test::write_file(dir + QLatin1Char('/') + QLatin1String(n));
        QDir(dir).mkdir(QStringLiteral("folder.jpg"));
        QStringList got = folder_pictures(dir + QLatin1Char('/'));
        got.sort();
        QCOMPARE(got, (QStringList{dir + QStringLiteral("/Photo.JPG"), dir + QStringLiteral("/a.gif"),
                                   dir + QStringLiteral("/scan.Bmp")}));
    }

    void order_rules_data()
    {
        QTest::addColumn<bool>("by_time");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("name ascending") << false << false << QStringList{"A.jpg", "b.jpg", "c.jpg"};
        QTest::newRow("name descending") << false << true << QStringList{"c.jpg", "b.jpg", "A.jpg"};
        // Times: c oldest, A newest, b in between.
        QTest::newRow("time ascending") << true << false << QStringList{"c.jpg", "b.jpg", "A.jpg"};
        QTest::newRow("time descending") << true << true << QStringList{"A.jpg", "b.jpg", "c.jpg"};
    }
    void order_rules()
    {
        QFETCH(bool, by_time);
        QFETCH(bool, descending);
        QFETCH(QStringList, expected);
        const QString dir = test::fresh_folder(QStringLiteral("pics"));
        const QDateTime base = QDateTime::currentDateTime().addDays(-1);
        const QStringList names{"b.jpg", "A.jpg", "c.jpg"};
        const int age[] = {2, 1, 3};
        for (int i = 0; i < 3; ++i) {
            const QString p = dir + QLatin1Char('/') + names[i];
            test::write_file(p);
            QFile f(p);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(base.addSecs(-100 * age[i]), QFileDevice::FileModificationTime));
        }
        QVERIFY(collect_folder_pictures(dir, PictureOrder{false, by_time, descending}));
        QStringList want;
        for (const QString &n : expected)
            want << dir + QLatin1Char('/') + n;
        QCOMPARE(lines_of(tmp_ + QStringLiteral("/_thumbnails_01.tnf")), want);
    }

    void random_order_keeps_every_path_once()
    {
        seed_random(12345);
        const QString dir = test::fresh_folder(QStringLiteral("pics"));
        QStringList pics = pictures_in(dir, 40);
        QVERIFY(collect_folder_pictures(dir, PictureOrder{true, false, false}));
        QStringList got = lines_of(tmp_ + QStringLiteral("/_thumbnails_01.tnf"))
                        + lines_of(tmp_ + QStringLiteral("/_thumbnails_02.tnf"));
        QCOMPARE(got.size(), 40);
        QVERIFY(got != pics);
        got.sort();
        QCOMPARE(got, pics);
    }

    void choosing_a_thumbnail_file()
    {
        test::FakeWindows w;
        test::ScriptedPrompt p;
        const QString good = tmp_ + QStringLiteral("/a_01.TNF");
        test::write_file(good, "/x.jpg\r\n");
        p.texts = {tmp_ + QStringLiteral("/notes.txt")};
        select_thumbnail_file(false);
        QCOMPARE(p.message_texts(), QStringList{"Not a valid thumbnail file"});
        QCOMPARE(p.files.first().title, QStringLiteral("Select any thumbnail file"));
        QVERIFY(w.calls.isEmpty());

        // A missing file goes back to the dialog.
        p.messages.clear();
        p.texts = {tmp_ + QStringLiteral("/gone_01.tnf"), good};
        select_thumbnail_file(false);
        QCOMPARE(p.message_texts(), QStringList{"File not found"});
        QCOMPARE(p.files.size(), 3);
        QCOMPARE(w.calls, QStringList{"load_thumbnail_sheet"});
        QCOMPARE(get_setting(key::last_thumbnail_file), good);
        QCOMPARE(thumbnails().current_thumbnail_file, good);

        // The last one is taken without asking.
        select_thumbnail_file(true);
        QCOMPARE(p.files.size(), 3);
        QCOMPARE(w.calls.size(), 2);
    }

    void building_a_folder_shows_its_first_sheet()
    {
        test::FakeWindows w;
        test::ScriptedPrompt p;
        set_screen_twips(ScreenTwips{9600, 7200, 600});
        const QString dir = test::fresh_folder(QStringLiteral("pics"));
        pictures_in(dir, 15);
        save_setting(key::last_picture_file, dir + QStringLiteral("/p001.jpg"));
        build_and_show_thumbnails(QString()); // the dialog is closed: the preset folder
        QCOMPARE(p.folders.first().start, dir);
        QCOMPARE(thumbnails().current_thumbnail_file, tmp_ + QStringLiteral("/_thumbnails_01.tnf"));
        QCOMPARE(w.calls, QStringList{"load_thumbnail_sheet"});

        // Cancel in the dialog does nothing.
        p.texts = {QString()};
        build_and_show_thumbnails(QString());
        QCOMPARE(w.calls.size(), 1);
    }

    void reading_bad_thumbnail_files()
    {
        const QString f = tmp_ + QStringLiteral("/big_01.tnf");
        QByteArray many;
        for (int i = 0; i < 5000; ++i)
            many += "/p/" + QByteArray::number(i) + ".jpg\r\n";
        test::write_file(f, many);
        const QStringList l = read_thumbnail_file(f);
        QCOMPARE(l.size(), max_sheet_entries);
        QCOMPARE(l.last(), QStringLiteral("/p/999.jpg"));

        QByteArray junk("a\0b\r\n", 5);
        junk += QByteArray(100000, 'x') + "\n";
        junk += "\r\n/ok.jpg";
        test::write_file(f, junk);
        QCOMPARE(read_thumbnail_file(f), (QStringList{QString(), QString(), QString(), "/ok.jpg"}));
    }

    void sequence_stepping_and_captions()
    {
        const QString base = tmp_ + QStringLiteral("/s_");
        test::write_file(base + QStringLiteral("01.tnf"));
        SequenceInfo one = explore_tn_sequence(base + QStringLiteral("01.tnf"));
        QCOMPARE(one.n_of_m, QStringLiteral("(1 of 1)"));
        QVERIFY(!one.prev_avail && !one.next_avail);
        QCOMPARE(next_previous_tn_file(base + QStringLiteral("01.tnf"), true).message,
                 QStringLiteral("No more thumbnail files available"));

        test::write_file(base + QStringLiteral("02.tnf"));
        test::write_file(base + QStringLiteral("03.tnf"));
        const SequenceInfo two = explore_tn_sequence(base + QStringLiteral("02.tnf"));
        QCOMPARE(sheet_caption(base + QStringLiteral("02.tnf"), two), QStringLiteral("s_02.tnf (2 of 3)"));
        QVERIFY(two.prev_avail && two.next_avail);
        QCOMPARE(next_previous_tn_file(base + QStringLiteral("03.tnf"), true).file, base + QStringLiteral("01.tnf"));
        QCOMPARE(next_previous_tn_file(base + QStringLiteral("01.tnf"), false).file, base + QStringLiteral("03.tnf"));
        QCOMPARE(next_previous_tn_file(base + QStringLiteral("01.tnf"), true).file, base + QStringLiteral("02.tnf"));
        QCOMPARE(next_previous_tn_file(tmp_ + QStringLiteral("/x.txt"), true).message,
                 QStringLiteral("Next file cannot determined"));
        QCOMPARE(next_previous_tn_file(tmp_ + QStringLiteral("/xab.tnf"), true).message,
                 QStringLiteral("File cannot be determined"));
        QCOMPARE(explore_tn_sequence(tmp_ + QStringLiteral("/xab.tnf")).n_of_m, QString());
    }

    void rename_answers_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::newRow("no extension") << "holiday" << int(RenameCheck::Ok) << "holiday.jpg";
        QTest::newRow("same extension other case") << "holiday.JPG" << int(RenameCheck::Ok) << "holiday.JPG";
        QTest::newRow("other extension") << "holiday.gif" << int(RenameCheck::ExtensionChanged) << "holiday.gif";
        QTest::newRow("a path") << "../holiday" << int(RenameCheck::ExtensionChanged) << "../holiday";
        QTest::newRow("a slash") << "a/holiday" << int(RenameCheck::Invalid) << "a/holiday.jpg";
        QTest::newRow("taken") << "taken" << int(RenameCheck::Invalid) << "taken.jpg";
        QTest::newRow("blank") << "  " << int(RenameCheck::Cancelled) << "  ";
    }
    void rename_answers()
    {
        QFETCH(QString, answer);
        QFETCH(int, kind);
        QFETCH(QString, name);
        test::write_file(tmp_ + QStringLiteral("/taken.jpg"));
        // The sheet's reading of an answer: a bare name keeps the extension.
        RenameRules rules;
        rules.add_missing_extension = true;
        const QString old_path = tmp_ + QStringLiteral("/old.jpg");
        const QString as_name = answer_as_name(old_path, answer, rules);
        QCOMPARE(as_name, name);
        QCOMPARE(int(check_new_name(old_path, as_name)), kind);
    }
};

QTEST_GUILESS_MAIN(tst_thumbnail_files)
#include "tst_thumbnail_files.moc"
