// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/temp_folders.h"
#include "test_env.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace lf;

namespace {
QString private_folder(const QString &root)
{
    return root + QStringLiteral("/lumenfolio-") + QString::number(::geteuid());
}
int mode_of(const QString &path)
{
    struct stat st {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return int(st.st_mode & 0777);
}
// A process id that is surely not running.
long long dead_pid()
{
    for (long long p = 4000000; p > 300000; --p) {
        if (!process_alive(p))
            return p;
    }
    return 0;
}
} // namespace

class tst_temp_folders : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void creates_a_private_folder_per_process()
    {
        const QString root = test::fresh_folder(QStringLiteral("root"));
        const TempFolderResult r = create_tmp_pic_dir(root, 4242);
        QVERIFY(r.problem.isEmpty());
        QCOMPARE(r.tmp_pic_dir, private_folder(root) + QStringLiteral("/4242/tmp_pic"));
        QVERIFY(QFileInfo(r.tmp_pic_dir).isDir());
        QCOMPARE(mode_of(private_folder(root)), 0700);
    }

    void one_process_ending_keeps_the_others_files()
    {
        const QString root = test::fresh_folder(QStringLiteral("root"));
        const long long me = QCoreApplication::applicationPid();
        const long long parent = ::getppid(); // alive while we run
        const TempFolderResult mine = create_tmp_pic_dir(root, me);
        const TempFolderResult other = create_tmp_pic_dir(root, parent);
        test::write_file(other.tmp_pic_dir + QStringLiteral("/ORIGINAL_a.jpg"));
        test::write_file(mine.tmp_pic_dir + QStringLiteral("/mine.jpg"));

        remove_tmp_pic_dir(mine.tmp_pic_dir);
        QVERIFY(!QFileInfo::exists(mine.tmp_pic_dir));
        QVERIFY(!QFileInfo::exists(QFileInfo(mine.tmp_pic_dir).absolutePath()));
        QVERIFY(QFileInfo::exists(other.tmp_pic_dir + QStringLiteral("/ORIGINAL_a.jpg")));

        // Starting again removes only folders of processes that are gone.
        create_tmp_pic_dir(root, me);
        QVERIFY(QFileInfo::exists(other.tmp_pic_dir + QStringLiteral("/ORIGINAL_a.jpg")));
    }

    void stale_folders_of_dead_processes_are_removed()
    {
        const QString root = test::fresh_folder(QStringLiteral("root"));
        const long long dead = dead_pid();
        QVERIFY(dead > 0);
        const TempFolderResult old = create_tmp_pic_dir(root, dead);
        test::write_file(old.tmp_pic_dir + QStringLiteral("/left.jpg"));
        QDir().mkpath(private_folder(root) + QStringLiteral("/not-a-pid"));

        create_tmp_pic_dir(root, QCoreApplication::applicationPid());
        QVERIFY(!QFileInfo::exists(QFileInfo(old.tmp_pic_dir).absolutePath()));
        QVERIFY(QFileInfo::exists(private_folder(root) + QStringLiteral("/not-a-pid")));
    }

    void a_symbolic_link_is_refused()
    {
        const QString root = test::fresh_folder(QStringLiteral("root"));
        const QString elsewhere = test::fresh_folder(QStringLiteral("elsewhere"));
        QVERIFY(QFile::link(elsewhere, private_folder(root)));
        const TempFolderResult r = create_tmp_pic_dir(root, 77);
        QVERIFY(r.tmp_pic_dir.isEmpty());
        QVERIFY(r.problem.contains(QStringLiteral("symbolic link")));
        QVERIFY(QDir(elsewhere).isEmpty());
    }

    void a_folder_of_someone_else_is_refused()
    {
        if (::geteuid() != 0)
            QSKIP("needs root to give a folder away");
        const QString root = test::fresh_folder(QStringLiteral("root"));
        QDir().mkpath(private_folder(root));
        QVERIFY(::chown(QFile::encodeName(private_folder(root)).constData(), 65534, 65534) == 0);
        const TempFolderResult r = create_tmp_pic_dir(root, 77);
        QVERIFY(r.tmp_pic_dir.isEmpty());
        QVERIFY(r.problem.contains(QStringLiteral("another user")));
    }

    void an_open_folder_is_made_private()
    {
        const QString root = test::fresh_folder(QStringLiteral("root"));
        QDir().mkpath(private_folder(root));
        ::chmod(QFile::encodeName(private_folder(root)).constData(), 0777);
        QVERIFY(create_tmp_pic_dir(root, 78).problem.isEmpty());
        QCOMPARE(mode_of(private_folder(root)), 0700);
    }

    void an_impossible_location_gives_no_folder_and_no_crash()
    {
        const QString root = test::fresh_folder(QStringLiteral("root"));
        test::write_file(root + QStringLiteral("/file"));
        const TempFolderResult r = create_tmp_pic_dir(root + QStringLiteral("/file"), 79);
        QVERIFY(r.tmp_pic_dir.isEmpty());
        remove_tmp_pic_dir(r.tmp_pic_dir);
    }
};

QTEST_GUILESS_MAIN(tst_temp_folders)
#include "tst_temp_folders.moc"
