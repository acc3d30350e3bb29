// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/file_commands.h"
#include "app/safe_files.h"
#include "app/settings.h"
#include "fault_injection.h"
#include "save_host.h"
#include "scripted_prompt.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_show_file.h"
#include "tools/file_name_tools.h"
#include "viewer/cDIBSection.h"

#include <QDir>
#include <QtTest>

#include <csignal>
#include <functional>
#include <sys/ptrace.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace lf;

// Each operation that replaces, renames or deletes a user's file runs in a
// traced child that is killed (SIGKILL) before its k-th system call that may
// change a file, for every k: every state the disk can be left in is seen.
// Each user file must then be whole (its old bytes or its new ones) and no
// picture may be gone from both the folder and the Trash.
namespace {

QByteArray picture(char fill) { return "\xFF\xD8" + QByteArray(200000, fill) + "\xFF\xD9"; }

void save_over(const QString &path)
{
    test::ScriptedPrompt prompt;
    prompt.answers = {Answer::Yes};
    QImage img(600, 400, QImage::Format_RGB32);
    img.fill(Qt::darkCyan);
    cDIBSection dib;
    dib.CreateFromPicture(img);
    test::RecordingSaveHost host;
    save_and_decide(host, path, path, 90, dib, false);
}

// Work files and locks of a killed operation and tmp_pic are not the user's.
QMap<QString, QByteArray> user_files(const QString &dir)
{
    QMap<QString, QByteArray> out;
    for (auto [name, content] : test::folder_contents(dir).asKeyValueRange())
        if (!name.contains(".lumenfolio-") && !name.endsWith(".lock") && !name.startsWith("tmp_pic/"))
            out.insert(name, content);
    return out;
}

int pictures_in(const QMap<QString, QByteArray> &files)
{
    return int(std::count_if(files.begin(), files.end(), [](const QByteArray &b) { return b.startsWith("\xFF\xD8"); }));
}

bool may_change_a_file(long nr)
{
    for (long c : {SYS_write, SYS_pwrite64, SYS_writev, SYS_pwritev, SYS_openat, SYS_renameat, SYS_renameat2,
                   SYS_unlinkat, SYS_ftruncate, SYS_truncate, SYS_mkdirat, SYS_linkat, SYS_fallocate,
                   SYS_copy_file_range, SYS_sendfile, SYS_open, SYS_creat, SYS_rename, SYS_unlink, SYS_mkdir, SYS_link})
        if (nr == c)
            return true;
    return false;
}

struct Operation {
    std::function<void(const QString &dir)> prepare, run;
};

// Runs op in a traced child on a fresh dir, killed as it enters its
// kill_at-th call that may change a file (never when negative); `before`
// looks at the prepared files. Returns the number of such calls, -1 when
// the child cannot be traced.
int run_child(const Operation &op, const QString &dir, int kill_at, const std::function<void()> &before = {})
{
    QDir(dir).removeRecursively();
    QDir().mkpath(dir + "/user");
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0)
            ::_exit(77);
        test::reset_everything();
        set_settings_file(dir + "/settings/lumenfolio.ini");
        app().tmp_pic_dir = dir + "/tmp_pic";
        op.prepare(dir + "/user");
        ::raise(SIGSTOP);
        op.run(dir + "/user");
        ::_exit(0);
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFSTOPPED(status))
        return -1;
    if (before)
        before();
    ::ptrace(PTRACE_SETOPTIONS, pid, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
    int changes = 0, pass_signal = 0;
    for (;;) {
        ::ptrace(PTRACE_SYSCALL, pid, nullptr, pass_signal);
        pass_signal = 0;
        if (::waitpid(pid, &status, 0) != pid || !WIFSTOPPED(status))
            break;
        if (WSTOPSIG(status) != (SIGTRAP | 0x80)) {
            pass_signal = WSTOPSIG(status); // the child's own signal
            continue;
        }
        __ptrace_syscall_info info{};
        if (::ptrace(PTRACE_GET_SYSCALL_INFO, pid, sizeof info, &info) <= 0
            || info.op != PTRACE_SYSCALL_INFO_ENTRY || !may_change_a_file(long(info.entry.nr)))
            continue;
        if (changes++ == kill_at) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            break;
        }
    }
    return changes;
}

} // namespace

