// SPDX-License-Identifier: GPL-3.0-or-later
// The rig's 1366 x 768 screen scaled to 200 %: 683 x 384 logical pixels,
// less than the main panel needs.
#include "app/window_registry.h"
#include "app/windows/startup.h"
#include "panel/windows/f_start.h"
#include "scripted_prompt.h"
#include "test_env.h"
#include "test_windows.h"
#include "x_desktop.h"

#include <QtTest>

using namespace lf;

class tst_scaled_screen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void a_panel_taller_than_the_screen_opens_with_its_title_on_it()
    {
        test::reset_everything();
        measure_desktop();
        test::TestWindows layer;
        test::ScriptedPrompt prompt;
        layer.show_main_panel();
        layer.place_main_panel_at_start();
        const desk::WindowId id = desk::id_of(f_start::loaded());
        QTRY_VERIFY(desk::client_list().contains(id));
        desk::sync_with_window_manager();
        const QRect screen = desk::screen_rect();
        QVERIFY2(desk::frame_rect(id).height() > screen.height(), "the panel fits: nothing to check");
        QTRY_VERIFY(desk::frame_rect(id).top() >= screen.top() && desk::frame_rect(id).left() >= screen.left());
        registry().busy_opening = true; // closing the panel must not end the test
        test::delete_all_windows();
    }
};

int main(int argc, char *argv[])
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    tst_scaled_screen t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_scaled_screen.moc"
