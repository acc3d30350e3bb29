// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "fake_windows.h"
#include "fault_injection.h"
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
    QLineEdit *t1_ = nullptr, *t3_ = nullptr, *thumb_box_ = nullptr, *last_file_ = nullptr;
    QRadioButton *or_ = nullptr;
    QListWidget *list_ = nullptr;
    QLabel *label_ = nullptr;
    SearchController *c_ = nullptr;

private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        app().tmp_pic_dir = test::fresh_folder("tmp_pic");
        panel_ = new QWidget;
        auto *and_ = new QRadioButton(panel_);
        or_ = new QRadioButton(panel_);
        and_->setChecked(true);
        c_ = new SearchController({panel_, t1_ = new QLineEdit(panel_), new QLineEdit(panel_),
                                   t3_ = new QLineEdit(panel_), and_, list_ = new QListWidget(panel_),
                                   label_ = new QLabel(panel_), nullptr, thumb_box_ = new QLineEdit(panel_),
                                   last_file_ = new QLineEdit(panel_)},
                                  panel_);
    }
    void cleanup() { delete panel_; }

    void search_fills_the_list_and_counts()
    {
        test::ScriptedPrompt p;
        const QString root = test::fresh_folder("tree");
        test::write_file(root + "/sea/a.jpg");
        test::write_file(root + "/sea/b.txt");
        test::write_file(root + "/c.gif");
        app().init_dir_for_search = root;
        t1_->setText("sea");
        c_->search_picture();
        QCOMPARE(p.messages.first().buttons, Buttons::YesNo);
        QCOMPARE(list_->count(), 1);
        QCOMPARE(list_->item(0)->text(), root + "/sea/a.jpg");
        QCOMPARE(label_->text(), "directories searched: 2  --  files searched: 4  --  files found: 1 ");
        QVERIFY(!label_->font().italic() && panel_->isEnabled());

        p.answers = {Answer::No};
        c_->search_picture();
        QCOMPARE(list_->count(), 1);
        app().escape_pressed = true;
        c_->search_picture();
        QVERIFY(!app().escape_pressed && panel_->isEnabled());

        // Double click: the file opens and its path is shown as the last picture.
        test::FakeWindows w;
        test::write_file(root + "/sea/a.jpg", test::jpeg_bytes());
        QVERIFY(c_->open_list_entry(0) && !c_->open_list_entry(5));
        QCOMPARE(last_file_->text(), root + "/sea/a.jpg");
    }

    void empty_list_commands()
    {
        test::ScriptedPrompt p;
        c_->slide_show_from_search_results();
        c_->thumbnails_from_search_results();
        QCOMPARE(p.message_texts(), (QStringList{"Search results list is empty", "Search results list is empty"}));
    }

    void slide_show_of_10001_lines()
    {
        test::ScriptedPrompt p;
        test::FakeWindows w;
        // Real files: the show reads its list back and asks about missing pictures.
        const QString dir = test::fresh_folder("found");
        for (int i = 1; i <= 10001; ++i) {
            list_->addItem(dir + QString("/%1.jpg").arg(i));
            QFile(list_->item(i - 1)->text()).open(QIODevice::WriteOnly);
        }
        c_->slide_show_from_search_results();
        QCOMPARE(p.message_texts(),
                 QStringList{"Max number of slides reached (10000). Some slides will not be included."});
        QCOMPARE(slides().slide_count, 10000);
        const QString file = app().tmp_pic_dir + "/Show.ssf";
        QVERIFY(slides().slide_show_file == file && slides().own_file);
        const QList<QByteArray> got = test::read_bytes(file).split('\n');
        QCOMPARE(got.size(), 10001); // 10000 lines and the empty rest
        QCOMPARE(got.at(9999), (dir + "/10000.jpg\r").toUtf8());
        QCOMPARE(w.calls, QStringList{"open_slide_show_window"});
    }

    void thumbnails_of_1001_lines()
    {
        test::ScriptedPrompt p;
        test::FakeWindows w;
        for (int i = 1; i <= 1001; ++i)
            list_->addItem(QString("/p/%1.jpg").arg(i));
        or_->setChecked(true);
        t1_->setText("x/y");
        t3_->setText("z");
        c_->thumbnails_from_search_results();
        const QString tmp = app().tmp_pic_dir;
        QCOMPARE(p.message_texts(), (QStringList{"Too many pictures in list. Only the first 1000 will be shown.",
                                                 "The thumbnail file(s) will remain in directory \"" + tmp
                                                     + "\" till the termination of the program."}));
        QCOMPARE(thumbnails().picture_list.size(), 1000);
        QCOMPARE(w.calls, QStringList{"load_thumbnail_sheet"});
        QCOMPARE(thumbnails().current_thumbnail_file, tmp + "/search_or_x_y$$z_01.tnf");
        QVERIFY(QFile::exists(tmp + "/search_or_x_y$$z_01.tnf"));
        QCOMPARE(thumb_box_->text(), thumbnails().current_thumbnail_file);
    }
};

QTEST_MAIN(tst_search_controller)
#include "tst_search_controller.moc"
