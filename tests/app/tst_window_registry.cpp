// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window_registry.h"

#include <QtTest>

using namespace lf;

Q_DECLARE_METATYPE(lf::AfterClose)

class tst_window_registry : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tags_are_whole_entries()
    {
        QCOMPARE(format_tag(1) + format_tag(12345), QStringLiteral("000112345"));
        QString list;
        for (const char *tag : {"0001", "10000", "1000", "0001"})
            add_tag(list, QLatin1String(tag));
        QCOMPARE(list, QStringLiteral("|0001|10000|1000"));
        QVERIFY(remove_tag(list, QStringLiteral("1000")) && !remove_tag(list, QStringLiteral("1000")));
        QVERIFY(remove_tag(list, QStringLiteral("0001")));
        QCOMPARE(list, QStringLiteral("|10000"));
    }

    // What closing a picture, show or moving window, or the main panel,
    // leads to; and whether the ghost may end the process.
    void closing_rules_data()
    {
        QTest::addColumn<QString>("open"); // p: another picture, s: show, m: moving, t: thumbnails, b: busy
        QTest::addColumn<bool>("panel");
        QTest::addColumn<lf::AfterClose>("after_viewer");
        QTest::addColumn<lf::AfterClose>("after_panel");
        QTest::addColumn<bool>("ghost_ends");
        using A = AfterClose;
        QTest::newRow("last window") << "" << false << A::EndProcess << A::EndProcess << true;
        QTest::newRow("panel loaded") << "" << true << A::ShowMainPanel << A::EndProcess << false;
        QTest::newRow("another picture") << "p" << false << A::Nothing << A::Nothing << false;
        QTest::newRow("picture and panel") << "p" << true << A::ShowMainPanel << A::Nothing << false;
        QTest::newRow("slide show") << "s" << false << A::Nothing << A::Nothing << false;
        QTest::newRow("moving") << "m" << false << A::Nothing << A::Nothing << false;
        QTest::newRow("thumbnails") << "t" << false << A::Nothing << A::Nothing << false;
        QTest::newRow("busy opening") << "b" << false << A::EndProcess << A::EndProcess << false;
    }
    void closing_rules()
    {
        QFETCH(QString, open);
        QFETCH(bool, panel);
        QFETCH(lf::AfterClose, after_viewer);
        QFETCH(lf::AfterClose, after_panel);
        QFETCH(bool, ghost_ends);
        WindowRegistry r;
        r.open_picture_windows = open == QLatin1String("p") ? QStringLiteral("|0002") : QString();
        r.open_slide_show_windows = open == QLatin1String("s") ? QStringLiteral("|0001") : QString();
        r.open_moving_windows = open == QLatin1String("m") ? QStringLiteral("|0001") : QString();
        r.thumbnails_open = open == QLatin1String("t");
        r.busy_opening = open == QLatin1String("b");
        r.main_panel_loaded = panel;
        QCOMPARE(after_viewing_window_closed(r), after_viewer);
        QCOMPARE(nothing_left_open(r), ghost_ends);
        r.main_panel_loaded = false; // the panel's own unload has cleared it
        QCOMPARE(after_main_panel_closed(r), after_panel);
    }
};

QTEST_GUILESS_MAIN(tst_window_registry)
#include "tst_window_registry.moc"
