// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/screen.h"
#include "app/settings.h"
#include "app/window_registry.h"
#include "fake_windows.h"
#include "scripted_prompt.h"
#include "test_env.h"
#include "thumbs/thumbnail_state.h"
#include "thumbs/windows/f_provini.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QtTest>

using namespace lf;

class tst_f_provini : public QObject {
    Q_OBJECT
    QString tmp_, pics_;

    QString sheet_file(int n, int pictures)
    {
        QImage img(QSize(400, 300), QImage::Format_RGB32);
        img.fill(Qt::darkGreen);
        QByteArray lines;
        for (int i = 0; i < pictures; ++i) {
            const QString p = pics_ + QStringLiteral("/s%1_%2.jpg").arg(n).arg(i);
            img.save(p, "JPG");
            lines += p.toUtf8() + "\r\n";
        }
        test::write_file(tmp_ + QStringLiteral("/_thumbnails_0%1.tnf").arg(n), lines);
        return tmp_ + QStringLiteral("/_thumbnails_0%1.tnf").arg(n);
    }

private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        app().tmp_pic_dir = tmp_ = test::fresh_folder(QStringLiteral("tmp_pic"));
        pics_ = test::fresh_folder(QStringLiteral("pics"));
        registry().main_panel_loaded = true; // closing the sheet must not end the test
        set_screen_twips(ScreenTwips{15360, 11520, 600});
    }

    // Page Down and the first close while drawing only stop it; drawn,
    // pictures are chosen, opened, renamed and deleted on the sheet, and
    // Page Down steps to the next file of the sequence.
    void drawing_using_and_stepping_a_sheet()
    {
        test::FakeWindows w;
        test::ScriptedPrompt p;
        thumbnails().current_thumbnail_file = sheet_file(1, 20);
        sheet_file(2, 1);
        f_provini::load_sheet();
        QPointer<f_provini> s = f_provini::loaded();
        QTest::keyClick(s, Qt::Key_PageDown);
        QVERIFY(s->m_resume->isEnabled());
        QCOMPARE(s->windowTitle(), QStringLiteral("_thumbnails_01.tnf (1 of 2) (interrupted)"));
        s->m_resume->trigger();
        QCOMPARE(s->windowTitle(), QStringLiteral("_thumbnails_01.tnf (1 of 2)"));
        s->close();
        QVERIFY(s && !s->drawer()->drawing());
        QVERIFY(w.calls.isEmpty());
        s->m_resume->trigger();
        QTRY_COMPARE(s->drawer()->drawn_count(), 20);
        QCOMPARE(s->l_filename(20)->text(), QStringLiteral("s1_19.jpg"));
        QVERIFY(!s->picx(20)->pixmap().isNull());
        QVERIFY(!s->m_prev->isEnabled() && s->m_next->isEnabled());

        QTest::mouseClick(s->picx(1), Qt::LeftButton);
        QTest::mouseClick(s->picx(2), Qt::LeftButton);
        QVERIFY(s->l_filename(1)->styleSheet().contains(QStringLiteral("255, 0, 0")));
        QVERIFY(s->l_filename(2)->styleSheet().contains(QStringLiteral("0, 0, 255")));
        QTest::mouseDClick(s->picx(2), Qt::LeftButton);
        const QString second = pics_ + QStringLiteral("/s1_1.jpg");
        QCOMPARE(w.calls, QStringList{"open_picture " + second + " false"});
        QCOMPARE(get_setting(key::last_picture_file), second);
        p.texts = {QStringLiteral("trip")}; // keeps the picture's extension
        QTest::keyClick(s, Qt::Key_N);
        QCOMPARE(p.inputs.first().title, QStringLiteral("Renaming the image file"));
        QCOMPARE(p.inputs.first().proposed, QStringLiteral("s1_1.jpg"));
        QCOMPARE(s->l_filename(2)->text(), QStringLiteral("trip.jpg"));
        p.answers = {Answer::Ok};
        QTest::keyClick(s, Qt::Key_Delete);
        const MessageRequest &q = p.messages.first();
        QVERIFY(q.title == "Deleting last picture" && q.default_button == 2 && q.icon == Icon::Question);
        QVERIFY(!QFile::exists(pics_ + QStringLiteral("/trip.jpg")));
        QVERIFY(s->picx(2)->isHidden());

        QTest::keyClick(s, Qt::Key_PageDown);
        QCOMPARE(thumbnails().current_thumbnail_file, tmp_ + QStringLiteral("/_thumbnails_02.tnf"));
        QCOMPARE(w.calls.last(), QStringLiteral("load_thumbnail_sheet"));
        s->close();
        QTRY_VERIFY(!s);
        QVERIFY(!registry().thumbnails_open);
    }
};

QTEST_MAIN(tst_f_provini)
#include "tst_f_provini.moc"
