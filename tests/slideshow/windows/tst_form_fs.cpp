// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/file_commands.h"
#include "app/picture_versions.h"
#include "app/screen.h"
#include "app/settings.h"
#include "app/window_registry.h"
#include "motion/windows/form_nf2.h"
#include "panel/windows/f_start.h"
#include "scripted_prompt.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_show_file.h"
#include "slideshow/windows/form_fs.h"
#include "test_env.h"
#include "test_windows.h"
#include "thumbs/thumbnail_state.h"
#include "thumbs/windows/f_provini.h"
#include "viewer/viewer_state.h"
#include "viewer/windows/form_nf.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QtTest>

#include <optional>

using namespace lf;

namespace {

template <class W> W *top_level()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *found = qobject_cast<W *>(w); found && found->isVisible())
            return found;
    }
    return nullptr;
}

QString label(form_fs *f, const char *name) { return f->findChild<QLabel *>(QLatin1String(name))->text(); }

QByteArray read_all(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A single picture on the full-screen window.
form_fs *single_picture(const QString &path)
{
    app().last_picture_file = path;
    windows().open_slide_show_window();
    return top_level<form_fs>();
}

} // namespace

class tst_form_fs : public QObject {
    Q_OBJECT
    QString dir;
    QStringList pics; // 40, 80 and 120 pixels wide, 30 high
    std::optional<test::TestWindows> layer;
    std::optional<test::ScriptedPrompt> prompt;

