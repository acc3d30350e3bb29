// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/file_commands.h"
#include "app/picture_versions.h"
#include "app/safe_files.h"
#include "app/temp_folders.h"
#include "fault_injection.h"
#include "scripted_prompt.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_show_file.h"
#include "test_env.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

#include <unistd.h>

using namespace lf;

// Two instances share the per-user temp folder. The second one is this
// test program started again in "second instance" mode: a process of its
// own that makes its tmp_pic folder the way start-up does, works in it and
// removes it the way the last window's close does.
namespace {

int run_second_instance(const QString &root)
{
    const TempFolderResult r = create_tmp_pic_dir(root, QCoreApplication::applicationPid());
    if (r.tmp_pic_dir.isEmpty())
        return 2;
    test::write_file(r.tmp_pic_dir + QStringLiteral("/ORIGINAL_a.jpg"), "other instance");
    remove_tmp_pic_dir(r.tmp_pic_dir);
    return QFileInfo::exists(r.tmp_pic_dir) ? 3 : 0;
}

} // namespace

class tst_two_instances : public QObject {
    Q_OBJECT
    QString root, user;

    int start_and_end_second_instance()
    {
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--second-instance"), root});
        if (!p.waitForFinished(60000))
            return -1;
        return p.exitCode();
    }

private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        root = test::fresh_folder(QStringLiteral("temp_root"));
        user = test::fresh_folder(QStringLiteral("user"));
    }

    void the_second_ending_keeps_the_firsts_backups_work_files_and_show()
    {
        test::ScriptedPrompt prompt;
        const TempFolderResult mine = create_tmp_pic_dir(root, QCoreApplication::applicationPid());
        QVERIFY(!mine.tmp_pic_dir.isEmpty());
        app().tmp_pic_dir = mine.tmp_pic_dir;

        // Builds a show, alters one picture (backup first) and deletes another.
        QStringList pics;
        for (int i = 0; i < 3; ++i) {
            pics << user + QStringLiteral("/p%1.jpg").arg(i);
            test::write_file(pics.last(), QByteArray(2000, char('a' + i)));
        }
        for (int i = 0; i < pics.size(); ++i)
            slides().slot(i + 1).path = pics[i];
        slides().slide_count = int(pics.size());
        QVERIFY(save_slide_show_file(mine.tmp_pic_dir + QStringLiteral("/Show.ssf")));
        QVERIFY(make_versions_folder(mine.tmp_pic_dir, pics[0]));
        QVERIFY(!replace_file_with_copy(newest_backup_for(mine.tmp_pic_dir, pics[0]), pics[0]).failed());
        test::write_file(work_file_for(mine.tmp_pic_dir, pics[0]), "work in progress");
        test::write_file(pics[0], "altered");
        QVERIFY(delete_with_backup(pics[1]));
        const auto kept = test::folder_contents(mine.tmp_pic_dir);
        QCOMPARE(kept.size(), 6); // with the two pictures' "path" files

        QCOMPARE(start_and_end_second_instance(), 0);
        QCOMPARE(start_and_end_second_instance(), 0); // and once more, while we still run

        QCOMPARE(test::folder_contents(mine.tmp_pic_dir), kept);
        QVERIFY(prompt.messages.isEmpty());
        remove_tmp_pic_dir(mine.tmp_pic_dir);
    }

    void a_folder_left_by_an_ended_instance_is_swept_but_not_a_live_ones()
    {
        const TempFolderResult mine = create_tmp_pic_dir(root, QCoreApplication::applicationPid());
        test::write_file(mine.tmp_pic_dir + QStringLiteral("/keep.jpg"), "mine");
        // A process that ran and ended without cleaning up.
        QProcess gone;
        gone.start(QStringLiteral("true"));
        QVERIFY(gone.waitForFinished());
        const qint64 dead = gone.processId() ? gone.processId() : 999999;
        const QString stale_parent = QFileInfo(QFileInfo(mine.tmp_pic_dir).absolutePath()).absolutePath()
                                     + QLatin1Char('/') + QString::number(dead);
        if (!process_alive(dead)) {
            test::write_file(stale_parent + QStringLiteral("/tmp_pic/old.jpg"), "stale");
            QCOMPARE(start_and_end_second_instance(), 0);
            QVERIFY(!QFileInfo::exists(stale_parent));
        }
        QCOMPARE(test::read_bytes(mine.tmp_pic_dir + QStringLiteral("/keep.jpg")), QByteArray("mine"));
        remove_tmp_pic_dir(mine.tmp_pic_dir);
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--second-instance") == 0)
        return run_second_instance(QString::fromLocal8Bit(argv[2]));
    tst_two_instances t;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&t, argc, argv);
}
#include "tst_two_instances.moc"