Q_DECLARE_METATYPE(Operation)

class tst_crash_consistency : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        set_durable_writes(false); // a kill, not a power cut
    }

    void killed_anywhere_each_file_is_old_or_new_data()
    {
        QTest::addColumn<Operation>("op");
        const auto x = [](const QString &dir) { test::write_file(dir + "/x.jpg", picture('a')); };
        QTest::newRow("picture saved over") << Operation{x, [](const QString &dir) { save_over(dir + "/x.jpg"); }};
        QTest::newRow("restore") << Operation{[x](const QString &dir) {
            x(dir);
            save_over(dir + "/x.jpg");
        }, [](const QString &dir) { restore_picture(dir + "/x.jpg"); }};
        QTest::newRow("copy as over another") << Operation{[x](const QString &dir) {
            x(dir);
            test::write_file(dir + "/c.jpg", picture('c'));
        }, [](const QString &dir) {
            test::ScriptedPrompt prompt;
            prompt.texts = {dir + "/c.jpg"};
            copy_file_as(dir + "/x.jpg", dir);
        }};
        QTest::newRow("batch rename") << Operation{[](const QString &dir) {
            for (char c = 'a'; c <= 'h'; ++c)
                test::write_file(dir + '/' + c + ".jpg", picture(c));
        }, [](const QString &dir) { rename_files(dir, RenameKind::SequenceNumbers, "n"); }};
        QTest::newRow("delete") << Operation{x, [](const QString &dir) { delete_with_backup(dir + "/x.jpg"); }};
        QTest::newRow("slide show saved") << Operation{[](const QString &dir) {
            QByteArray text;
            for (int i = 1; i <= 2000; ++i)
                text += (slides().slot(i).path = dir + "/p.jpg").toUtf8() + "|0\r\n";
            slides().slide_count = 2000;
            test::write_file(dir + "/s.ssf", text);
        }, [](const QString &dir) {
            slides().current_slide = 7;
            save_slide_show_file(dir + "/s.ssf");
        }};
        QTest::newRow("setting") << Operation{[](const QString &) {
            QByteArray ini = "[General]\n";
            for (int i = 0; i < 5000; ++i)
                ini += "other_" + QByteArray::number(i) + "=/p/" + QByteArray::number(i) + ".jpg\n";
            test::write_file(settings_file(), ini);
        }, [](const QString &) { save_setting(key::last_slide_show, QStringLiteral("/p/show.ssf")); }};
    }
    void killed_anywhere_each_file_is_old_or_new()
    {
        QFETCH(Operation, op);
        const QString trash = qEnvironmentVariable("XDG_DATA_HOME") + "/Trash/files";
        // One run to its end gives the files before and after; every run uses
        // the same folder, so that paths inside the files match.
        const QString dir = QDir::tempPath() + "/killed";
        QMap<QString, QByteArray> old_files;
        const int calls = run_child(op, dir, -1, [&] { old_files = user_files(dir); });
        if (calls < 0)
            QSKIP("this system does not let a process trace its child");
        const QMap<QString, QByteArray> new_files = user_files(dir);
        QVERIFY(old_files != new_files);
        const QSet<QByteArray> versions = QSet<QByteArray>(old_files.begin(), old_files.end())
                                              .unite(QSet<QByteArray>(new_files.begin(), new_files.end()));
        for (int k = 0; k <= calls; ++k) {
            QDir(trash).removeRecursively();
            run_child(op, dir, k);
            const QMap<QString, QByteArray> now = user_files(dir);
            for (auto [name, content] : now.asKeyValueRange())
                QVERIFY2(versions.contains(content), qPrintable(QString("%1 cut before call %2").arg(name).arg(k)));
            QVERIFY2(pictures_in(now) + pictures_in(test::folder_contents(trash)) >= pictures_in(old_files),
                     qPrintable(QString("a picture was lost before call %1").arg(k)));
        }
        QDir(dir).removeRecursively();
    }
};

QTEST_GUILESS_MAIN(tst_crash_consistency)
#include "tst_crash_consistency.moc"
