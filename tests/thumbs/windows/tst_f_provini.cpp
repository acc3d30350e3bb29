// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/picture_versions.h"
#include "app/screen.h"
#include "app/settings.h"
#include "app/window_registry.h"
#include "fake_windows.h"
#include "test_windows.h"
#include "scripted_prompt.h"
#include "test_env.h"
#include "thumbs/thumbnail_state.h"
#include "thumbs/windows/f_provini.h"
#include "viewer/viewer_state.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QtTest>

using namespace lf;

namespace {

QString picture(const QString &dir, const QString &name)
{
    QImage img(QSize(400, 300), QImage::Format_RGB32);
    img.fill(Qt::darkGreen);
    const QString p = dir + QLatin1Char('/') + name;
    img.save(p, "JPG");
    return p;
}

} // namespace

class tst_f_provini : public QObject {
    Q_OBJECT
    QString tmp_, pics_;

    QString sheet_file(int n, int pictures)
    {
        QByteArray lines;
        for (int i = 0; i < pictures; ++i)
            lines += picture(pics_, QStringLiteral("s%1_%2.jpg").arg(n).arg(i)).toUtf8() + "\r\n";
        const QString f = tmp_ + QStringLiteral("/_thumbnails_%1.tnf").arg(n, 2, 10, QLatin1Char('0'));
        test::write_file(f, lines);
        return f;
    }

private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        tmp_ = test::fresh_folder(QStringLiteral("tmp_pic"));
        pics_ = test::fresh_folder(QStringLiteral("pics"));
        app().tmp_pic_dir = tmp_;
        registry().main_panel_loaded = true; // closing the sheet must not end the test
        set_screen_twips(ScreenTwips{15360, 11520, 600});
    }
    void cleanup()
    {
        if (f_provini *s = f_provini::loaded()) {
            registry().busy_opening = true;
            s->close();
            s->close();
            registry().busy_opening = false;
        }
    }

    void draws_the_sheet_and_steps_the_sequence()
    {
        test::FakeWindows w;
        const QString first = sheet_file(1, 9);
        sheet_file(2, 2);
        thumbnails().current_thumbnail_file = first;
        f_provini::load_sheet();
        f_provini *s = f_provini::loaded();
        QVERIFY(s);
        QCOMPARE(s->windowTitle(), QStringLiteral("_thumbnails_01.tnf (1 of 2)"));
        QVERIFY(!s->m_prev->isEnabled());
        QVERIFY(s->m_next->isEnabled());
        QTRY_VERIFY(!s->drawer()->drawing());
        QCOMPARE(s->drawer()->drawn_count(), 9);
        QVERIFY(s->picx(9));
        QCOMPARE(s->l_filename(9)->text(), QStringLiteral("s1_8.jpg"));
        QVERIFY(!s->picx(9)->pixmap().isNull());
        QCOMPARE(get_setting(key::last_thumbnail_file), first);
        QVERIFY(registry().thumbnails_open);

        QTest::keyClick(s, Qt::Key_PageDown);
        QCOMPARE(thumbnails().current_thumbnail_file, tmp_ + QStringLiteral("/_thumbnails_02.tnf"));
        QCOMPARE(w.calls, QStringList{"load_thumbnail_sheet"});
    }

    void page_down_while_drawing_only_stops()
    {
        test::FakeWindows w;
        thumbnails().current_thumbnail_file = sheet_file(1, 20);
        sheet_file(2, 1);
        f_provini::load_sheet();
        f_provini *s = f_provini::loaded();
        QVERIFY(s->drawer()->drawing());
        QTest::keyClick(s, Qt::Key_PageDown);
        QVERIFY(!s->drawer()->drawing());
        QVERIFY(s->m_resume->isEnabled());
        QVERIFY(s->windowTitle().endsWith(QStringLiteral(" (interrupted)")));
        QVERIFY(w.calls.isEmpty());
        const int stopped_at = s->drawer()->drawn_count();
        QVERIFY(stopped_at < 20);
        s->m_resume->trigger();
        QCOMPARE(s->windowTitle(), QStringLiteral("_thumbnails_01.tnf (1 of 2)"));
        QTRY_COMPARE(s->drawer()->drawn_count(), 20);
    }

    void selecting_opening_renaming_and_deleting()
    {
        test::FakeWindows w;
        test::ScriptedPrompt p;
        thumbnails().current_thumbnail_file = sheet_file(1, 3);
        f_provini::load_sheet();
        f_provini *s = f_provini::loaded();
        QTRY_VERIFY(!s->drawer()->drawing());

        QTest::mouseClick(s->picx(1), Qt::LeftButton);
        QTest::mouseClick(s->picx(2), Qt::LeftButton);
        QVERIFY(s->l_filename(1)->styleSheet().contains(QStringLiteral("255, 0, 0")));
        QVERIFY(s->l_filename(2)->styleSheet().contains(QStringLiteral("0, 0, 255")));
        QTest::mouseDClick(s->picx(2), Qt::LeftButton);
        const QString second = pics_ + QStringLiteral("/s1_1.jpg");
        QCOMPARE(w.calls.last(), QStringLiteral("open_picture ") + second + QStringLiteral(" false"));
        QCOMPARE(get_setting(key::last_picture_file), second);

        p.texts = {QStringLiteral("holiday.gif"), QStringLiteral("holiday")};
        QTest::keyClick(s, Qt::Key_N);
        QCOMPARE(p.message_texts(), QStringList{"File extension cannot be modified"});
        QCOMPARE(p.inputs.first().title, QStringLiteral("Renaming the image file"));
        QCOMPARE(p.inputs.first().proposed, QStringLiteral("s1_1.jpg"));
        QVERIFY(QFile::exists(pics_ + QStringLiteral("/holiday.jpg")));
        QCOMPARE(s->l_filename(2)->text(), QStringLiteral("holiday.jpg"));

        p.messages.clear();
        p.answers = {Answer::Ok};
        QTest::keyClick(s, Qt::Key_Delete);
        QCOMPARE(p.messages.first().title, QStringLiteral("Deleting last picture"));
        QCOMPARE(p.messages.first().default_button, 2);
        QVERIFY(!QFile::exists(pics_ + QStringLiteral("/holiday.jpg")));
        QVERIFY(QFile::exists(versions_folder(tmp_, pics_ + QStringLiteral("/holiday.jpg"))
                              + QStringLiteral("/deleted/holiday.jpg")));
        QVERIFY(s->picx(2)->isHidden());
        QVERIFY(!s->picx(3)->isHidden());
        QCOMPARE(viewer().picture_to_open, QString());
    }

    void first_close_while_drawing_only_stops()
    {
        thumbnails().current_thumbnail_file = sheet_file(1, 20);
        f_provini::load_sheet();
        QPointer<f_provini> s = f_provini::loaded();
        QVERIFY(s->drawer()->drawing());
        s->close();
        QVERIFY(s);
        QVERIFY(!s->drawer()->drawing());
        s->close();
        QTRY_VERIFY(!s);
        QVERIFY(!registry().thumbnails_open);
    }

    void a_missing_sheet_file()
    {
        test::ScriptedPrompt p;
        thumbnails().current_thumbnail_file = tmp_ + QStringLiteral("/gone_01.tnf");
        f_provini::load_sheet();
        QVERIFY(!f_provini::loaded());
        QCOMPARE(p.message_texts(), QStringList{"File not found"});
    }

    void an_empty_sheet_is_rebuilt_once()
    {
        test::ScriptedPrompt p;
        test::TestWindows w;
        const QString empty = tmp_ + QStringLiteral("/_thumbnails_01.tnf");
        test::write_file(empty, "");
        save_setting(key::last_thumbnail_file, empty);
        thumbnails().current_thumbnail_file = empty;
        f_provini::load_sheet(); // the folder has no pictures: the last file is the same empty one
        // The rebuild brings the same empty sheet back: the user is asked instead.
        QVERIFY(!f_provini::loaded());
        QCOMPARE(p.files.size(), 1);
    }
};

QTEST_MAIN(tst_f_provini)
#include "tst_f_provini.moc"
