// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/settings.h"
#include "fake_windows.h"
#include "fault_injection.h"
#include "panel/panel_state.h"
#include "scripted_prompt.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_show_builder.h"
#include "slideshow/slide_sort.h"
#include "test_env.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <optional>

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

} // namespace

class tst_slide_show_builder : public QObject {
    Q_OBJECT
    QString root;
    std::optional<test::FakeWindows> w;
    std::optional<test::ScriptedPrompt> p;
    QString show_file() const { return app().tmp_pic_dir + "/_slideshow.ssf"; }

private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        app().tmp_pic_dir = test::fresh_folder("tmp_pic");
        root = test::fresh_folder("pics");
        w.emplace();
        p.emplace();
    }
    void cleanup()
    {
        p.reset();
        w.reset();
    }

    // Only a plain folder asks whether to include subfolders.
    void has_subfolders_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<bool>("expected");
        QTest::newRow("files only") << QStringList{"a.jpg", "sub"} << QStringList{} << false;
        QTest::newRow("dotted folder only") << QStringList{} << QStringList{"pics.old"} << false;
        QTest::newRow("hidden folder only") << QStringList{} << QStringList{".cache"} << false;
        QTest::newRow("link to a folder") << QStringList{} << QStringList{"@linked"} << false;
        QTest::newRow("plain among dotted") << QStringList{"x.gif"} << QStringList{"a.b", "plain"} << true;
    }
    void has_subfolders()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, folders);
        for (const QString &f : files)
            test::write_file(root + "/" + f);
        for (const QString &d : folders)
            QVERIFY(d.startsWith('@') ? QFile::link(test::fresh_folder("elsewhere"), root + "/" + d.mid(1))
                                      : QDir().mkpath(root + "/" + d));
        QTEST(lf::has_subfolders(root), "expected");
        QTEST(lf::has_subfolders(root + "/"), "expected");
    }

    // Yes scans the tree (dotted folders too), No the folder alone, Cancel
    // builds nothing; names as on disk, any case of extension.
    void the_subfolder_question_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QStringList>("expected");
        // (The tree scan keeps hidden files; the folder listing leaves them out.)
        QTest::newRow("yes") << Answer::Yes
                             << QStringList{"/.hidden.jpg", "/Photo.JPG", "/sub/a.GIF", "/sub/x.old/c.bmp"};
        QTest::newRow("no") << Answer::No << QStringList{"/Photo.JPG"};
        QTest::newRow("cancel") << Answer::Cancel << QStringList{};
    }
    void the_subfolder_question()
    {
        QFETCH(Answer, answer);
        QFETCH(QStringList, expected);
        p->answers = {answer};
        for (const char *f : {"/Photo.JPG", "/.hidden.jpg", "/notes.txt", "/sub/a.GIF",
                              "/sub/x.old/c.bmp", "/sub/readme.txt"})
            test::write_file(root + f);
        build_slide_show(root, false);
        QCOMPARE(p->message_texts(), QStringList{"Do you want to include files in subfolders?"});
        QCOMPARE(p->messages[0].buttons, Buttons::YesNoCancel);
        for (QString &e : expected)
            e.prepend(root);
        QCOMPARE(slide_paths(), expected);
        QCOMPARE(lines_of(show_file()), expected);
        QCOMPARE(w->calls.contains("open_slide_show_window"), !expected.isEmpty());
        if (answer != Answer::Yes)
            return;
        QVERIFY(!QFile::exists(app().tmp_pic_dir + "/dirscan.tmp"));
        QCOMPARE(get_setting(key::last_slide_show_dir), root);
        QCOMPARE(get_setting(key::last_slide_show), show_file());
        QVERIFY(!slides().own_file);
        QVERIFY(w->calls.contains("please_wait Scanning folders, this may take some time...\r\n"
                                 "(click Cancel to stop scanning)"));
    }

    void lone_dotted_subfolder_or_build_only_asks_nothing()
    {
        test::write_file(root + "/one.jpg");
        test::write_file(root + "/pics.old/two.jpg");
        build_slide_show(root, false);
        QCOMPARE(slide_paths(), QStringList{root + "/one.jpg"});
        QVERIFY(w->calls.contains("open_slide_show_window"));
        w->calls.clear();
        test::write_file(root + "/sub/three.jpg");
        build_slide_show(root, true);
        QVERIFY(p->messages.isEmpty());
        QCOMPARE(lines_of(show_file()), QStringList{root + "/one.jpg"});
        QVERIFY(w->calls.isEmpty() || !w->calls.contains("open_slide_show_window"));
    }

    void by_time_the_oldest_comes_first()
    {
        for (const char *f : {"/a.jpg", "/z.jpg"})
            test::write_file(root + f);
        QFile z(root + "/z.jpg");
        QVERIFY(z.open(QIODevice::ReadWrite)
                && z.setFileTime(QDateTime::fromSecsSinceEpoch(1'600'000'000), QFileDevice::FileModificationTime));
        panel_state().sort_by_datetime = true;
        build_slide_show(root, true);
        QCOMPARE(slide_paths(), (QStringList{root + "/z.jpg", root + "/a.jpg"}));
    }

    void sort_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<qint64>>("times");
        QTest::addColumn<bool>("by_time");
        QTest::addColumn<bool>("desc");
        QTest::addColumn<QStringList>("expected");
        const QStringList tree{"/p/B/a.jpg", "/p/A/z.jpg", "/p/a/m.jpg", "/p/A/b.jpg"};
        QTest::newRow("by path: folder first, case ignored")
            << tree << QList<qint64>{} << false << false
            << QStringList{"/p/A/b.jpg", "/p/a/m.jpg", "/p/A/z.jpg", "/p/B/a.jpg"};
        QTest::newRow("by path descending")
            << tree << QList<qint64>{} << false << true
            << QStringList{"/p/B/a.jpg", "/p/A/z.jpg", "/p/a/m.jpg", "/p/A/b.jpg"};
        QTest::newRow("same name in other case keeps listing order")
            << QStringList{"/x/IMG.jpg", "/x/img.JPG", "/x/Img.jpg"} << QList<qint64>{} << false
            << true << QStringList{"/x/IMG.jpg", "/x/img.JPG", "/x/Img.jpg"};
        const QStringList four{"first", "second", "third", "fourth"};
        QTest::newRow("by time ascending, ties in listing order")
            << four << QList<qint64>{5, 1, 5, 1} << true << false
            << QStringList{"second", "fourth", "first", "third"};
        QTest::newRow("by time descending, ties in listing order")
            << four << QList<qint64>{5, 1, 5, 1} << true << true
            << QStringList{"first", "third", "second", "fourth"};
    }
    void sort()
    {
        QFETCH(QStringList, names);
        QFETCH(QList<qint64>, times);
        QFETCH(bool, by_time);
        QFETCH(bool, desc);
        std::vector<SortEntry> v;
        for (int i = 0; i < names.size(); ++i)
            v.push_back(SortEntry{names[i], times.value(i)});
        QVERIFY(sort_entries(v, by_time, desc));
        QStringList got;
        for (const SortEntry &e : v) {
            got << e.path;
            QCOMPARE(e.time_ms, times.value(names.indexOf(e.path))); // they travel together
        }
        QTEST(got, "expected");
    }

    void no_pictures_writes_nothing()
    {
        test::write_file(root + "/a.txt");
        build_slide_show(root, false);
        QCOMPARE(p->message_texts(), QStringList{"No pictures found in selected directory."});
        QVERIFY(!QFile::exists(show_file()));
        QVERIFY(!w->calls.contains("open_slide_show_window"));
    }

    void folder_dialog_starts_at_the_last_folder()
    {
        save_setting(key::last_slide_show_dir, root);
        test::write_file(root + "/a.jpg");
        p->texts = {QString(), root}; // Cancel, then the folder
        build_slide_show(QString(), false);
        QVERIFY(!QFile::exists(show_file()));
        build_slide_show(QString(), false);
        QCOMPARE(p->folders.size(), 2);
        QCOMPARE(p->folders[0].start, root);
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
        p->answers = {Answer::Yes};
        for (int i = 0; i < in_root; ++i) {
            QFile f(root + QString("/p%1.jpg").arg(i, 5, 10, QLatin1Char('0')));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        // The sub folder is scanned after every entry of the root.
        test::write_file(root + "/sub/zz_last.jpg");
        build_slide_show(root, false);
        QCOMPARE(slides().slide_count, 10000);
        QCOMPARE(p->message_texts().contains("Too many files, only the first 10,000 will be shown."), too_many);
        QCOMPARE(slide_paths().contains(root + "/sub/zz_last.jpg"), !too_many);
        QCOMPARE(lines_of(show_file()).size(), 10000);
    }

    void scan_survives_link_loops_and_odd_names()
    {
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
        QCOMPARE(found, (QStringList{root + "/a b \"q\".jpg", root + "/deep/x.jpg", root + "/linked.jpg"}));
    }

    void scan_skips_unreadable_folders()
    {
        if (!test::permissions_apply())
            QSKIP("permission bits cannot be made to hold for this process");
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
