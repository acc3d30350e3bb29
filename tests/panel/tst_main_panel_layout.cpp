// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/main_panel_layout.h"

#include <QtTest>

using namespace lf;

Q_DECLARE_METATYPE(lf::TwipRect)

// Places in twips with find labels 450, 465 and 480 wide; controls inside a
// frame are relative to it.
class tst_main_panel_layout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void places_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<lf::TwipRect>("rect");
        const std::pair<const char *, TwipRect> rows[] = {
            {"fra_pictures", {60, 60, 2680, 3420}},       {"b_open_picture", {90, 300, 2490, 300}},
            {"b_search_picture", {90, 1680, 2490, 300}},  {"lab_string1", {90, 2025, 450, 240}},
            {"t_search_string_1", {585, 2025, 2050, 240}}, {"t_search_string_3", {615, 2595, 2020, 240}},
            {"fra_andor", {90, 2880, 2490, 420}},          {"option_or", {1290, 90, 1110, 240}},
            {"fra_slides", {2785, 60, 2680, 2670}},        {"t_interval", {1635, 645, 945, 300}},
            {"b_build_slide_show", {90, 2250, 2490, 300}}, {"fra_thumbnails", {5510, 60, 2680, 1410}},
            {"c_fit_mode", {5510, 1515, 2680, 240}},       {"fra_by_file_name", {5510, 2775, 2680, 645}},
            {"o_sort_descending", {90, 345, 2490, 240}},   {"b_rename_last_pic", {7290, 3570, 900, 300}},
            {"t_last_thumbnail_file", {1905, 4260, 6285, 300}}, {"t_init_dir_for_search", {1905, 4950, 5340, 300}},
            {"List1", {60, 5580, 8130, 2400}}};
        for (const auto &[name, rect] : rows)
            QTest::newRow(name) << QString(name) << rect;
    }
    void places()
    {
        QFETCH(QString, name);
        MainPanelMeasures m;
        m.find_label_widths = {450, 465, 480};
        const MainPanelLayout l = main_panel_layout(m);
        QTEST(l.rects.value(name), "rect");
        QCOMPARE(QSize(l.client_width, l.client_height), QSize(8250, 8070));
    }

    void window_height_with_and_without_menu_bar()
    {
        QCOMPARE(main_panel_height(6000, false), 6495);
        QCOMPARE(main_panel_height(6000, true), 6845);
    }
};

QTEST_GUILESS_MAIN(tst_main_panel_layout)
#include "tst_main_panel_layout.moc"
