// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/picture_versions.h"
#include "app/file_commands.h"
#include "app/paths.h"
#include "app/screen.h"
#include "app/settings.h"
#include "app/window_registry.h"
#include "scripted_prompt.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_show_file.h"
#include "slideshow/windows/form_fs.h"
#include "panel/windows/f_start.h"
#include "thumbs/thumbnail_state.h"
#include "thumbs/windows/f_provini.h"
#include "test_env.h"
#include "test_windows.h"
#include "motion/windows/form_nf2.h"
#include "viewer/viewer_state.h"
#include "viewer/windows/form_nf.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QtTest>

using namespace lf;

namespace {

form_fs *show_window()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *f = qobject_cast<form_fs *>(w); f && f->isVisible())
            return f;
    }
    return nullptr;
}

QString label(form_fs *f, const char *name)
{
    auto *l = f->findChild<QLabel *>(QLatin1String(name));
    return l ? l->text() : QStringLiteral("<none>");
}

template <class W> W *top_level()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *found = qobject_cast<W *>(w); found && found->isVisible())
            return found;
    }
    return nullptr;
}

// A single picture on the full-screen window.
form_fs *single_picture(const QString &path)
{
    slides().slide_show_active = false;
    app().last_picture_file = path;
    windows().open_slide_show_window();
    return show_window();
}

