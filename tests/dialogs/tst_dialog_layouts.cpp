// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/message_window_layout.h"
#include "dialogs/please_wait_layout.h"

#include <QtTest>

using namespace lf;

Q_DECLARE_METATYPE(lf::TwipRect)

class tst_dialog_layouts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void message_window_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("normal");
        QTest::addColumn<int>("height");
        QTest::addColumn<lf::TwipRect>("text");
        QTest::addColumn<int>("button_top"); // the button is 1500 x 300 at left 2205
        QTest::newRow("6000 x 5000") << QSize(6000, 5000) << true << 5000 << TwipRect{105, 90, 5700, 3850} << 4060;
        QTest::newRow("low snaps to 2000") << QSize(6000, 1200) << true << 2000 << TwipRect{105, 90, 5700, 850} << 1060;
        QTest::newRow("maximised, kept") << QSize(6000, 1200) << false << 1200 << TwipRect{105, 90, 5700, 50} << 260;
    }
    void message_window()
    {
        QFETCH(QSize, size);
        QFETCH(bool, normal);
        const MessageWindowLayout l = message_window_layout(size.width(), size.height(), normal);
        QTEST(l.height, "height");
        QTEST(l.text, "text");
        QFETCH(int, button_top);
        QCOMPARE(l.button, (TwipRect{2205, button_top, 1500, 300}));
    }

    // Window, label and Cancel button (1200 x 375) as left, top, width, height.
    void please_wait_data()
    {
        QTest::addColumn<lf::TwipRect>("label");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QPoint>("button");
        QTest::newRow("short") << TwipRect{2250, 400, 1500, 195} << false << QSize(6000, 1095) << QPoint(2400, 795);
        QTest::newRow("cancel") << TwipRect{2250, 400, 1500, 195} << true << QSize(6000, 1490) << QPoint(2400, 795);
        QTest::newRow("long") << TwipRect{300, 400, 9000, 390} << false << QSize(9600, 1290) << QPoint(4200, 990);
    }
    void please_wait()
    {
        QFETCH(lf::TwipRect, label);
        QFETCH(bool, cancel);
        const PleaseWaitLayout l = please_wait_layout(label.width, label.height, 1200, 375, cancel);
        QTEST(QSize(l.window_width, l.window_height), "window");
        QCOMPARE(l.label, label);
        QTEST(QPoint(l.button.left, l.button.top), "button");
        QCOMPARE(QSize(l.button.width, l.button.height), QSize(1200, 375));
        QCOMPARE(l.button_visible, cancel);
    }
};

QTEST_GUILESS_MAIN(tst_dialog_layouts)
#include "tst_dialog_layouts.moc"
