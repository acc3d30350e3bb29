// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/screen.h"
#include "app/window_registry.h"
#include "fake_windows.h"
#include "hostile_pictures.h"
#include "motion/windows/form_nf2.h"
#include "scripted_prompt.h"
#include "slideshow/slide_show_file.h"
#include "slideshow/slide_list.h"
#include "slideshow/windows/form_fs.h"
#include "test_env.h"
#include "test_windows.h"
#include "thumbs/thumbnail_state.h"
#include "thumbs/windows/f_provini.h"
#include "viewer/picture_loader.h"
#include "viewer/viewer_state.h"
#include "viewer/windows/form_nf.h"
#include "viewer/windows/image_control.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>

using namespace lf;

// Every window that shows pictures, on every case of the hostile corpus: it
// opens, stays responsive, holds at most max_picture_pixels decoded, and
// shows the good pictures right side up.
namespace {

bool bounded(const QImage &img)
{
    return qint64(img.width()) * img.height() <= max_picture_pixels;
}

template <typename T>
QList<T *> visible()
{
    QList<T *> all;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *f = qobject_cast<T *>(w); f && f->isVisible())
            all << f;
    return all;
}

} // namespace

class tst_hostile_pictures_in_windows : public QObject {
    Q_OBJECT
    QString dir;
    QStringList paths;
    QList<test::HostilePicture> cases;

    void each_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < cases.size(); ++i)
            QTest::newRow(qPrintable(cases[i].name)) << i;
    }

private Q_SLOTS:
    void initTestCase()
    {
        test::reset_everything();
        dir = test::fresh_folder(QStringLiteral("hostile"));
        cases = test::hostile_pictures();
        paths = test::write_hostile_pictures(dir);
    }
    void init()
    {
        test::reset_everything();
        set_screen_twips(ScreenTwips{15360, 11520, 600});
        app().taskbar_height = 600;
        app().frame_width = 120;
        app().frame_height = 405;
        app().tmp_pic_dir = test::fresh_folder(QStringLiteral("tmp_pic"));
        registry().main_panel_loaded = true; // closing a window must not end the test
        viewer().fresh_open = true;
    }
    void cleanup()
    {
        if (f_provini *s = f_provini::loaded()) {
            registry().busy_opening = true;
            s->close();
            s->close();
            registry().busy_opening = false;
        }
        test::delete_all_windows();
    }

    void picture_window_data() { each_data(); }
    void picture_window()
    {
        QFETCH(int, index);
        test::FakeWindows layer;
        test::ScriptedPrompt prompt;
        open_picture(paths[index], false);
        const QList<form_nf *> open = visible<form_nf>();
        const test::HostilePicture &c = cases[index];
        if (open.isEmpty()) {
            // Refused with its reason rather than an empty window.
            QVERIFY(!c.upright.isValid());
            QCOMPARE(prompt.message_texts(), QStringList{"Bad file name: " + paths[index]});
            return;
        }
        QCOMPARE(open.size(), 1);
        const QImage &shown = open[0]->Imagex->picture();
        QVERIFY(bounded(shown));
        if (c.upright.isValid())
            QCOMPARE(shown.size(), c.upright);
        else if (!c.at_most.isValid())
            QVERIFY(shown.isNull());
        if (c.check_quadrants)
            QVERIFY(test::has_upright_quadrants(shown));
        // Still answering: keys and a resize on whatever it shows.
        QTest::keyClick(open[0], '+');
        open[0]->resize(200, 150);
        QCoreApplication::processEvents();
        QCOMPARE(registry().open_picture_windows, QStringLiteral("|0001"));
    }

    void moving_window_data() { each_data(); }
    void moving_window()
    {
        QFETCH(int, index);
        test::FakeWindows layer;
        test::ScriptedPrompt prompt;
        form_nf2 *w = form_nf2::open_moving_window(paths[index]);
        QCoreApplication::processEvents();
        if (!w)
            return; // refused without a window: fine, nothing crashed
        QVERIFY(bounded(w->picture()));
        const test::HostilePicture &c = cases[index];
        if (c.check_quadrants)
            QVERIFY(test::has_upright_quadrants(w->picture()));
    }

    void full_screen_steps_through_all()
    {
        test::TestWindows layer;
        test::ScriptedPrompt prompt;
        QByteArray list;
        for (const QString &p : paths)
            list += p.toUtf8() + "\r\n";
        const QString ssf = dir + QStringLiteral("/hostile.ssf");
        test::write_file(ssf, list + "*index_of_last_slide_viewed=1\r\n*autom/manual=manual\r\n");
        slides().slide_show_file = ssf;
        slides().own_file = true;
        read_slide_show_file();
        QList<form_fs *> open = visible<form_fs>();
        QCOMPARE(open.size(), 1);
        form_fs *f = open[0];
        QStringList seen;
        for (int step = 0; step < paths.size(); ++step) {
            const int i = paths.indexOf(f->picture_path());
            QVERIFY2(i >= 0, qPrintable(f->picture_path()));
            seen << cases[i].name;
            QVERIFY(bounded(f->image()));
            if (cases[i].check_quadrants)
                QVERIFY2(test::has_upright_quadrants(f->image()), qPrintable(cases[i].name));
            QTest::keyClick(f, Qt::Key_Space);
        }
        // Every good picture came on screen.
        for (const test::HostilePicture &c : cases)
            if (c.upright.isValid())
                QVERIFY2(seen.contains(c.name), qPrintable(c.name));
        QTest::keyClick(f, Qt::Key_Escape);
        QTRY_VERIFY(visible<form_fs>().isEmpty());
    }

    void thumbnail_sheets_draw_all()
    {
        test::FakeWindows layer;
        test::ScriptedPrompt prompt;
        const int per = thumbnails().thumbnails_per_file;
        for (int first = 0; first < paths.size(); first += per) {
            const QStringList part = paths.mid(first, per);
            QByteArray lines;
            for (const QString &p : part)
                lines += p.toUtf8() + "\r\n";
            const QString tnf = app().tmp_pic_dir + QStringLiteral("/_thumbnails_%1.tnf").arg(first / per + 1, 2, 10, QLatin1Char('0'));
            test::write_file(tnf, lines);
            thumbnails().current_thumbnail_file = tnf;
            f_provini::load_sheet();
            f_provini *s = f_provini::loaded();
            QVERIFY(s);
            QTRY_VERIFY(!s->drawer()->drawing());
            for (int k = 0; k < part.size(); ++k) {
                const test::HostilePicture &c = cases[first + k];
                QLabel *pic = s->picx(k + 1);
                QVERIFY(pic);
                const QImage thumb = pic->pixmap().toImage();
                QVERIFY(bounded(thumb));
                if (c.check_quadrants)
                    QVERIFY2(test::has_upright_quadrants(thumb), qPrintable(c.name));
            }
            registry().busy_opening = true;
            s->close();
            s->close();
            registry().busy_opening = false;
        }
    }
};

QTEST_MAIN(tst_hostile_pictures_in_windows)
#include "tst_hostile_pictures_in_windows.moc"
