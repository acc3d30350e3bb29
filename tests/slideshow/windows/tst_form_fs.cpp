// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/picture_versions.h"
#include "app/screen.h"
#include "app/settings.h"
#include "fault_injection.h"
#include "motion/windows/form_nf2.h"
#include "panel/windows/f_start.h"
#include "picture_window_fixture.h"
#include "scripted_prompt.h"
#include "slideshow/slide_list.h"
#include "slideshow/windows/form_fs.h"
#include "test_windows.h"
#include "viewer/viewer_state.h"

#include <QFile>
#include <QLabel>
#include <QtTest>

#include <optional>

using namespace lf;

namespace {

template <class W> W *top_level()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *found = qobject_cast<W *>(w); found && found->isVisible())
            return found;
    return nullptr;
}

QLabel *label(form_fs *f, const char *name) { return f->findChild<QLabel *>(QLatin1String(name)); }

} // namespace

class tst_form_fs : public QObject {
    Q_OBJECT
    QString dir;
    QStringList pics; // 40, 80 and 120 pixels wide, 30 high
    std::optional<test::TestWindows> layer;
    std::optional<test::ScriptedPrompt> prompt;

    form_fs *show_of_three()
    {
        SlideList &s = slides();
        s.slide_count = 3;
        for (int i = 1; i <= 3; ++i)
            s.slot(i).path = pics[i - 1];
        s.slide_show_active = s.own_file = true;
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
        for (int i = 1; i <= 3; ++i)
            pics << test::write_picture(dir + QStringLiteral("/p%1.jpg").arg(i), 40 * i, 30);
        layer.emplace();
        prompt.emplace();
    }
    void cleanup() { test::delete_all_windows(), prompt.reset(), layer.reset(); }

    // Past the end it wraps to picture 1: two unseen, in brackets. Its own
    // list file is saved on Escape without a question.
    void runs_steps_and_saves_progress_on_escape()
    {
        form_fs *f = show_of_three();
        QCOMPARE(label(f, "l_filename")->text(), pics[0] + QStringLiteral(" (1/3)"));
        QCOMPARE(label(f, "l_unseen")->text(), QStringLiteral(" Unseen=2"));
        const QList<std::tuple<Qt::Key, int, const char *>> steps{
            {Qt::Key_Space, 1, " Unseen=1"}, {Qt::Key_Backspace, 0, " Unseen=1"}, {Qt::Key_PageDown, 1, " Unseen=1"},
            {Qt::Key_PageDown, 2, " Unseen=0"}, {Qt::Key_PageDown, 0, " Unseen=(2)"}, {Qt::Key_PageUp, 2, nullptr}};
        for (const auto &[key, shown, unseen] : steps) {
            QTest::keyClick(f, key);
            QCOMPARE(f->picture_path(), pics[shown]);
            if (unseen)
                QCOMPARE(label(f, "l_unseen")->text(), QLatin1String(unseen));
        }
        QTest::keyClick(f, Qt::Key_Escape);
        QVERIFY(prompt->messages.isEmpty());
        QCOMPARE(layer->ends, 1);
        QVERIFY(test::read_bytes(slides().slide_show_file).contains("*index_of_last_slide_viewed=3\r\n"));
    }

    // H hides the status bar and shows the picture again; a click on its
    // label brings it back. U runs the show by itself, M stops it. Remembered.
    void status_bar_and_automatic_mode()
    {
        slides().interval_ms = 20;
        form_fs *f = show_of_three();
        QTest::keyClick(f, Qt::Key_H);
        QCOMPARE(f->picture_path(), pics[0]);
        QCOMPARE(label(f, "l_show_hide")->text(), QString(400, QLatin1Char(' ')));
        QVERIFY(!label(f, "l_unseen")->isVisible());
        QCOMPARE(get_setting(key::comments_hidden), QStringLiteral("-1"));
        QTest::mouseClick(label(f, "l_show_hide"), Qt::LeftButton);
        QCOMPARE(label(f, "l_show_hide")->text(), QStringLiteral("Hide status (H)"));
        QCOMPARE(get_setting(key::comments_hidden), QStringLiteral("0"));
        QTest::keyClick(f, Qt::Key_U);
        QCOMPARE(get_setting(key::autom), QStringLiteral("-1"));
        QTRY_COMPARE(f->picture_path(), pics[2]);
        QTest::keyClick(f, Qt::Key_M);
        QCOMPARE(get_setting(key::autom), QStringLiteral("0"));
    }

    // The question stands alone: the panel is out of the way meanwhile and
    // back after Yes, which keeps a copy and moves on.
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
        form_fs *f = show_of_three();
        bool panel_shown = true;
        prompt->while_asking = [&](const MessageRequest &) { panel_shown = panel->isVisible(); };
        prompt->answers = {answer};
        QTest::keyClick(f, Qt::Key_Delete);
        QCOMPARE(prompt->message_texts(), QStringList{"Do you really want to delete file " + pics[0] + "?"});
        const MessageRequest &q = prompt->messages[0];
        QVERIFY(q.title == "Deleting last picture" && q.default_button == 2 && q.buttons == Buttons::YesNo);
        QVERIFY(!panel_shown);
        const bool yes = answer == Answer::Yes;
        QCOMPARE(panel->isVisible(), yes);
        QCOMPARE(QFile::exists(pics[0]), !yes);
        QCOMPARE(QFile::exists(versions_folder(app().tmp_pic_dir, pics[0]) + QStringLiteral("/deleted/p1.jpg")), yes);
        QCOMPARE(f->picture_path(), pics[yes ? 1 : 0]);
        QCOMPARE(slides().slot(1).path.isEmpty(), yes);
    }

    // Beside a single picture a click makes it move at its shown size,
    // centred; a double click hands it to the window it came from.
    void clicks_beside_a_single_picture_data()
    {
        QTest::addColumn<bool>("twice");
        QTest::addColumn<QString>("last_viewer");
        QTest::addColumn<QRect>("moving");
        QTest::newRow("click") << false << QString() << QRect(360, 285, 80, 30);
        QTest::newRow("double, from a picture window") << true << QString() << QRect();
        QTest::newRow("double, from a moving window") << true << QStringLiteral("nf2") << QRect(340, 285, 120, 30);
    }
    void clicks_beside_a_single_picture()
    {
        QFETCH(bool, twice);
        QFETCH(QString, last_viewer);
        QFETCH(QRect, moving);
        const QString shown = pics[moving.width() == 80 ? 1 : 2];
        app().last_picture_file = shown;
        windows().open_slide_show_window();
        form_fs *f = top_level<form_fs>();
        viewer().last_viewer = last_viewer;
        QTest::mouseClick(label(f, "picture1"), Qt::LeftButton);
        QVERIFY(!f->moving_window_pending()); // on the picture: it stays
        twice ? QTest::mouseDClick(f, Qt::LeftButton, {}, QPoint(2, 2))
              : QTest::mouseClick(f, Qt::LeftButton, {}, QPoint(2, 2));
        QTRY_VERIFY(!top_level<form_fs>());
        QCOMPARE(bool(top_level<form_nf>()), moving.isEmpty());
        QCOMPARE(moving.isEmpty() ? top_level<form_nf>()->picture_path() : top_level<form_nf2>()->picture_path(), shown);
        if (!moving.isEmpty())
            QCOMPARE(top_level<form_nf2>()->geometry(), moving);
        QCOMPARE(layer->ends, 0);
    }
};

QTEST_MAIN(tst_form_fs)
#include "tst_form_fs.moc"
