// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/message_window_layout.h"
#include "test_env.h"

#include <QtTest>

using namespace lf;

Q_DECLARE_METATYPE(lf::TwipRect)

class tst_message_window_layout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { test::reset_everything(); }

    void layout_data()
    {
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<bool>("normal");
        QTest::addColumn<int>("height");
        QTest::addColumn<lf::TwipRect>("text");
        QTest::addColumn<lf::TwipRect>("button");
        // text: top 90, width W - 300, left 105; height H - 1150;
        // button 1500 x 300 at text bottom + 120, centred on W - 90.
        QTest::newRow("panel 6000 x 5000") << 6000 << 5000 << true << 5000
                                           << TwipRect{105, 90, 5700, 3850}
                                           << TwipRect{2205, 4060, 1500, 300};
        QTest::newRow("too low snaps to 2000") << 6000 << 1200 << true << 2000
                                               << TwipRect{105, 90, 5700, 850}
                                               << TwipRect{2205, 1060, 1500, 300};
        QTest::newRow("exactly 2000 stays") << 9090 << 2000 << true << 2000
                                            << TwipRect{105, 90, 8790, 850}
                                            << TwipRect{3750, 1060, 1500, 300};
        QTest::newRow("maximised keeps its height") << 6000 << 1200 << false << 1200
                                                    << TwipRect{105, 90, 5700, 50}
                                                    << TwipRect{2205, 260, 1500, 300};
    }
    void layout()
    {
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(bool, normal);
        QFETCH(int, height);
        QFETCH(lf::TwipRect, text);
        QFETCH(lf::TwipRect, button);
        const MessageWindowLayout l = message_window_layout(w, h, normal);
        QCOMPARE(l.height, height);
        QCOMPARE(l.text, text);
        QCOMPARE(l.button, button);
    }
};

QTEST_GUILESS_MAIN(tst_message_window_layout)
#include "tst_message_window_layout.moc"
