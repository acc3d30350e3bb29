// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/file_commands.h"
#include "app/safe_files.h"
#include "app/settings.h"
#include "fake_windows.h"
#include "fault_injection.h"
#include "scripted_prompt.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_show_file.h"
#include "test_env.h"
#include "tools/file_name_tools.h"
#include "viewer/cDIBSection.h"
#include "viewer/jpeg_saving.h"

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
// child process, traced, and is killed (SIGKILL) before each system call of
// it that may change a file, one run per such call: so every state the
// disk can be left in is seen. Then every user file must be whole: its old
// bytes or its new ones, under its old name or its new one, never cut short
// and never gone. Work files of the killed operation may stay behind.
namespace {

QByteArray picture(char fill) { return "\xFF\xD8" + QByteArray(200000, fill) + "\xFF\xD9"; }

struct Host : JpegSaveHost {
    void open_preview(const QString &) override {}
    void set_preview_caption(const QString &) override {}
    void close_preview() override {}
    void close_window() override {}
    void activate() override {}
    void reload_after_replace() override {}
    void clear_start_cropping() override {}
};

void save_over(const QString &path)
{
    test::ScriptedPrompt prompt;
    prompt.answers = {Answer::Yes};
    QImage img(600, 400, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x ^ y) % 256));
    cDIBSection dib;
    dib.CreateFromPicture(img);
    Host host;
    save_and_decide(host, path, path, 90, dib, false);
}

// The files of a folder, name -> bytes; work files and the settings' lock
// of a killed operation and what the program keeps in tmp_pic are not the
// user's.
QMap<QString, QByteArray> user_files(const QString &dir)
{
    QMap<QString, QByteArray> out;
    for (auto [name, content] : test::folder_contents(dir).asKeyValueRange())
        if (!name.contains(QLatin1String(".lumenfolio-")) && !name.endsWith(QLatin1String(".lock"))
            && !name.startsWith(QLatin1String("tmp_pic/")))
            out.insert(name, content);
    return out;
}

int pictures_in(const QMap<QString, QByteArray> &files)
{
    int n = 0;
    for (const QByteArray &b : files)
        n += b.startsWith("\xFF\xD8");
    return n;
}

bool may_change_a_file(long nr)
{
    switch (nr) {
    case SYS_write: case SYS_pwrite64: case SYS_writev: case SYS_pwritev: case SYS_openat:
    case SYS_renameat: case SYS_renameat2: case SYS_unlinkat: case SYS_ftruncate: case SYS_truncate:
    case SYS_mkdirat: case SYS_linkat: case SYS_fallocate: case SYS_copy_file_range: case SYS_sendfile:
#ifdef SYS_open
    case SYS_open: case SYS_creat: case SYS_rename: case SYS_unlink: case SYS_mkdir: case SYS_link:
#endif
        return true;
    default:
        return false;
    }
}

struct Operation {
    std::function<void(const QString &dir)> prepare; // in the child, before the kill may come
    std::function<void(const QString &dir)> run;
};

} // namespace

Q_DECLARE_METATYPE(Operation)

class tst_crash_consistency : public QObject {
    Q_OBJECT

