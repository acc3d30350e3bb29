// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window_registry.h"

#include <QtTest>

using namespace lf;

Q_DECLARE_METATYPE(lf::AfterClose)

class tst_window_registry : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tags()
    {
        QCOMPARE(format_tag(1), QStringLiteral("0001"));
        QCOMPARE(format_tag(200), QStringLiteral("0200"));
        QCOMPARE(format_tag(12345), QStringLiteral("12345"));
    }

    void add_and_remove()
    {
        QString list;
        add_tag(list, QStringLiteral("0001"));
        add_tag(list, QStringLiteral("0002"));
        add_tag(list, QStringLiteral("0001"));
        QCOMPARE(list, QStringLiteral("|0001|0002"));
        QVERIFY(remove_tag(list, QStringLiteral("0001")));
        QCOMPARE(list, QStringLiteral("|0002"));
        QVERIFY(!remove_tag(list, QStringLiteral("0001")));
        QVERIFY(remove_tag(list, QStringLiteral("0002")));
        QVERIFY(list.isEmpty());
    }

    void removal_matches_whole_entries()
    {
        QString list = QStringLiteral("|10000|1000");
        QVERIFY(remove_tag(list, QStringLiteral("1000")));
        QCOMPARE(list, QStringLiteral("|10000"));
        QVERIFY(!remove_tag(list, QStringLiteral("1000")));
    }

    void closing_rules_data()
    {
        QTest::addColumn<QString>("pictures");
        QTest::addColumn<QString>("shows");
        QTest::addColumn<QString>("moving");
        QTest::addColumn<bool>("thumbs");
        QTest::addColumn<bool>("panel");
        QTest::addColumn<lf::AfterClose>("after_viewer");
        QTest::addColumn<lf::AfterClose>("after_panel");
        using A = AfterClose;
        QTest::newRow("last window") << "" << "" << "" << false << false << A::EndProcess
                                     << A::EndProcess;
        QTest::newRow("panel loaded") << "" << "" << "" << false << true << A::ShowMainPanel
                                      << A::EndProcess;
        QTest::newRow("another picture") << "|0002" << "" << "" << false << false << A::Nothing
                                         << A::Nothing;
        QTest::newRow("picture and panel") << "|0002" << "" << "" << false << true
                                           << A::ShowMainPanel << A::Nothing;
        QTest::newRow("slide show") << "" << "|0001" << "" << false << false << A::Nothing
                                    << A::Nothing;
        QTest::newRow("moving") << "" << "" << "|0001" << false << false << A::Nothing
                                << A::Nothing;
        QTest::newRow("thumbnails") << "" << "" << "" << true << false << A::Nothing
                                    << A::Nothing;
    }
    void closing_rules()
    {
        QFETCH(QString, pictures);
        QFETCH(QString, shows);
        QFETCH(QString, moving);
        QFETCH(bool, thumbs);
        QFETCH(bool, panel);
        QFETCH(lf::AfterClose, after_viewer);
        QFETCH(lf::AfterClose, after_panel);
        WindowRegistry r;
        r.open_picture_windows = pictures;
        r.open_slide_show_windows = shows;
        r.open_moving_windows = moving;
        r.thumbnails_open = thumbs;
        r.main_panel_loaded = panel;
        QCOMPARE(after_viewing_window_closed(r), after_viewer);
        r.main_panel_loaded = false; // the panel's own unload has cleared it
        QCOMPARE(after_main_panel_closed(r), after_panel);
    }

    void ghost_waits_while_busy_or_open()
    {
        WindowRegistry r;
        QVERIFY(nothing_left_open(r));
        r.busy_opening = true;
        QVERIFY(!nothing_left_open(r));
        r.busy_opening = false;
        r.main_panel_loaded = true;
        QVERIFY(!nothing_left_open(r));
        r.main_panel_loaded = false;
        r.thumbnails_open = true;
        QVERIFY(!nothing_left_open(r));
        r.thumbnails_open = false;
        r.open_moving_windows = QStringLiteral("|0001");
        QVERIFY(!nothing_left_open(r));
    }
};

QTEST_GUILESS_MAIN(tst_window_registry)
#include "tst_window_registry.moc"