    // A running show of the three pictures, on its own list file.
    form_fs *show_of_three()
    {
        SlideList &s = slides();
        s.slide_count = 3;
        for (int i = 1; i <= 3; ++i)
            s.slot(i).path = pics[i - 1];
        s.slide_show_active = true;
        s.own_file = true;
        s.slide_show_file = dir + QStringLiteral("/x.ssf");
        windows().open_slide_show_window();
        return top_level<form_fs>();
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
            pics << dir + QStringLiteral("/p%1.jpg").arg(i);
            QImage img(40 * i, 30, QImage::Format_RGB32);
            img.fill(QColor(60 * i, 20, 20));
            QVERIFY(img.save(pics.last(), "JPG"));
        }
        layer.emplace();
        prompt.emplace();
    }
    void cleanup()
    {
        test::delete_all_windows();
        prompt.reset();
        layer.reset();
    }

    void runs_steps_and_saves_progress_on_escape()
    {
        const QString ssf = dir + QStringLiteral("/show.ssf");
        test::write_file(ssf, (pics[0] + "|1\r\n" + pics[1] + "\r\n" + pics[2] + "\r\n"
                               "*index_of_last_slide_viewed=2\r\n*autom/manual=manual\r\n")
                                  .toUtf8());
        slides().slide_show_file = ssf;
        slides().own_file = true;
        read_slide_show_file();
        form_fs *f = top_level<form_fs>();
        QVERIFY(f);
        QCOMPARE(f->picture_path(), pics[1]); // the index names the first one
        QCOMPARE(label(f, "l_filename"), pics[1] + QStringLiteral(" (2/3)"));
        QCOMPARE(label(f, "l_unseen"), QStringLiteral(" Unseen=1"));
        QCOMPARE(label(f, "l_auto"), QStringLiteral("Manual*/Auto(F9)"));
        // 80 x 30 pixels fit: natural size, centred.
        QCOMPARE(f->picture_rect(), (TwipRect{5400, 4275, 1200, 450}));

        QTest::keyClick(f, Qt::Key_Space);
        QCOMPARE(f->picture_path(), pics[2]);
        QTest::keyClick(f, Qt::Key_Backspace);
        QCOMPARE(f->picture_path(), pics[1]);
        QTest::keyClick(f, Qt::Key_PageDown);
        QTest::keyClick(f, Qt::Key_PageDown); // past the end: picture 1, wrapped
        QCOMPARE(f->picture_path(), pics[0]);
        QCOMPARE(label(f, "l_unseen"), QStringLiteral(" Unseen=(2)"));
        QTest::keyClick(f, Qt::Key_PageUp);
        QCOMPARE(f->picture_path(), pics[2]);

        QTest::keyClick(f, Qt::Key_Escape);
        QVERIFY(prompt->messages.isEmpty()); // own file: saved without a question
        QVERIFY(!top_level<form_fs>());
        QCOMPARE(layer->ends, 1);
        QVERIFY(read_all(ssf).endsWith("*index_of_last_slide_viewed=3\r\n*random/sequential=sequential\r\n"
                                       "*autom/manual=manual\r\n*interval=0\r\n*comments_visible=YES\r\n"));
    }

    void go_to_number_refuses_then_goes()
    {
        form_fs *f = show_of_three();
        prompt->texts = {QStringLiteral("0"), QStringLiteral("abc"), QStringLiteral("2.5")};
        f->go_to_number();
        QCOMPARE(prompt->message_texts(), (QStringList{"Numeber not allowed", "Format error"}));
        QCOMPARE(prompt->inputs[0].title, QStringLiteral("Select next picture number"));
        QCOMPARE(prompt->inputs[0].prompt, QStringLiteral("Picture number? (type a number from 1 to 3)"));
        QCOMPARE(prompt->inputs[0].proposed, QStringLiteral("1"));
        QCOMPARE(f->picture_path(), pics[1]);
    }

    void automatic_mode_advances_by_itself()
    {
        slides().interval_ms = 20;
        form_fs *f = show_of_three();
        QTest::keyClick(f, Qt::Key_U);
        QCOMPARE(get_setting(key::autom), QStringLiteral("-1"));
        QTRY_COMPARE(f->picture_path(), pics[2]);
        QTest::keyClick(f, Qt::Key_M); // manual: one more step, then it stays
        QCOMPARE(get_setting(key::autom), QStringLiteral("0"));
        QVERIFY(!slides().auto_advance);
    }

    void status_bar_hides_and_comes_back()
    {
        form_fs *f = show_of_three();
        QTest::keyClick(f, Qt::Key_H);
        QCOMPARE(label(f, "l_show_hide"), QString(400, QLatin1Char(' ')));
        QVERIFY(!f->findChild<QLabel *>(QStringLiteral("l_unseen"))->isVisible());
        QCOMPARE(get_setting(key::comments_hidden), QStringLiteral("-1"));
        QTest::mouseClick(f->findChild<QLabel *>(QStringLiteral("l_show_hide")), Qt::LeftButton);
        QCOMPARE(label(f, "l_show_hide"), QStringLiteral("Hide status (H)"));
        QCOMPARE(get_setting(key::comments_hidden), QStringLiteral("0"));
    }

    // The question stands alone on the screen: the panel and the sheet are
    // out of the way meanwhile; Yes keeps a copy and moves on.
    void delete_asks_alone_and_keeps_a_copy_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::newRow("yes") << Answer::Yes;
        QTest::newRow("no") << Answer::No;
    }
    void delete_asks_alone_and_keeps_a_copy()
    {
        QFETCH(Answer, answer);
        layer->show_main_panel();
        f_start *panel = f_start::loaded();
        const QString tnf = app().tmp_pic_dir + QStringLiteral("/_thumbnails_01.tnf");
        test::write_file(tnf, (pics[2] + "\r\n").toUtf8());
        thumbnails().current_thumbnail_file = tnf;
        f_provini::load_sheet();
        f_provini *sheet = f_provini::loaded();
        QVERIFY(panel && panel->isVisible() && sheet && sheet->isVisible());
        form_fs *f = show_of_three();
        bool others_shown = true;
        prompt->while_asking = [&](const MessageRequest &) {
            others_shown = panel->isVisible() || sheet->isVisible();
        };
        prompt->answers = {answer};
        QTest::keyClick(f, Qt::Key_Delete);
        QCOMPARE(prompt->message_texts(),
                 QStringList{QStringLiteral("Do you really want to delete file ") + pics[0] + QLatin1Char('?')});
        QCOMPARE(prompt->messages[0].title, QStringLiteral("Deleting last picture"));
        QCOMPARE(prompt->messages[0].default_button, 2);
        QVERIFY(!others_shown);
        QVERIFY(sheet->isVisible());
        const bool yes = answer == Answer::Yes;
        QCOMPARE(panel->isVisible(), yes);
        QCOMPARE(QFile::exists(pics[0]), !yes);
        QCOMPARE(QFile::exists(versions_folder(app().tmp_pic_dir, pics[0]) + QStringLiteral("/deleted/p1.jpg")), yes);
        QCOMPARE(f->picture_path(), pics[yes ? 1 : 0]);
        QCOMPARE(slides().slot(1).path.isEmpty(), yes);
        registry().busy_opening = true;
        sheet->close();
        registry().busy_opening = false;
    }

    void click_beside_a_single_picture_makes_it_move()
    {
        form_fs *f = single_picture(pics[1]);
        QTest::mouseClick(f->findChild<QLabel *>(QStringLiteral("picture1")), Qt::LeftButton);
        QVERIFY(!f->moving_window_pending()); // on the picture: it stays
        QTest::mouseClick(f, Qt::LeftButton, {}, QPoint(2, 2));
        QTRY_VERIFY(!top_level<form_fs>());
        form_nf2 *m = top_level<form_nf2>();
        QVERIFY(m);
        QCOMPARE(m->picture_path(), pics[1]);
        // The shown picture, at its shown size, centred on the work area.
        QCOMPARE(m->geometry(), QRect(360, 285, 80, 30));
        QVERIFY(registry().open_slide_show_windows.isEmpty());
        QCOMPARE(layer->ends, 0);
    }

    // A double click (beside it too) hands the picture to the window it came
    // from: a moving one if that was last, else a picture window.
    void double_click_hands_back_data()
    {
        QTest::addColumn<QString>("last_viewer");
        QTest::newRow("picture window") << QString();
        QTest::newRow("moving window") << QStringLiteral("nf2");
    }
    void double_click_hands_back()
    {
        QFETCH(QString, last_viewer);
        form_fs *f = single_picture(pics[2]);
        viewer().last_viewer = last_viewer;
        QTest::mouseDClick(f, Qt::LeftButton, {}, QPoint(2, 2));
        QTRY_VERIFY(!top_level<form_fs>());
        QCOMPARE(bool(top_level<form_nf2>()), !last_viewer.isEmpty());
        QCOMPARE(bool(top_level<form_nf>()), last_viewer.isEmpty());
        if (form_nf *nf = top_level<form_nf>())
            QCOMPARE(nf->picture_path(), pics[2]);
        else
            QCOMPARE(top_level<form_nf2>()->size(), QSize(120, 30));
    }

    void a_picture_changed_outside_is_shown_anew()
    {
        form_fs *f = single_picture(pics[0]);
        QImage edited(70, 30, QImage::Format_RGB32);
        edited.fill(Qt::blue);
        QVERIFY(edited.save(pics[0], "JPG"));
        QFile file(pics[0]);
        QVERIFY(file.open(QIODevice::ReadWrite)
                && file.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
        file.close();
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(f, &activate);
        QTRY_COMPARE(f->image().width(), 70);
    }

    void ctrl_z_swaps_with_the_backup_and_shows_it()
    {
        form_fs *f = single_picture(pics[0]);
        QTest::keyClick(f, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(prompt->message_texts(), QStringList{"Backup file with same file name not found"});

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
    }
};

QTEST_MAIN(tst_form_fs)
#include "tst_form_fs.moc"