    // Runs the operation in a child on a fresh folder dir: prepared, then
    // (once `before` has looked at the files) run and killed as it enters
    // its kill_at-th call that may change a file (never, for a negative
    // value). Returns how many such calls it made, -1 when it cannot be
    // traced.
    int run_child(const Operation &op, const QString &dir, int kill_at, const std::function<void()> &before = {})
    {
        QDir(dir).removeRecursively();
        QDir().mkpath(dir + QStringLiteral("/user"));
        const pid_t pid = ::fork();
        if (pid == 0) {
            if (::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0)
                ::_exit(77);
            test::reset_everything();
            set_settings_file(dir + QStringLiteral("/settings/lumenfolio.ini"));
            app().tmp_pic_dir = dir + QStringLiteral("/tmp_pic");
            op.prepare(dir + QStringLiteral("/user"));
            ::raise(SIGSTOP);
            op.run(dir + QStringLiteral("/user"));
            ::_exit(0);
        }
        int status = 0;
        if (::waitpid(pid, &status, 0) != pid || !WIFSTOPPED(status))
            return -1;
        if (before)
            before();
        ::ptrace(PTRACE_SETOPTIONS, pid, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
        int changes = 0;
        int pass_signal = 0;
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

private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        set_durable_writes(false); // a kill, not a power cut: no need to wait for the disk
    }

    void killed_anywhere_each_file_is_old_or_new_data()
    {
        QTest::addColumn<Operation>("op");
        const auto one_picture = [](const QString &dir) {
            test::write_file(dir + QStringLiteral("/x.jpg"), picture('a'));
        };
        QTest::newRow("picture saved over") << Operation{one_picture, [](const QString &dir) {
            save_over(dir + QStringLiteral("/x.jpg"));
        }};
        QTest::newRow("restore") << Operation{[](const QString &dir) {
            test::write_file(dir + QStringLiteral("/x.jpg"), picture('a'));
            save_over(dir + QStringLiteral("/x.jpg"));
        }, [](const QString &dir) { restore_picture(dir + QStringLiteral("/x.jpg")); }};
        QTest::newRow("copy as") << Operation{[](const QString &dir) {
            test::write_file(dir + QStringLiteral("/x.jpg"), picture('a'));
            test::write_file(dir + QStringLiteral("/c.jpg"), picture('c'));
        }, [](const QString &dir) {
            test::ScriptedPrompt prompt;
            prompt.texts = {dir + QStringLiteral("/c.jpg")};
            copy_file_as(dir + QStringLiteral("/x.jpg"), dir);
        }};
        QTest::newRow("rename") << Operation{one_picture, [](const QString &dir) {
            test::ScriptedPrompt prompt;
            prompt.texts = {QStringLiteral("y.jpg")};
            ask_and_rename(dir + QStringLiteral("/x.jpg"), QStringLiteral("Renaming last file"));
        }};
        QTest::newRow("batch rename") << Operation{[](const QString &dir) {
            for (char c = 'a'; c <= 'h'; ++c)
                test::write_file(dir + QLatin1Char('/') + QLatin1Char(c) + QStringLiteral(".jpg"), picture(c));
        }, [](const QString &dir) { rename_files(dir, RenameKind::SequenceNumbers, QStringLiteral("n")); }};
        QTest::newRow("delete") << Operation{one_picture, [](const QString &dir) {
            delete_with_backup(dir + QStringLiteral("/x.jpg"));
        }};
        const auto show = [](const QString &dir) {
            QByteArray text;
            for (int i = 0; i < 2000; ++i) {
                const QString p = dir + QStringLiteral("/p%1.jpg").arg(i % 3);
                text += p.toUtf8() + "|0\r\n";
                slides().slot(i + 1).path = p;
            }
            slides().slide_count = 2000;
            for (int i = 0; i < 3; ++i)
                test::write_file(dir + QStringLiteral("/p%1.jpg").arg(i), "p");
            test::write_file(dir + QStringLiteral("/s.ssf"), text + dir.toUtf8() + "/gone.jpg\r\n");
        };
        QTest::newRow("slide show saved") << Operation{show, [](const QString &dir) {
            slides().current_slide = 7;
            save_slide_show_file(dir + QStringLiteral("/s.ssf"));
        }};
        QTest::newRow("slide show rewritten") << Operation{show, [](const QString &dir) {
            test::ScriptedPrompt prompt;
            prompt.answers = {Answer::Ok, Answer::Yes};
            read_slide_list(dir + QStringLiteral("/s.ssf"));
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
        const QString trash = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Trash/files");
        // One run to its end gives the files before and after; every run is
        // in the same folder, so that paths inside the files match.
        const QString dir = QDir::tempPath() + QStringLiteral("/killed");
        QMap<QString, QByteArray> old_files;
        const int calls = run_child(op, dir, -1, [&] { old_files = user_files(dir); });
        if (calls < 0)
            QSKIP("this system does not let a process trace its child");
        const QMap<QString, QByteArray> new_files = user_files(dir);
        QVERIFY(old_files != new_files);
        QSet<QByteArray> versions;
        for (const auto &m : {old_files, new_files})
            for (const QByteArray &content : m)
                versions.insert(content);
        QDir(trash).removeRecursively();

        for (int k = 0; k <= calls; ++k) {
            run_child(op, dir, k);
            // Each file is one whole version; the pictures are all still
            // there, in the folder or in the Trash.
            const QMap<QString, QByteArray> now = user_files(dir);
            for (auto [name, content] : now.asKeyValueRange())
                QVERIFY2(versions.contains(content),
                         qPrintable(QStringLiteral("%1 cut before call %2: %3 bytes").arg(name).arg(k).arg(content.size())));
            const int kept = pictures_in(now) + pictures_in(test::folder_contents(trash));
            QVERIFY2(kept >= pictures_in(old_files), qPrintable(QStringLiteral("a picture was lost before call %1").arg(k)));
            QDir(trash).removeRecursively();
        }
        QDir(dir).removeRecursively();
    }
};

QTEST_GUILESS_MAIN(tst_crash_consistency)
#include "tst_crash_consistency.moc"