QByteArray read_all(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class tst_form_fs : public QObject {
    Q_OBJECT
    QString dir;
    QStringList pics;

    // A running show of the three pictures, on its own list file.
    form_fs *show_of_three(test::TestWindows &layer)
    {
        SlideList &s = slides();
        s.slide_count = 3;
        for (int i = 1; i <= 3; ++i)
            s.slot(i).path = pics[i - 1];
        s.slide_show_active = true;
        s.own_file = true;
        s.slide_show_file = dir + QStringLiteral("/x.ssf");
        layer.open_slide_show_window();
        return show_window();
    }

private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        set_screen_twips(ScreenTwips{12000, 9000, 0});
        app().tmp_pic_dir = test::fresh_folder(QStringLiteral("tmp_pic"));
        dir = test::fresh_folder(QStringLiteral("show"));
        pics.clear();
        for (int i = 1; i <= 3; ++i) {
            const QString p = dir + QStringLiteral("/p%1.jpg").arg(i);
            QImage img(40 * i, 30, QImage::Format_RGB32);
            img.fill(QColor(60 * i, 20, 20));
            QVERIFY(img.save(p, "JPG"));
            pics << p;
        }
    }
    void cleanup()
    {
        // Menus are top-level children of their window: delete each once.
        QList<QPointer<QWidget>> all;
        for (QWidget *w : QApplication::topLevelWidgets())
            all << w;
        for (const QPointer<QWidget> &w : all)
            delete w.data();
    }

    void runs_steps_and_saves_progress_on_escape()
    {
        test::TestWindows layer;
        test::ScriptedPrompt prompt;
        const QString ssf = dir + QStringLiteral("/show.ssf");
        test::write_file(ssf, (pics[0] + "|1\r\n" + pics[1] + "\r\n" + pics[2] + "\r\n"
                               "*index_of_last_slide_viewed=2\r\n*autom/manual=manual\r\n")
                                  .toUtf8());
        slides().slide_show_file = ssf;
        slides().own_file = true;
        read_slide_show_file();
        form_fs *f = show_window();
        QVERIFY(f);
        QCOMPARE(f->picture_path(), pics[1]); // the index names the first one
        QCOMPARE(QGuiApplication::clipboard()->text(), pics[1]);
        QCOMPARE(registry().open_slide_show_windows, QLatin1Char('|') + f->tag());
        QCOMPARE(label(f, "l_filename"), pics[1] + QStringLiteral(" (2/3)"));
        QCOMPARE(label(f, "l_unseen"), QStringLiteral(" Unseen=1"));
        QCOMPARE(label(f, "l_auto"), QStringLiteral("Manual*/Auto(F9)"));
        QCOMPARE(get_setting(key::last_picture_file), pics[1]);

        QTest::keyClick(f, Qt::Key_Space);
        QCOMPARE(f->picture_path(), pics[2]);
        QCOMPARE(QGuiApplication::clipboard()->text(), pics[2]);
        QTest::keyClick(f, Qt::Key_Backspace);
        QCOMPARE(f->picture_path(), pics[1]);
        QTest::keyClick(f, Qt::Key_PageDown);
        QTest::keyClick(f, Qt::Key_PageDown); // past the end: picture 1, wrapped
        QCOMPARE(f->picture_path(), pics[0]);
        QVERIFY(f->cursor().wrapped);
        QCOMPARE(label(f, "l_unseen"), QStringLiteral(" Unseen=(2)"));
        QTest::keyClick(f, Qt::Key_PageUp);
        QCOMPARE(f->picture_path(), pics[2]);

        QTest::keyClick(f, Qt::Key_Escape);
        QVERIFY(prompt.messages.isEmpty()); // own file: saved without a question
        QVERIFY(!show_window());
        QVERIFY(registry().open_slide_show_windows.isEmpty());
        QCOMPARE(layer.ends, 1);
        const QByteArray saved = read_all(ssf);
        QVERIFY(saved.endsWith("*index_of_last_slide_viewed=3\r\n*random/sequential=sequential\r\n"
                               "*autom/manual=manual\r\n*interval=0\r\n*comments_visible=YES\r\n"));
        QCOMPARE(slides().resume_slide, 3);
    }

    void next_picture_is_read_ahead()
    {
        test::TestWindows layer;
        test::ScriptedPrompt prompt;
        form_fs *f = show_of_three(layer);
        QVERIFY(f);
        QCOMPARE(f->picture_path(), pics[0]);
        QCOMPARE(f->prefetch_hits(), 0);
        QTest::keyClick(f, Qt::Key_Space);
        QCOMPARE(f->picture_path(), pics[1]);
        QCOMPARE(f->prefetch_hits(), 1);
        QCOMPARE(f->image().width(), 80);
        // 80 x 30 pixels fit: natural size, centred.
        QCOMPARE(f->picture_rect(), (TwipRect{(12000 - 1200) / 2, (9000 - 450) / 2, 1200, 450}));
    }

    void go_to_number_refuses_then_goes()
    {
        test::TestWindows layer;
        test::ScriptedPrompt prompt;
        form_fs *f = show_of_three(layer);
        prompt.texts = {QStringLiteral("0"), QStringLiteral("abc"), QStringLiteral("4"),
                        QStringLiteral("2.5")};
        f->go_to_number();
        QCOMPARE(prompt.message_texts(),
                 (QStringList{QStringLiteral("Numeber not allowed"), QStringLiteral("Format error"),
                              QStringLiteral("Numeber not allowed")}));
        QCOMPARE(prompt.inputs[0].title, QStringLiteral("Select next picture number"));
        QCOMPARE(prompt.inputs[0].prompt, QStringLiteral("Picture number? (type a number from 1 to 3)"));
        QCOMPARE(prompt.inputs[0].proposed, QStringLiteral("1"));
        QCOMPARE(f->picture_path(), pics[1]);
    }

    void automatic_mode_advances_by_itself()
    {
        test::TestWindows layer;
        test::ScriptedPrompt prompt;
        slides().interval_ms = 20;
        form_fs *f = show_of_three(layer);
        QTest::keyClick(f, Qt::Key_U);
        QCOMPARE(get_setting(key::autom), QStringLiteral("-1"));
        QTRY_COMPARE(f->picture_path(), pics[2]);
        QTest::keyClick(f, Qt::Key_M); // manual: one more step, then it stays
        QCOMPARE(get_setting(key::autom), QStringLiteral("0"));
        QVERIFY(!slides().auto_advance);
    }

    void menu_captions_and_single_picture_items()
    {
        test::TestWindows layer;
        test::ScriptedPrompt prompt;
        slides().slide_show_active = false;
        app().last_picture_file = pics[0];
        layer.open_slide_show_window();
        form_fs *f = show_window();
        QVERIFY(f);
        QCOMPARE(f->picture_path(), pics[0]);
        auto *menu = f->findChild<QMenu *>(QStringLiteral("m_popup"));
        QVERIFY(menu);
        QStringList visible;
        for (QAction *a : menu->actions()) {
            if (a->isVisible())
                visible << (a->isSeparator() ? a->objectName() : a->text());
        }
        QCOMPARE(visible, (QStringList{
                              "Exit (ESC)", "Crop or resize image (C)",
                              "Show folder containing this picture (F)",
                              "Close this view and open normal view (B)",
                              "Open normal view without closing this view",
                              "Restore image as it was before altering (CTL-Z)", "Zoom in (+)",
                              "Zoom out (-)", "Original resolution (/)", "Main panel (P)", "m_sep2",
                              "Delete picture (DEL)", "Copy picture to clipboard (CTL+C)",
                              "Edit picture (E)", "Refresh picture (F5)", "Save file as... (A)",
                              "m_ewww", "Hide mousepointer if too central on/off",
                              "Hide status bar on/off (H)"}));
        // No status bar with a single picture, not even the blank label.
        QVERIFY(!f->findChild<QLabel *>(QStringLiteral("l_show_hide"))->isVisible());
        QVERIFY(!f->findChild<QLabel *>(QStringLiteral("l_filename"))->isVisible());

        // Double click hands the decoded picture to a new picture window.
        QTest::mouseDClick(f, Qt::LeftButton);
        QVERIFY(!show_window());
        QVERIFY(!registry().open_picture_windows.isEmpty());
        form_nf *nf = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *candidate = qobject_cast<form_nf *>(w))
                nf = candidate;
        QVERIFY(nf);
        QCOMPARE(nf->picture_path(), pics[0]);
        // It took the held picture: consumed, not decoded again.
        QVERIFY(!viewer().picture_from_holder);
        QVERIFY(viewer().holder.isNull());
        QCOMPARE(layer.ends, 0);
    }

    void held_picture_is_shown_without_decoding_and_reloads_when_changed()
    {
        test::TestWindows layer;
        test::ScriptedPrompt prompt;
        slides().slide_show_active = false;
        app().last_picture_file = pics[0];
        QImage held(400, 300, QImage::Format_RGB32);
        held.fill(Qt::white);
        viewer().holder = held;
        viewer().picture_from_holder = true;
        viewer().original_width = 400 * 15;
        viewer().original_height = 300 * 15;
        layer.open_slide_show_window();
        form_fs *f = show_window();
        QVERIFY(f);
        QVERIFY(!viewer().picture_from_holder);
        QCOMPARE(f->image().width(), 400); // the held one, not the 40-pixel file
        QCOMPARE(f->picture_rect().width, 6000);

        // Edited outside: shown anew when the window comes back.
        QImage edited(70, 30, QImage::Format_RGB32);
        edited.fill(Qt::blue);
        QVERIFY(edited.save(pics[0], "JPG"));
        QFile file(pics[0]);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                 QFileDevice::FileModificationTime));
        file.close();
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(f, &activate);
        QTRY_COMPARE(f->image().width(), 70);
    }

    void status_bar_hides_and_comes_back()
    {
        test::TestWindows layer;
        test::ScriptedPrompt prompt;
        SlideList &s = slides();
        s.slide_count = 1;
        s.slot(1).path = pics[0];
        s.slide_show_active = true;
        s.own_file = true;
        s.slide_show_file = dir + QStringLiteral("/x.ssf");
        layer.open_slide_show_window();
        form_fs *f = show_window();
        QTest::keyClick(f, Qt::Key_H);
        QCOMPARE(label(f, "l_show_hide"), QString(400, QLatin1Char(' ')));
        QVERIFY(!slides().comments_visible);
        QCOMPARE(get_setting(key::comments_hidden), QStringLiteral("-1"));
        auto *blank = f->findChild<QLabel *>(QStringLiteral("l_show_hide"));
        QVERIFY(blank->isVisible());
        QTest::mouseClick(blank, Qt::LeftButton);
        QCOMPARE(label(f, "l_show_hide"), QStringLiteral("Hide status (H)"));
        QCOMPARE(get_setting(key::comments_hidden), QStringLiteral("0"));
    }

    void delete_keeps_a_copy_and_moves_on()
    {
        test::TestWindows layer;
        test::ScriptedPrompt prompt;
        form_fs *f = show_of_three(layer);
        prompt.answers = {Answer::Yes};
        QTest::keyClick(f, Qt::Key_Delete);
        QCOMPARE(prompt.messages[0].text,
                 QStringLiteral("Do you really want to delete file ") + pics[0] + QLatin1Char('?'));
        QCOMPARE(prompt.messages[0].title, QStringLiteral("Deleting last picture"));
        QCOMPARE(prompt.messages[0].default_button, 2);
        QVERIFY(!QFile::exists(pics[0]));
        QVERIFY(QFile::exists(versions_folder(app().tmp_pic_dir, pics[0]) + QStringLiteral("/deleted/p1.jpg")));
        QCOMPARE(app().deleted_pictures, QLatin1Char('|') + pics[0]);
        QVERIFY(slides().slot(1).path.isEmpty());
        QCOMPARE(f->picture_path(), pics[1]);
    }

    void delete_question_stands_alone_on_the_screen_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::newRow("yes deletes and brings the panel back") << Answer::Yes;
        QTest::newRow("no keeps the picture and the panel away") << Answer::No;
    }
    void delete_question_stands_alone_on_the_screen()
    {
        QFETCH(Answer, answer);
        test::TestWindows layer;
        test::ScriptedPrompt prompt;
        layer.show_main_panel();
        f_start *panel = f_start::loaded();
        QVERIFY(panel && panel->isVisible());
        const QString tnf = app().tmp_pic_dir + QStringLiteral("/_thumbnails_01.tnf");
        test::write_file(tnf, (pics[2] + "\r\n").toUtf8());
        thumbnails().current_thumbnail_file = tnf;
        f_provini::load_sheet();
        f_provini *sheet = f_provini::loaded();
        QVERIFY(sheet && sheet->isVisible());

        form_fs *f = show_of_three(layer);
        QVERIFY(f);
        bool panel_during = true, sheet_during = true;
        prompt.while_asking = [&](const MessageRequest &) {
            panel_during = panel->isVisible();
            sheet_during = sheet->isVisible();
        };
        prompt.answers = {answer};
        QTest::keyClick(f, Qt::Key_Delete);
        QCOMPARE(prompt.messages.size(), 1);
        QVERIFY(!panel_during);
        QVERIFY(!sheet_during);
        QVERIFY(sheet->isVisible());
        QCOMPARE(panel->isVisible(), answer == Answer::Yes);
        QCOMPARE(QFile::exists(pics[0]), answer != Answer::Yes);

        registry().busy_opening = true;
        sheet->close();
        registry().busy_opening = false;
    }

    void click_beside_the_picture_makes_it_move()
    {
        test::TestWindows layer;
        test::ScriptedPrompt prompt;
        form_fs *f = single_picture(pics[1]);
        QVERIFY(f);
        QVERIFY(f->picture_rect().left > px_to_twips(2));
        QTest::mouseClick(f, Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(f->moving_window_pending());
        QTRY_VERIFY(!show_window());
        form_nf2 *m = top_level<form_nf2>();
        QVERIFY(m);
        QCOMPARE(m->picture_path(), pics[1]);
        QCOMPARE(registry().open_moving_windows, QLatin1Char('|') + m->tag());
        QVERIFY(registry().open_slide_show_windows.isEmpty());
        // The shown picture, at its shown size, centred on the work area.
        QVERIFY(viewer().holder.isNull());
        QCOMPARE(m->picture().size(), QSize(80, 30));
        QCOMPARE(m->geometry(), QRect((800 - 80) / 2, (600 - 30) / 2, 80, 30));
        QCOMPARE(layer.ends, 0);
    }

    void click_on_the_picture_stays()
    {
        test::TestWindows layer;
        test::ScriptedPrompt prompt;
        form_fs *f = single_picture(pics[1]);
        auto *picture = f->findChild<QLabel *>(QStringLiteral("picture1"));
        QTest::mouseClick(picture, Qt::LeftButton);
        QVERIFY(!f->moving_window_pending());
        QCOMPARE(show_window(), f);
        QVERIFY(!top_level<form_nf2>());
    }

    void double_click_beside_the_picture_is_the_double_click_action()
    {
        test::TestWindows layer;
        test::ScriptedPrompt prompt;
        QPointer<form_fs> f = single_picture(pics[0]);
        QTest::mouseDClick(f, Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(!show_window());
        QVERIFY(!f || !f->moving_window_pending());
        QVERIFY(top_level<form_nf>());
        QVERIFY(!top_level<form_nf2>());
    }

    void double_click_goes_back_to_a_moving_window_when_one_was_last()
    {
        test::TestWindows layer;
        test::ScriptedPrompt prompt;
        form_fs *f = single_picture(pics[2]);
        viewer().last_viewer = QStringLiteral("nf2");
        QTest::mouseDClick(f->findChild<QLabel *>(QStringLiteral("picture1")), Qt::LeftButton);
        QVERIFY(!show_window());
        form_nf2 *m = top_level<form_nf2>();
        QVERIFY(m);
        QCOMPARE(m->picture_path(), pics[2]);
        QCOMPARE(m->size(), QSize(120, 30));
        QVERIFY(!top_level<form_nf>());
        QCOMPARE(app().last_picture_file, pics[2]);
    }

    void save_file_as_copies_the_file()
    {
        test::TestWindows layer;
        test::ScriptedPrompt prompt;
        form_fs *f = single_picture(pics[0]);
        const QString target = test::fresh_folder(QStringLiteral("copies")) + QStringLiteral("/kept.jpg");
        prompt.texts = {target};
        QTest::keyClick(f, Qt::Key_A);
        QCOMPARE(read_all(target), read_all(pics[0]));
        QCOMPARE(get_setting(key::last_saved_as_file), target);
        QCOMPARE(prompt.files.size(), 1);
        QCOMPARE(prompt.files[0].start, dir + QStringLiteral("/p1.jpg"));

        // The menu item does the same; the next one starts where this went.
        prompt.texts = {QString()};
        f->findChild<QAction *>(QStringLiteral("m_save_as"))->trigger();
        QCOMPARE(prompt.files.size(), 2);
        QCOMPARE(prompt.files[1].start, folder_of(target) + QStringLiteral("/p1.jpg"));
        QCOMPARE(show_window(), f);
    }

    void ctrl_z_swaps_with_the_backup_and_shows_it()
    {
        test::TestWindows layer;
        test::ScriptedPrompt prompt;
        form_fs *f = single_picture(pics[0]);
        QCOMPARE(f->image().width(), 40);
        QTest::keyClick(f, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(prompt.message_texts(), QStringList{"Backup file with same file name not found"});

        const QByteArray altered = read_all(pics[0]);
        QImage before(90, 30, QImage::Format_RGB32);
        before.fill(Qt::green);
        const QString backup = newest_backup_for(app().tmp_pic_dir, pics[0]);
        QVERIFY(make_versions_folder(app().tmp_pic_dir, pics[0]) && before.save(backup, "JPG"));
        const QByteArray original = read_all(backup);
        QTest::keyClick(f, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(read_all(pics[0]), original);
        QCOMPARE(f->image().width(), 90);
        // Once more brings the altered one back, through the menu item.
        f->findChild<QAction *>(QStringLiteral("m_restore_uncropped_image"))->trigger();
        QCOMPARE(read_all(pics[0]), altered);
        QCOMPARE(f->image().width(), 40);
        QCOMPARE(prompt.messages.size(), 1);
    }

    void editor_messages_of_this_window()
    {
        test::TestWindows layer;
        test::ScriptedPrompt prompt;
        form_fs *f = single_picture(pics[0]);
        save_setting(key::picture_editor, dir + QStringLiteral("/no-editor"));
        QTest::keyClick(f, Qt::Key_E);
        save_setting(key::picture_editor, QStringLiteral("/bin/true"));
        QVERIFY(QFile::remove(pics[0]));
        f->findChild<QAction *>(QStringLiteral("m_edit_picture"))->trigger();
        QCOMPARE(prompt.message_texts(),
                 (QStringList{"Path of picture editor is wrong.", "No last picture found."}));
        QCOMPARE(prompt.messages[0].buttons, Buttons::Ok);
    }
};

QTEST_MAIN(tst_form_fs)
#include "tst_form_fs.moc"
