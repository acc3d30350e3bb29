// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/main_panel_layout.h"
#include "test_env.h"

#include <QtTest>

using namespace lf;

class tst_main_panel_layout : public QObject {
    Q_OBJECT
    MainPanelLayout layout(int w1 = 450, int w2 = 465, int w3 = 480)
    {
        MainPanelMeasures m;
        m.find_label_widths = {w1, w2, w3};
        return main_panel_layout(m);
    }

private Q_SLOTS:
    void init() { test::reset_everything(); }

    void sizes_are_whole_pixels()
    {
        QCOMPARE(panel_button_width, 2490);
        QCOMPARE(panel_button_height, 300);
        QCOMPARE(search_field_height, 240);
        QCOMPARE(main_panel_height(6000, false), 6495);
        QCOMPARE(main_panel_height(6000, true), 6845);
    }

    void pictures_frame()
    {
        const auto r = layout().rects;
        QCOMPARE(r["fra_pictures"].left, 60);
        QCOMPARE(r["fra_pictures"].top, 60);
        QCOMPARE(r["fra_pictures"].width, 2680);
    }

    void buttons_stack_45_twips_apart_data()
    {
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("lower");
        QTest::newRow("1") << "b_open_picture" << "b_open_last_picture";
        QTest::newRow("2") << "b_open_last_picture" << "b_delete_last_picture";
        QTest::newRow("3") << "b_delete_last_picture" << "b_edit_last_picture";
        QTest::newRow("4") << "b_edit_last_picture" << "b_search_picture";
        QTest::newRow("5") << "b_search_picture" << "lab_string1";
        QTest::newRow("6") << "t_search_string_1" << "t_search_string_2";
        QTest::newRow("7") << "t_search_string_3" << "fra_andor";
        QTest::newRow("8") << "b_resume_slide_show" << "b_open_slide_show";
        QTest::newRow("9") << "b_open_slide_show" << "b_build_slide_show";
        QTest::newRow("10") << "b_show_thumbnail_file" << "b_build_and_show_thumbnails";
    }
    void buttons_stack_45_twips_apart()
    {
        QFETCH(QString, upper);
        QFETCH(QString, lower);
        const auto r = layout().rects;
        QVERIFY(r.contains(upper) && r.contains(lower));
        QCOMPARE(r[lower].top, r[upper].top + r[upper].height + 45);
    }

    void every_button_is_2490_by_300()
    {
        const auto r = layout().rects;
        for (const char *b : {"b_open_picture", "b_open_last_picture", "b_delete_last_picture",
                              "b_edit_last_picture", "b_search_picture",
                              "b_slideshow_from_search_results", "b_resume_slide_show",
                              "b_open_slide_show", "b_build_slide_show",
                              "b_thumbnails_from_search_results", "b_show_thumbnail_file",
                              "b_build_and_show_thumbnails"}) {
            QCOMPARE(r[b].width, 2490);
            QCOMPARE(r[b].height, 300);
        }
    }

    void search_fields_follow_their_labels_data()
    {
        QTest::addColumn<int>("label_width");
        QTest::newRow("narrow") << 375;
        QTest::newRow("wide") << 900;
    }
    void search_fields_follow_their_labels()
    {
        QFETCH(int, label_width);
        const auto r = layout(label_width, label_width + 15, label_width + 30).rects;
        for (int i = 1; i <= 3; ++i) {
            const TwipRect lab = r[QString("lab_string%1").arg(i)];
            const TwipRect f = r[QString("t_search_string_%1").arg(i)];
            QCOMPARE(lab.width, label_width + 15 * (i - 1));
            QCOMPARE(f.left, lab.left + lab.width + 45);
            QCOMPARE(f.top, lab.top);
            QCOMPARE(f.width, 2500 - lab.width);
            QCOMPARE(f.height, 240);
        }
    }

    void frames_side_by_side_and_nothing_overlaps()
    {
        const MainPanelLayout l = layout();
        const auto &r = l.rects;
        QCOMPARE(r["fra_slides"].left, 60 + 2680 + 45);
        QCOMPARE(r["fra_thumbnails"].left, r["fra_slides"].left + 2680 + 45);
        const TwipRect list = r["List1"];
        QCOMPARE(l.client_height, list.top + list.height + 90);
        QVERIFY(list.left + list.width <= l.client_width - 60);
        // Every control of a frame stays inside it.
        const QHash<QString, QStringList> inside{
            {"fra_pictures", {"b_open_picture", "t_search_string_3", "fra_andor"}},
            {"fra_slides", {"t_interval", "b_build_slide_show"}},
            {"fra_thumbnails", {"b_build_and_show_thumbnails"}},
            {"fra_ascending", {"o_sort_descending"}},
            {"fra_by_file_name", {"o_sort_by_datetime"}}};
        for (auto it = inside.begin(); it != inside.end(); ++it)
            for (const QString &c : it.value()) {
                QVERIFY2(r[c].left + r[c].width <= r[it.key()].width, qPrintable(c));
                QVERIFY2(r[c].top + r[c].height <= r[it.key()].height, qPrintable(c));
            }
    }
};

QTEST_GUILESS_MAIN(tst_main_panel_layout)
#include "tst_main_panel_layout.moc"
