// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/settings.h"
#include "app/window_registry.h"
#include "fake_windows.h"
#include "fault_injection.h"
#include "panel/panel_state.h"
#include "scripted_prompt.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_show_builder.h"
#include "test_env.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <unistd.h>

using namespace lf;

namespace {

QStringList slide_paths()
{
    QStringList out;
    for (int i = 1; i <= slides().slide_count; ++i)
        out << slides().slot(i).path;
    return out;
}

QStringList lines_of(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList out = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

void set_time(const QString &path, const QDateTime &t)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(t, QFileDevice::FileModificationTime));
}

} // namespace

class tst_slide_show_builder : public QObject {
    Q_OBJECT
    QString root;
    QString show_file() const { return app().tmp_pic_dir + "/_slideshow.ssf"; }

private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        app().tmp_pic_dir = test::fresh_folder("tmp_pic");
        root = test::fresh_folder("pics");
    }

    void has_subfolders_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<bool>("expected");
        QTest::newRow("no entries") << QStringList{} << QStringList{} << false;
        QTest::newRow("files only") << QStringList{"a.jpg", "sub"} << QStringList{} << false;
        QTest::newRow("dotted folder only") << QStringList{} << QStringList{"pics.old"} << false;
        QTest::newRow("hidden folder only") << QStringList{} << QStringList{".cache"} << false;
        QTest::newRow("plain folder") << QStringList{} << QStringList{"holiday"} << true;
        QTest::newRow("plain among dotted") << QStringList{"x.gif"}
                                            << QStringList{"a.b", "plain"} << true;
    }
    void has_subfolders()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, folders);
        QFETCH(bool, expected);
        for (const QString &f : files)
            test::write_file(root + "/" + f);
        for (const QString &d : folders)
            QDir().mkpath(root + "/" + d);
        QCOMPARE(lf::has_subfolders(root), expected);
        QCOMPARE(lf::has_subfolders(root + "/"), expected);
    }

    void link_to_a_folder_is_no_subfolder()
    {
        const QString elsewhere = test::fresh_folder("elsewhere");
        QVERIFY(QFile::link(elsewhere, root + "/linked"));
        QVERIFY(!lf::has_subfolders(root));
    }

    void lone_dotted_subfolder_asks_nothing()
    {
        test::FakeWindows w;
        test::ScriptedPrompt p;
        test::write_file(root + "/one.jpg");
        test::write_file(root + "/pics.old/two.jpg");
        build_slide_show(root, false);
        QVERIFY(p.messages.isEmpty());
        QCOMPARE(slide_paths(), QStringList{root + "/one.jpg"});
        QVERIFY(w.calls.contains("open_slide_show_window"));
    }

    void no_keeps_the_folder_alone_with_names_as_on_disk()
    {
        test::FakeWindows w;
        test::ScriptedPrompt p;
        p.answers = {Answer::No};
        test::write_file(root + "/Photo.JPG");
        test::write_file(root + "/notes.txt");
        test::write_file(root + "/sub/deep.jpg");
        build_slide_show(root, false);
        QCOMPARE(p.messages.size(), 1);
        QCOMPARE(p.messages[0].text, QString("Do you want to include files in subfolders?"));
        QCOMPARE(p.messages[0].buttons, Buttons::YesNoCancel);
        QCOMPARE(p.messages[0].icon, Icon::Question);
        QCOMPARE(slide_paths(), QStringList{root + "/Photo.JPG"});
        QVERIFY(QFile::exists(slide_paths().value(0)));
        QCOMPARE(lines_of(show_file()), QStringList{root + "/Photo.JPG"});
    }

    void yes_scans_the_tree_dotted_folders_included()
    {
        test::FakeWindows w;
        test::ScriptedPrompt p;
        p.answers = {Answer::Yes};
        test::write_file(root + "/b.jpg");
        test::write_file(root + "/sub/a.GIF");
        test::write_file(root + "/sub/x.old/c.bmp");
        test::write_file(root + "/sub/readme.txt");
        build_slide_show(root, false);
        QCOMPARE(slide_paths(), (QStringList{root + "/b.jpg", root + "/sub/a.GIF",
                                             root + "/sub/x.old/c.bmp"}));
        QVERIFY(!QFile::exists(app().tmp_pic_dir + "/dirscan.tmp"));
        QCOMPARE(get_setting(key::last_slide_show_dir), root);
        QCOMPARE(get_setting(key::last_slide_show), show_file());
        QCOMPARE(slides().slide_show_file, show_file());
        QVERIFY(!slides().own_file);
        QVERIFY(!registry().busy_opening);
        QVERIFY(app().wait_signal.isEmpty());
        QVERIFY(w.calls.contains(
            "please_wait Sorting pictures, this may take some time...\r\n"
            "(click on Cancel if you will run the slide show only in random mode)"));
        QVERIFY(w.calls.contains("please_wait Scanning folders, this may take some time...\r\n"
                                 "(click Cancel to stop scanning)"));
        QCOMPARE(w.calls.last(), QString("open_slide_show_window"));
    }

    void cancel_at_the_question_builds_nothing()
    {
        test::FakeWindows w;
        test::ScriptedPrompt p;
        p.answers = {Answer::Cancel};
        test::write_file(root + "/a.jpg");
        test::write_file(root + "/sub/b.jpg");
        build_slide_show(root, false);
        QVERIFY(!QFile::exists(show_file()));
        QVERIFY(!w.calls.contains("open_slide_show_window"));
    }

    void by_path_puts_all_of_a_folder_before_the_next()
    {
        test::FakeWindows w;
        test::ScriptedPrompt p;
        p.answers = {Answer::Yes, Answer::Yes};
        test::write_file(root + "/B/a.jpg");
        test::write_file(root + "/A/z.jpg");
        test::write_file(root + "/A/b.jpg");
        test::write_file(root + "/c.jpg");
        build_slide_show(root, true); // build_only: the root alone
        QCOMPARE(slide_paths(), QStringList{root + "/c.jpg"});
        build_slide_show(root, false);
        QCOMPARE(slide_paths(), (QStringList{root + "/A/b.jpg", root + "/A/z.jpg",
                                             root + "/B/a.jpg", root + "/c.jpg"}));
        panel_state().sort_descending = true;
        build_slide_show(root, false);
        QCOMPARE(slide_paths(), (QStringList{root + "/c.jpg", root + "/B/a.jpg",
                                             root + "/A/z.jpg", root + "/A/b.jpg"}));
        QCOMPARE(lines_of(show_file()), slide_paths());
    }

    void equal_times_keep_listing_order_both_ways()
    {
        test::FakeWindows w;
        test::ScriptedPrompt p;
        const QDateTime same = QDateTime::fromSecsSinceEpoch(1'600'000'000);
        const QDateTime older = same.addSecs(-3600);
        for (const char *n : {"k.jpg", "c.jpg", "x.jpg", "a.jpg", "m.jpg"}) {
            test::write_file(root + "/" + n);
            set_time(root + "/" + n, same);
        }
        test::write_file(root + "/old.jpg");
        set_time(root + "/old.jpg", older);
        QStringList listed = folder_pictures(root);
        listed.removeAll(root + "/old.jpg");

        panel_state().sort_by_datetime = true;
        build_slide_show(root, true);
        QCOMPARE(slide_paths(), QStringList{root + "/old.jpg"} + listed);
        QCOMPARE(slides().slot(1).time, older);
        panel_state().sort_descending = true;
        build_slide_show(root, true);
        QCOMPARE(slide_paths(), listed + QStringList{root + "/old.jpg"});
    }

    void build_only_asks_and_shows_nothing()
    {
        test::FakeWindows w;
        test::ScriptedPrompt p;
        test::write_file(root + "/a.jpg");
        test::write_file(root + "/sub/b.jpg");
        build_slide_show(root, true);
        QVERIFY(p.messages.isEmpty());
        QCOMPARE(slide_paths(), QStringList{root + "/a.jpg"});
        QVERIFY(!w.calls.contains("open_slide_show_window"));
        QCOMPARE(lines_of(show_file()), QStringList{root + "/a.jpg"});
    }

    void no_pictures_writes_nothing()
    {
        test::FakeWindows w;
        test::ScriptedPrompt p;
        test::write_file(root + "/a.txt");
        build_slide_show(root, false);
        QCOMPARE(p.message_texts(), QStringList{"No pictures found in selected directory."});
        QVERIFY(!QFile::exists(show_file()));
        QVERIFY(!registry().busy_opening);
        QVERIFY(w.calls.isEmpty() || !w.calls.contains("open_slide_show_window"));
    }

    void folder_dialog_starts_at_the_last_folder()
    {
        test::FakeWindows w;
        test::ScriptedPrompt p;
        save_setting(key::last_slide_show_dir, root);
        p.texts = {QString()}; // Cancel
        build_slide_show(QString(), false);
        QCOMPARE(p.folders.size(), 1);
        QCOMPARE(p.folders[0].start, root);
        QVERIFY(!QFile::exists(show_file()));

        test::write_file(root + "/a.jpg");
        p.texts = {root};
        build_slide_show(QString(), false);
        QCOMPARE(slide_paths(), QStringList{root + "/a.jpg"});
    }

    void ten_thousand_limit_data()
    {
        QTest::addColumn<int>("in_root");
        QTest::addColumn<bool>("too_many");
        QTest::newRow("exactly 10,000") << 9999 << false;
        QTest::newRow("10,001") << 10000 << true;
    }
    void ten_thousand_limit()
    {
        QFETCH(int, in_root);
        QFETCH(bool, too_many);
        test::FakeWindows w;
        test::ScriptedPrompt p;
        p.answers = {Answer::Yes};
        for (int i = 0; i < in_root; ++i) {
            QFile f(root + QString("/p%1.jpg").arg(i, 5, 10, QLatin1Char('0')));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        // The sub folder is scanned after every entry of the root.
        test::write_file(root + "/sub/zz_last.jpg");
        build_slide_show(root, false);
        QCOMPARE(slides().slide_count, 10000);
        const QStringList texts = p.message_texts();
        QCOMPARE(texts.contains("Too many files, only the first 10,000 will be shown."), too_many);
        QCOMPARE(slide_paths().contains(root + "/sub/zz_last.jpg"), !too_many);
        QCOMPARE(lines_of(show_file()).size(), 10000);
    }

    void scan_survives_link_loops_and_odd_names()
    {
        test::FakeWindows w;
        test::write_file(root + "/a b \"q\".jpg");
        test::write_file(root + "/line\nbreak.jpg");
        test::write_file(root + "/deep/x.jpg");
        {
            // A name whose bytes are no text cannot be named again.
            const QByteArray bad = QFile::encodeName(root) + "/bad\xff.jpg";
            FILE *f = std::fopen(bad.constData(), "w");
            QVERIFY(f);
            std::fclose(f);
        }
        QVERIFY(QFile::link(root, root + "/deep/loop"));
        QVERIFY(QFile::link(root + "/deep/x.jpg", root + "/linked.jpg"));
        const QString list = app().tmp_pic_dir + "/dirscan.tmp";
        QCOMPARE(scan_folder_tree(root, list), ScanEnd::Finished);
        QStringList found = lines_of(list);
        found.sort();
        QStringList expected{root + "/a b \"q\".jpg", root + "/deep/x.jpg", root + "/linked.jpg"};
        expected.sort();
        QCOMPARE(found, expected);
    }

    void scan_skips_unreadable_folders()
    {
        if (!test::permissions_apply())
            QSKIP("permission bits cannot be made to hold for this process");
        test::FakeWindows w;
        test::write_file(root + "/closed/hidden.jpg");
        test::write_file(root + "/open/seen.jpg");
        QVERIFY(QFile::setPermissions(root + "/closed", QFileDevice::Permissions{}));
        const QString list = app().tmp_pic_dir + "/dirscan.tmp";
        QCOMPARE(scan_folder_tree(root, list), ScanEnd::Finished);
        QFile::setPermissions(root + "/closed", QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                    | QFileDevice::ExeOwner);
        QCOMPARE(lines_of(list), QStringList{root + "/open/seen.jpg"});
    }
};

QTEST_GUILESS_MAIN(tst_slide_show_builder)
#include "tst_slide_show_builder.moc"
