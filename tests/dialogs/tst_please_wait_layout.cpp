// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/please_wait_layout.h"

#include <QtTest>

using namespace lf;

class tst_please_wait_layout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layout_data()
    {
        QTest::addColumn<int>("label_w");
        QTest::addColumn<int>("label_h");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("label_left");
        QTest::addColumn<int>("button_top");
        // Button 1200 x 375 twips throughout.
        QTest::newRow("short text, no button") << 1500 << 195 << false << 6000 << 1095 << 2250 << 795;
        QTest::newRow("short text, cancel") << 1500 << 195 << true << 6000 << 1490 << 2250 << 795;
        QTest::newRow("long text") << 9000 << 390 << false << 9600 << 1290 << 300 << 990;
        QTest::newRow("exactly at the minimum") << 5400 << 195 << true << 6000 << 1490 << 300 << 795;
    }
    void layout()
    {
        QFETCH(int, label_w);
        QFETCH(int, label_h);
        QFETCH(bool, cancel);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, label_left);
        QFETCH(int, button_top);
        const PleaseWaitLayout l = please_wait_layout(label_w, label_h, 1200, 375, cancel);
        QCOMPARE(l.window_width, width);
        QCOMPARE(l.window_height, height);
        QCOMPARE(l.label.left, label_left);
        QCOMPARE(l.label.top, 400);
        QCOMPARE(l.button_visible, cancel);
        QCOMPARE(l.button.top, button_top);
        QCOMPARE(l.button.left, (width - 1200) / 2);
    }
};

QTEST_GUILESS_MAIN(tst_please_wait_layout)
#include "tst_please_wait_layout.moc"
