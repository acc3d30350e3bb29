// SPDX-License-Identifier: GPL-3.0-or-later
#include "slideshow/slide_keys.h"

#include <QtTest>

using namespace lf;

Q_DECLARE_METATYPE(lf::FsCommand)

// The full-screen window's keys: the same key means one thing during a
// show and another on a single picture.
class tst_slide_keys : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("ctrl");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("show");
        QTest::addColumn<FsCommand>("command");
        QTest::addColumn<int>("pan_x");
        QTest::addColumn<int>("pan_y");
        using C = FsCommand;
        const QString none;
        QTest::newRow("page up steps back in a show") << int(Qt::Key_PageUp) << false << none << true << C::BackwardStep << 0 << 0;
        QTest::newRow("page up pans a single picture down") << int(Qt::Key_PageUp) << false << none << false << C::Pan << 0 << 4800;
        QTest::newRow("page down steps on in a show") << int(Qt::Key_PageDown) << false << none << true << C::ForwardStep << 0 << 0;
        QTest::newRow("page down pans a single picture up") << int(Qt::Key_PageDown) << false << none << false << C::Pan << 0 << -4800;
        QTest::newRow("home pans right") << int(Qt::Key_Home) << false << none << true << C::Pan << 4800 << 0;
        QTest::newRow("end pans left") << int(Qt::Key_End) << false << none << false << C::Pan << -4800 << 0;
        QTest::newRow("arrows pan a little") << int(Qt::Key_Left) << false << none << true << C::Pan << 480 << 0;
        QTest::newRow("down arrow") << int(Qt::Key_Down) << false << none << false << C::Pan << 0 << -480;
        QTest::newRow("space steps in a show") << int(Qt::Key_Space) << false << QString(" ") << true << C::ForwardStep << 0 << 0;
        QTest::newRow("space on a single picture does nothing") << int(Qt::Key_Space) << false << QString(" ") << false << C::None << 0 << 0;
        QTest::newRow("backspace steps back in a show") << int(Qt::Key_Backspace) << false << none << true << C::BackwardStep << 0 << 0;
        QTest::newRow("backspace alone does nothing") << int(Qt::Key_Backspace) << false << none << false << C::None << 0 << 0;
        QTest::newRow("delete only in a show") << int(Qt::Key_Delete) << false << none << false << C::None << 0 << 0;
        QTest::newRow("delete in a show") << int(Qt::Key_Delete) << false << none << true << C::Delete << 0 << 0;
        QTest::newRow("F9 toggles automatic mode in a show") << int(Qt::Key_F9) << false << none << true << C::ToggleAuto << 0 << 0;
        QTest::newRow("F9 alone does nothing") << int(Qt::Key_F9) << false << none << false << C::None << 0 << 0;
        QTest::newRow("ctrl+z restores before any letter") << int(Qt::Key_Z) << true << QString("\x1a") << true << C::RestoreUnaltered << 0 << 0;
        QTest::newRow("ctrl+c copies, plain c crops") << int(Qt::Key_C) << true << QString("\x03") << false << C::CopyPicture << 0 << 0;
        QTest::newRow("c crops") << int(Qt::Key_C) << false << QString("c") << false << C::Crop << 0 << 0;
        QTest::newRow("b ends the show into a normal window") << int(Qt::Key_B) << false << QString("b") << true << C::NormalView << 0 << 0;
        QTest::newRow("enter") << int(Qt::Key_Enter) << false << QString("\r") << false << C::NextOrHandBack << 0 << 0;
        QTest::newRow("plus zooms in") << int(Qt::Key_Plus) << false << QString("+") << true << C::ZoomIn << 0 << 0;
        QTest::newRow("minus zooms out") << int(Qt::Key_Minus) << false << QString("-") << true << C::ZoomOut << 0 << 0;
        QTest::newRow("slash shows the natural size") << int(Qt::Key_Slash) << false << QString("/") << false << C::NaturalSize << 0 << 0;
        QTest::newRow("another typed key restores proportions") << int(Qt::Key_Q) << false << QString("q") << true << C::RestoreProportions << 0 << 0;
        QTest::newRow("a key without text does nothing") << int(Qt::Key_Shift) << false << none << true << C::None << 0 << 0;
    }
    void keys()
    {
        QFETCH(int, key);
        QFETCH(bool, ctrl);
        QFETCH(QString, text);
        QFETCH(bool, show);
        QFETCH(FsCommand, command);
        QFETCH(int, pan_x);
        QFETCH(int, pan_y);
        const FsKeyAction a = fs_key_action(key, ctrl, false, text, show);
        QCOMPARE(a.command, command);
        QCOMPARE(a.pan_x, pan_x);
        QCOMPARE(a.pan_y, pan_y);
    }

    void the_menu_key_only_without_modifiers()
    {
        QCOMPARE(fs_key_action(Qt::Key_Menu, false, false, {}, true).command, FsCommand::Menu);
        QCOMPARE(fs_key_action(Qt::Key_Menu, false, true, {}, true).command, FsCommand::None);
        QCOMPARE(fs_key_action(Qt::Key_Menu, true, false, {}, true).command, FsCommand::None);
    }
};

QTEST_GUILESS_MAIN(tst_slide_keys)
#include "tst_slide_keys.moc"
