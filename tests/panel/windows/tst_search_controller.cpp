// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "fake_windows.h"
#include "panel/windows/search_controller.h"
#include "scripted_prompt.h"
#include "slideshow/slide_list.h"
#include "test_env.h"
#include "thumbs/thumbnail_state.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QtTest>

using namespace lf;

class tst_search_controller : public QObject {
    Q_OBJECT
    QWidget *panel_ = nullptr;
    QLineEdit *t1_ = nullptr, *t2_ = nullptr, *t3_ = nullptr, *thumb_box_ = nullptr;
    QRadioButton *and_ = nullptr, *or_ = nullptr;
    QListWidget *list_ = nullptr;
    QLabel *label_ = nullptr;
    SearchController *c_ = nullptr;

private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        app().tmp_pic_dir = test::fresh_folder(QStringLiteral("tmp_pic"));
        panel_ = new QWidget;
        t1_ = new QLineEdit(panel_);
        t2_ = new QLineEdit(panel_);
        t3_ = new QLineEdit(panel_);
        thumb_box_ = new QLineEdit(panel_);
        and_ = new QRadioButton(panel_);
        or_ = new QRadioButton(panel_);
        and_->setChecked(true);
        list_ = new QListWidget(panel_);
        label_ = new QLabel(panel_);
        SearchControls sc{panel_, t1_, t2_, t3_, and_, list_, label_};
        sc.t_last_thumbnail_file = thumb_box_;
        c_ = new SearchController(sc, panel_);
    }
    void cleanup() { delete panel_; }

    void search_fills_the_list_and_counts()
    {
        test::ScriptedPrompt p;
        const QString root = test::fresh_folder(QStringLiteral("tree"));
        test::write_file(root + QStringLiteral("/sea/a.jpg"));
        test::write_file(root + QStringLiteral("/sea/b.txt"));
        test::write_file(root + QStringLiteral("/c.gif"));
        app().init_dir_for_search = root;
        t1_->setText(QStringLiteral("sea"));
        c_->search_picture();
        QCOMPARE(p.messages.first().buttons, Buttons::YesNo);
        QCOMPARE(list_->count(), 1);
        QCOMPARE(list_->item(0)->text(), root + QStringLiteral("/sea/a.jpg"));
        QCOMPARE(label_->text(),
                 QStringLiteral("directories searched: 2  --  files searched: 4  --  files found: 1 "));
        QVERIFY(!label_->font().italic());
        QVERIFY(panel_->isEnabled());

        p.answers = {Answer::No};
        c_->search_picture();
        QCOMPARE(list_->count(), 1);
    }

    void escape_stops_the_search()
    {
        test::ScriptedPrompt p;
        const QString root = test::fresh_folder(QStringLiteral("tree"));
        test::write_file(root + QStringLiteral("/a.jpg"));
        app().init_dir_for_search = root;
        app().escape_pressed = true;
        c_->search_picture();
        QVERIFY(!app().escape_pressed);
        QVERIFY(panel_->isEnabled());
    }

    void empty_list_commands()
    {
        test::ScriptedPrompt p;
        c_->slide_show_from_search_results();
        c_->thumbnails_from_search_results();
        QCOMPARE(p.message_texts(),
                 (QStringList{"Search results list is empty", "Search results list is empty"}));
    }

    void slide_show_of_10001_lines()
    {
        test::ScriptedPrompt p;
        test::FakeWindows w;
        // Real files, since the show reads its list back and asks about
        // missing pictures.
        const QString dir = test::fresh_folder(QStringLiteral("found"));
        QStringList lines;
        for (int i = 1; i <= 10001; ++i) {
            lines << dir + QStringLiteral("/%1.jpg").arg(i);
            QFile(lines.last()).open(QIODevice::WriteOnly);
        }
        list_->addItems(lines);
        c_->slide_show_from_search_results();
        QCOMPARE(p.message_texts(),
                 QStringList{"Max number of slides reached (10000). Some slides will not be included."});
        QCOMPARE(slides().slide_count, 10000);
        const QString file = app().tmp_pic_dir + QStringLiteral("/Show.ssf");
        QCOMPARE(slides().slide_show_file, file);
        QVERIFY(slides().own_file);
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> got = f.readAll().split('\n');
        QCOMPARE(got.size(), 10001); // 10000 lines and the empty rest
        QVERIFY(got.at(9999).startsWith((dir + QStringLiteral("/10000.jpg")).toUtf8()));
        QCOMPARE(w.calls, QStringList{"open_slide_show_window"});
    }

    void thumbnails_of_1001_lines()
    {
        test::ScriptedPrompt p;
        test::FakeWindows w;
        QStringList lines;
        for (int i = 1; i <= 1001; ++i)
            lines << QStringLiteral("/p/%1.jpg").arg(i);
        list_->addItems(lines);
        or_->setChecked(true);
        t1_->setText(QStringLiteral("x/y"));
        t3_->setText(QStringLiteral("z"));
        c_->thumbnails_from_search_results();
        const QString tmp = app().tmp_pic_dir;
        QCOMPARE(p.message_texts(),
                 (QStringList{"Too many pictures in list. Only the first 1000 will be shown.",
                              "The thumbnail file(s) will remain in directory \"" + tmp
                                  + "\" till the termination of the program."}));
        QCOMPARE(thumbnails().picture_list.size(), 1000);
        QVERIFY(QFile::exists(tmp + QStringLiteral("/search_or_x_y$$z_01.tnf")));
        QCOMPARE(w.calls, QStringList{"load_thumbnail_sheet"});
        QCOMPARE(thumbnails().current_thumbnail_file, tmp + QStringLiteral("/search_or_x_y$$z_01.tnf"));
        QCOMPARE(thumb_box_->text(), thumbnails().current_thumbnail_file);
    }

    // A line whose file has gone (or never held a picture) must not leave
    // the user with a hidden panel and nothing on screen.
    void list_entry_opens_only_a_picture_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // empty: no such file
        QTest::addColumn<QString>("message");
        QTest::newRow("picture") << test::jpeg_bytes() << QString();
        QTest::newRow("gone") << QByteArray() << QStringLiteral("File not found ");
        QTest::newRow("text named .jpg") << QByteArray("notes") << QStringLiteral("Bad file name: ");
    }
    void list_entry_opens_only_a_picture()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        test::FakeWindows w;
        test::ScriptedPrompt p;
        const QString path = test::fresh_folder(QStringLiteral("found")) + QStringLiteral("/b.jpg");
        if (!bytes.isEmpty())
            test::write_file(path, bytes);
        app().last_picture_file = QStringLiteral("/before.jpg");
        list_->addItems({QStringLiteral("/p/a.jpg"), path});
        QCOMPARE(c_->open_list_entry(1), message.isEmpty());
        if (message.isEmpty()) {
            QCOMPARE(w.calls, QStringList{"open_picture " + path + " true"});
            QCOMPARE(app().last_picture_file, path);
            QVERIFY(p.messages.isEmpty());
        } else {
            QVERIFY(w.calls.isEmpty());
            QCOMPARE(app().last_picture_file, QStringLiteral("/before.jpg"));
            QCOMPARE(p.message_texts(), QStringList{message + path});
        }
        QVERIFY(!c_->open_list_entry(5));
    }
};

QTEST_MAIN(tst_search_controller)
#include "tst_search_controller.moc"
