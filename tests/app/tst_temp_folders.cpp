// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/temp_folders.h"
#include "test_env.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace lf;

class tst_temp_folders : public QObject {
    Q_OBJECT
    QString root, base;
private Q_SLOTS:
    void init()
    {
        root = test::fresh_folder(QStringLiteral("root"));
        base = root + QStringLiteral("/lumenfolio-") + QString::number(::geteuid());
    }

    // Each process has its own folder; ending removes only its own, and a
    // start sweeps the folders of processes that are gone.
    void one_private_folder_per_process()
    {
        QDir().mkpath(base);
        ::chmod(QFile::encodeName(base).constData(), 0777); // made private again
        const TempFolderResult mine = create_tmp_pic_dir(root, QCoreApplication::applicationPid());
        QVERIFY(mine.problem.isEmpty());
        QCOMPARE(mine.tmp_pic_dir, base + QLatin1Char('/') + QString::number(QCoreApplication::applicationPid())
                                       + QStringLiteral("/tmp_pic"));
        QCOMPARE(int(QFile::permissions(base)) & 0x7077, 0x7000); // rwx for the owner alone
        const TempFolderResult other = create_tmp_pic_dir(root, ::getppid()); // alive while we run
        test::write_file(other.tmp_pic_dir + QStringLiteral("/ORIGINAL_a.jpg"));
        QProcess gone; // a process that ran and ended without cleaning up
        gone.start(QStringLiteral("true"));
        QVERIFY(gone.waitForStarted());
        const qint64 dead = gone.processId();
        QVERIFY(gone.waitForFinished());
        test::write_file(create_tmp_pic_dir(root, dead).tmp_pic_dir + QStringLiteral("/left.jpg"));
        QDir().mkpath(base + QStringLiteral("/not-a-pid"));
        test::write_file(mine.tmp_pic_dir + QStringLiteral("/mine.jpg"));

        remove_tmp_pic_dir(mine.tmp_pic_dir);
        QVERIFY(!QFileInfo::exists(QFileInfo(mine.tmp_pic_dir).absolutePath()));
        create_tmp_pic_dir(root, QCoreApplication::applicationPid());
        QVERIFY(QFileInfo::exists(other.tmp_pic_dir + QStringLiteral("/ORIGINAL_a.jpg")));
        QVERIFY(QFileInfo::exists(base + QStringLiteral("/not-a-pid")));
        QVERIFY(!QFileInfo::exists(base + QLatin1Char('/') + QString::number(dead)));
    }

    void a_symbolic_link_is_refused()
    {
        const QString elsewhere = test::fresh_folder(QStringLiteral("elsewhere"));
        QVERIFY(QFile::link(elsewhere, base));
        const TempFolderResult r = create_tmp_pic_dir(root, 77);
        QVERIFY(r.tmp_pic_dir.isEmpty());
        QVERIFY(r.problem.contains(QStringLiteral("symbolic link")));
        QVERIFY(QDir(elsewhere).isEmpty());
    }

};

QTEST_GUILESS_MAIN(tst_temp_folders)
#include "tst_temp_folders.moc"
