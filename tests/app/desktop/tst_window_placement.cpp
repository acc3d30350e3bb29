// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/window_registry.h"
#include "app/windows/startup.h"
#include "dialogs/windows/f_please_wait.h"
#include "panel/windows/f_start.h"
#include "picture_window_fixture.h"
#include "test_windows.h"
#include "thumbs/thumbnail_files.h"
#include "thumbs/windows/f_provini.h"
#include "viewer/windows/picture_window_save_host.h"
#include "x_desktop.h"

#include <QPushButton>
#include <QtTest>

using namespace lf;

// Every window the program places shows its title bar and borders on the
// screen, with the frame openbox really gives it.
class tst_window_placement : public QObject {
    Q_OBJECT
    QString pics_;

private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        measure_desktop();
        app().tmp_pic_dir = test::fresh_folder(QStringLiteral("tmp_pic"));
        pics_ = test::fresh_folder(QStringLiteral("pics"));
        registry().main_panel_loaded = true; // closing windows must not end the test
    }
    void cleanup()
    {
        f_please_wait::unload();
        registry().busy_opening = true;
        test::delete_all_windows();
        registry().busy_opening = false;
    }

    void frame_on_screen_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("picture window, large picture") << "picture";
        QTest::newRow("save preview at the top left") << "preview";
        QTest::newRow("thumbnail sheet") << "sheet";
        QTest::newRow("progress window with Cancel") << "progress";
        QTest::newRow("main panel at start") << "panel";
    }
    void frame_on_screen()
    {
        QFETCH(QString, window);
        test::TestWindows windows;
        for (int i = 0; i < 6; ++i)
            test::write_picture(pics_ + QStringLiteral("/p%1.jpg").arg(i), 3000, 2400);
        QWidget *w = nullptr;
        QPoint wanted_top_left(-1, -1);
        if (window == QLatin1String("picture")) {
            lf::open_picture(pics_ + QStringLiteral("/p0.jpg"), false);
            w = test::newest_picture_window();
        } else if (window == QLatin1String("preview")) {
            QWidget owner;
            PictureWindowSaveHost host(&owner, {});
            host.open_preview(pics_ + QStringLiteral("/p1.jpg"));
            w = host.preview();
            wanted_top_left = QPoint(0, 0);
        } else if (window == QLatin1String("sheet")) {
            build_and_show_thumbnails(pics_);
            w = f_provini::loaded();
        } else if (window == QLatin1String("progress")) {
            app().wait_signal = show_cancel;
            f_please_wait::show_text(QStringLiteral("Scanning folders, this may take some time...\n"
                                                    "(click Cancel to stop scanning)"));
            w = f_please_wait::get();
        } else {
            registry().main_panel_loaded = false;
            windows.show_main_panel();
            windows.place_main_panel_at_start();
            w = f_start::loaded();
        }
        QVERIFY(w);
        const desk::WindowId id = desk::id_of(w);
        QTRY_VERIFY(desk::client_list().contains(id));
        desk::sync_with_window_manager();
        QTRY_VERIFY(desk::screen_rect().contains(desk::frame_rect(id)));
        if (wanted_top_left.x() >= 0)
            QTRY_COMPARE(desk::frame_rect(id).topLeft(), wanted_top_left);
        if (auto *pw = qobject_cast<f_please_wait *>(w))
            QVERIFY(QRect(QPoint(), pw->size()).contains(pw->b_cancel->geometry()));
    }
};

QTEST_MAIN(tst_window_placement)
#include "tst_window_placement.moc"
