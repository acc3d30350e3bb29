#include "app/app_state.h"
#include "app/file_commands.h"
#include "fault_injection.h"
#include "scripted_prompt.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_show_file.h"
#include "test_env.h"
#include "thumbs/thumbnail_files.h"
#include "thumbs/thumbnail_state.h"
#include "tools/file_association.h"
#include "tools/file_name_tools.h"
#include "viewer/jpeg_saving.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <functional>

using namespace lf;

#define REQUIRE_PERMISSIONS()                                                                      \
    if (!test::permissions_apply())                                                                \
    QSKIP("permission bits cannot be made to hold for this process")

// Every operation that deletes, renames or replaces a file, made to fail:
// the disk full (a file-size limit), the folder read-only, the file gone
// between listing and use, the name already taken. Each time no user file
// may be lost or cut short, and the user is told.
namespace {

QByteArray picture_bytes(char fill, int size = 5000)
{
    return QByteArray("\xFF\xD8") + QByteArray(size - 4, fill) + QByteArray("\xFF\xD9");
}

} // namespace

class tst_destructive_file_faults : public QObject {
    Q_OBJECT
    QString user, tmp;


private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        user = test::fresh_folder(QStringLiteral("user"));
        tmp = test::fresh_folder(QStringLiteral("tmp_pic"));
        app().tmp_pic_dir = tmp;
    }
    void cleanup()
    {
        test::set_read_only(user, false);
        test::set_read_only(tmp, false);
    }

    // Delete with backup ---------------------------------------------------

    void delete_keeps_the_picture_when_the_backup_cannot_be_written()
    {
        test::ScriptedPrompt prompt;
        const QString p = user + QStringLiteral("/a.jpg");
        test::write_file(p, picture_bytes('a'));
        const auto before = test::folder_contents(user);
        {
            test::FileSizeLimit full(1000);
            QVERIFY(full.active());
            QVERIFY(!delete_with_backup(p));
        }
        QCOMPARE(test::folder_contents(user), before);
        QCOMPARE(prompt.messages.size(), 1);
        QVERIFY(prompt.messages[0].text.startsWith(QStringLiteral("Error ")));
        QVERIFY(app().deleted_pictures.isEmpty());
        QVERIFY(test::folder_contents(tmp).isEmpty()); // no half backup either
    }

    void delete_of_a_vanished_picture_says_so()
    {
        test::ScriptedPrompt prompt;
        const QString p = user + QStringLiteral("/gone.jpg");
        QVERIFY(!delete_with_backup(p));
        QCOMPARE(prompt.messages.size(), 1);
        QVERIFY(app().deleted_pictures.isEmpty());
    }

    void delete_over_a_taken_backup_name_keeps_both_backups_whole()
    {
        test::ScriptedPrompt prompt;
        const QString p = user + QStringLiteral("/a.jpg");
        test::write_file(p, picture_bytes('n'));
        test::write_file(tmp + QStringLiteral("/a.jpg"), picture_bytes('o', 9000));
        QVERIFY(delete_with_backup(p));
        QVERIFY(!QFile::exists(p));
        QCOMPARE(test::read_bytes(tmp + QStringLiteral("/a.jpg")), picture_bytes('o', 9000));
        QCOMPARE(test::read_bytes(tmp + QStringLiteral("/2_a.jpg")), picture_bytes('n'));
    }

    void delete_in_a_read_only_folder_keeps_the_picture()
    {
        REQUIRE_PERMISSIONS();
        test::ScriptedPrompt prompt;
        const QString p = user + QStringLiteral("/a.jpg");
        test::write_file(p, picture_bytes('a'));
        const auto before = test::folder_contents(user);
        test::set_read_only(user, true);
        QVERIFY(!delete_with_backup(p));
        QCOMPARE(test::folder_contents(user), before);
        QCOMPARE(prompt.messages.size(), 1);
        QVERIFY(test::folder_contents(tmp).isEmpty());
    }

    // Single rename ----------------------------------------------------------

    void rename_to_a_taken_name_is_refused_and_asked_again()
    {
        test::ScriptedPrompt prompt;
        const QString a = user + QStringLiteral("/a.jpg"), b = user + QStringLiteral("/b.jpg");
        test::write_file(a, picture_bytes('a'));
        test::write_file(b, picture_bytes('b'));
        const auto before = test::folder_contents(user);
        prompt.texts = {QStringLiteral("b.jpg"), QString()};
        QCOMPARE(ask_and_rename(a, QStringLiteral("Rename")), QString());
        QCOMPARE(test::folder_contents(user), before);
        QCOMPARE(prompt.message_texts(), QStringList{invalid_file_name});
    }

    void rename_of_a_vanished_file_says_so()
    {
        test::ScriptedPrompt prompt;
        const QString a = user + QStringLiteral("/a.jpg");
        prompt.texts = {QStringLiteral("c.jpg")};
        QCOMPARE(ask_and_rename(a, QStringLiteral("Rename")), QString());
        QCOMPARE(prompt.messages.size(), 1);
        QVERIFY(prompt.messages[0].text.startsWith(QStringLiteral("Error ")));
        QVERIFY(test::folder_contents(user).isEmpty());
    }

    void rename_in_a_read_only_folder_keeps_the_file()
    {
        REQUIRE_PERMISSIONS();
        test::ScriptedPrompt prompt;
        const QString a = user + QStringLiteral("/a.jpg");
        test::write_file(a, picture_bytes('a'));
        const auto before = test::folder_contents(user);
        test::set_read_only(user, true);
        prompt.texts = {QStringLiteral("c.jpg")};
        QCOMPARE(ask_and_rename(a, QStringLiteral("Rename")), QString());
        QCOMPARE(test::folder_contents(user), before);
        QCOMPARE(prompt.messages.size(), 1);
    }

    // Copy file as -------------------------------------------------------------

    void copy_as_on_a_full_disk_keeps_the_old_target()
    {
        test::ScriptedPrompt prompt;
        const QString src = user + QStringLiteral("/a.jpg"), dst = user + QStringLiteral("/old.jpg");
        test::write_file(src, picture_bytes('a'));
        test::write_file(dst, picture_bytes('o', 500));
        const auto before = test::folder_contents(user);
        prompt.texts = {dst};
        {
            test::FileSizeLimit full(1000);
            copy_file_as(src, user);
        }
        QCOMPARE(test::folder_contents(user), before);
        QCOMPARE(prompt.messages.size(), 1);
    }

    void copy_as_of_a_vanished_source_keeps_the_target()
    {
        test::ScriptedPrompt prompt;
        const QString dst = user + QStringLiteral("/old.jpg");
        test::write_file(dst, picture_bytes('o', 500));
        const auto before = test::folder_contents(user);
        prompt.texts = {dst};
        copy_file_as(user + QStringLiteral("/gone.jpg"), user);
        QCOMPARE(test::folder_contents(user), before);
        QCOMPARE(prompt.messages.size(), 1);
    }

    void copy_as_over_a_taken_name_replaces_it_whole()
    {
        test::ScriptedPrompt prompt;
        const QString src = user + QStringLiteral("/a.jpg"), dst = user + QStringLiteral("/old.jpg");
        test::write_file(src, picture_bytes('a'));
        test::write_file(dst, picture_bytes('o', 500));
        prompt.texts = {dst};
        copy_file_as(src, user);
        QCOMPARE(test::read_bytes(dst), picture_bytes('a'));
        QCOMPARE(test::read_bytes(src), picture_bytes('a'));
        QCOMPARE(QDir(user).entryList(QDir::Files).size(), 2); // no .part left
    }

    // Batch renames ------------------------------------------------------------

    void batch_rename_skips_taken_names()
    {
        const QString a = user + QStringLiteral("/a.jpg");
        test::write_file(a, picture_bytes('a'));
        test::write_file(user + QStringLiteral("/x_a.jpg"), picture_bytes('x'));
        test::write_file(user + QStringLiteral("/b.jpg"), picture_bytes('b'));
        const RenameRun run = rename_files(user, RenameKind::AddString, QStringLiteral("x_"));
        // b.jpg and the old x_a.jpg are renamed; a.jpg would overwrite x_a.jpg.
        const auto after = test::folder_contents(user);
        QCOMPARE(after.size(), 3);
        QVERIFY(after.values().contains(picture_bytes('a')));
        QVERIFY(after.values().contains(picture_bytes('b')));
        QVERIFY(after.values().contains(picture_bytes('x')));
        QVERIFY(!run.skipped.isEmpty());
        QVERIFY(rename_report(run).contains(QStringLiteral("files renamed.")));
    }

    void batch_rename_survives_files_vanishing_midway()
    {
        for (const char *n : {"a.jpg", "b.jpg", "c.jpg", "d.jpg"})
            test::write_file(user + QLatin1Char('/') + QLatin1String(n), picture_bytes(n[0]));
        bool removed = false;
        const RenameRun run = rename_files(user, RenameKind::AddString, QStringLiteral("z_"), [&] {
            if (!removed) {
                removed = true;
                QFile::remove(user + QStringLiteral("/d.jpg")); // another program's delete
            }
        });
        const auto after = test::folder_contents(user);
        QCOMPARE(after.size(), 3);
        for (const char c : {'a', 'b', 'c'})
            QVERIFY(after.values().contains(picture_bytes(c)));
        QCOMPARE(run.count, 3);
    }

    void batch_rename_in_a_read_only_folder_reports_each_refusal()
    {
        REQUIRE_PERMISSIONS();
        test::write_file(user + QStringLiteral("/a.jpg"), picture_bytes('a'));
        const auto before = test::folder_contents(user);
        test::set_read_only(user, true);
        const RenameRun run = rename_files(user, RenameKind::AddString, QStringLiteral("x_"));
        QCOMPARE(test::folder_contents(user), before);
        QCOMPARE(run.count, 0);
        QCOMPARE(run.skipped.size(), 1);
        QCOMPARE(run.skipped[0].reason, RenameSkip::Refused);
    }

    // Slide show file ----------------------------------------------------------

    void slide_show_save_on_a_full_disk_keeps_the_old_file()
    {
        test::ScriptedPrompt prompt;
        const QString ssf = user + QStringLiteral("/show.ssf");
        const QByteArray old = "/p/old.jpg|0\r\n*index_of_last_slide_viewed=1\r\n";
        test::write_file(ssf, old);
        SlideList &s = slides();
        for (int i = 1; i <= 200; ++i)
            s.slot(i).path = user + QStringLiteral("/picture_number_%1.jpg").arg(i);
        s.slide_count = 200;
        {
            test::FileSizeLimit full(1000);
            QVERIFY(!save_slide_show_file(ssf));
        }
        QCOMPARE(test::read_bytes(ssf), old);
        QCOMPARE(QDir(user).entryList(QDir::Files), QStringList{"show.ssf"});
        QCOMPARE(prompt.messages.size(), 1);
        QVERIFY(prompt.messages[0].text.startsWith(QStringLiteral("Error ")));
    }

    void slide_show_save_into_a_vanished_folder_says_so()
    {
        test::ScriptedPrompt prompt;
        slides().slot(1).path = QStringLiteral("/p/a.jpg");
        slides().slide_count = 1;
        QVERIFY(!save_slide_show_file(user + QStringLiteral("/gone/show.ssf")));
        QCOMPARE(prompt.messages.size(), 1);
    }

    void slide_show_save_in_a_read_only_folder_keeps_the_old_file()
    {
        REQUIRE_PERMISSIONS();
        test::ScriptedPrompt prompt;
        const QString ssf = user + QStringLiteral("/show.ssf");
        test::write_file(ssf, "old\r\n");
        slides().slot(1).path = QStringLiteral("/p/a.jpg");
        slides().slide_count = 1;
        test::set_read_only(user, true);
        QVERIFY(!save_slide_show_file(ssf));
        QCOMPARE(test::read_bytes(ssf), QByteArray("old\r\n"));
        QCOMPARE(prompt.messages.size(), 1);
    }

    // The rewrite of a list read with pictures gone: its kept lines go to a
    // work file, then in place through the ".being replaced" backup.
private:
    QString list_with_a_missing_picture(QByteArray &text)
    {
        for (int i = 0; i < 60; ++i) {
            const QString p = user + QStringLiteral("/kept_picture_with_a_long_name_%1.jpg").arg(i);
            test::write_file(p, picture_bytes('k', 100));
            text += p.toUtf8() + "|0\r\n";
        }
        text += user.toUtf8() + "/gone.jpg|0\r\n";
        const QString ssf = user + QStringLiteral("/show.ssf");
        test::write_file(ssf, text);
        return ssf;
    }

private Q_SLOTS:
    void slide_show_rewrite_on_a_full_disk_keeps_the_list()
    {
        test::ScriptedPrompt prompt;
        prompt.answers = {Answer::Ok, Answer::Yes};
        QByteArray text;
        const QString ssf = list_with_a_missing_picture(text);
        const auto before = test::folder_contents(user);
        {
            test::FileSizeLimit full(1000);
            QCOMPARE(read_slide_list(ssf), ReadOutcome::Loaded);
        }
        QCOMPARE(test::folder_contents(user), before);
        QCOMPARE(slides().slide_count, 60);
        // The two questions on the missing picture, then the error.
        QCOMPARE(prompt.messages.size(), 3);
        QVERIFY(prompt.messages[2].text.startsWith(QStringLiteral("Error 75")));
        QVERIFY(!QFile::exists(tmp + QLatin1Char('/') + slide_show_work_file));
    }

    void slide_show_rewrite_in_a_read_only_folder_keeps_the_list()
    {
        REQUIRE_PERMISSIONS();
        test::ScriptedPrompt prompt;
        prompt.answers = {Answer::Ok, Answer::Yes};
        QByteArray text;
        const QString ssf = list_with_a_missing_picture(text);
        const auto before = test::folder_contents(user);
        test::set_read_only(user, true);
        QCOMPARE(read_slide_list(ssf), ReadOutcome::Loaded);
        QCOMPARE(test::folder_contents(user), before);
        QCOMPARE(prompt.messages.size(), 3);
        QVERIFY(prompt.messages[2].text.startsWith(QStringLiteral("Error 75")));
        QVERIFY(prompt.messages[2].text.contains(QStringLiteral("Path/File access error")));
        QVERIFY(!QFile::exists(tmp + QLatin1Char('/') + slide_show_work_file));
    }

    // Thumbnail sequence -------------------------------------------------------

    void thumbnail_rewrite_on_a_full_disk_says_so_and_touches_no_picture()
    {
        test::ScriptedPrompt prompt;
        for (int i = 0; i < 60; ++i) {
            const QString p = user + QStringLiteral("/long_picture_name_%1.jpg").arg(i);
            test::write_file(p, picture_bytes('p', 100));
            thumbnails().picture_list << p;
        }
        const auto before = test::folder_contents(user);
        {
            test::FileSizeLimit full(200);
            write_thumbnail_files(user, folder_thumbnail_prefix);
        }
        QCOMPARE(test::folder_contents(user), before);
        QVERIFY(!prompt.messages.isEmpty());
        QVERIFY(prompt.messages[0].text.startsWith(QStringLiteral("Error ")));
    }

    void thumbnail_rewrite_in_a_read_only_folder_says_so()
    {
        REQUIRE_PERMISSIONS();
        test::ScriptedPrompt prompt;
        const QString p = user + QStringLiteral("/a.jpg");
        test::write_file(p, picture_bytes('p', 100));
        thumbnails().picture_list << p;
        const auto before = test::folder_contents(user);
        test::set_read_only(tmp, true);
        QVERIFY(!write_thumbnail_files(user, folder_thumbnail_prefix));
        QCOMPARE(test::folder_contents(user), before);
        QCOMPARE(prompt.messages.size(), 1);
        QVERIFY(prompt.messages[0].text.startsWith(QStringLiteral("Error ")));
    }

    // JPEG replace and restore -------------------------------------------------

private:
    // A disk that cannot take the copy, full or read-only.
    void copies_that_cannot_be_written_data()
    {
        QTest::addColumn<bool>("read_only");
        QTest::newRow("full disk") << false;
        QTest::newRow("read-only folder") << true;
    }
    void blocked(bool read_only, const std::function<void()> &operation)
    {
        if (read_only) {
            test::set_read_only(user, true);
            operation();
        } else {
            test::FileSizeLimit full(1000);
            operation();
        }
    }

private Q_SLOTS:
    void safe_copy_that_cannot_be_written_keeps_the_target_data() { copies_that_cannot_be_written_data(); }
    void safe_copy_that_cannot_be_written_keeps_the_target()
    {
        QFETCH(bool, read_only);
        if (read_only)
            REQUIRE_PERMISSIONS();
        const QString src = tmp + QStringLiteral("/new.jpg"), dst = user + QStringLiteral("/a.jpg");
        test::write_file(src, picture_bytes('n'));
        test::write_file(dst, picture_bytes('o', 500));
        const auto before = test::folder_contents(user);
        CopyResult r;
        blocked(read_only, [&] { r = safe_copy(src, dst, true); });
        QVERIFY(!r.ok);
        QVERIFY(!r.error.isEmpty());
        QCOMPARE(test::folder_contents(user), before);
    }

    void restore_that_cannot_be_written_keeps_both_versions_data() { copies_that_cannot_be_written_data(); }
    void restore_that_cannot_be_written_keeps_both_versions()
    {
        QFETCH(bool, read_only);
        if (read_only)
            REQUIRE_PERMISSIONS();
        test::ScriptedPrompt prompt;
        const QString p = user + QStringLiteral("/a.jpg");
        test::write_file(p, picture_bytes('n', 3000));
        test::write_file(named_backup_for(tmp, p), picture_bytes('o', 3000));
        const auto users = test::folder_contents(user);
        const auto backups = test::folder_contents(tmp);
        blocked(read_only, [&] { QVERIFY(!restore_picture(p)); });
        QCOMPARE(test::folder_contents(user), users);
        QCOMPARE(test::folder_contents(tmp), backups);
        QCOMPARE(prompt.messages.size(), 1);
    }

    void restore_without_a_backup_says_so()
    {
        test::ScriptedPrompt prompt;
        const QString p = user + QStringLiteral("/a.jpg");
        test::write_file(p, picture_bytes('n'));
        QVERIFY(!restore_picture(p));
        QCOMPARE(test::read_bytes(p), picture_bytes('n'));
        QCOMPARE(prompt.message_texts(), QStringList{"Backup file with same file name not found"});
    }

    void restore_when_the_picture_vanished_puts_the_backup_back()
    {
        test::ScriptedPrompt prompt;
        const QString p = user + QStringLiteral("/a.jpg");
        test::write_file(named_backup_for(tmp, p), picture_bytes('o'));
        QVERIFY(restore_picture(p));
        QCOMPARE(test::read_bytes(p), picture_bytes('o'));
        QCOMPARE(test::read_bytes(named_backup_for(tmp, p)), picture_bytes('o'));
    }

    // Association --------------------------------------------------------------

private:
    QByteArray users_association_list()
    {
        test::require_private_folders();
        QByteArray list = "[Default Applications]\n";
        for (int i = 0; i < 100; ++i)
            list += "application/x-type-" + QByteArray::number(i) + "=other.desktop\n";
        test::write_file(user_mimeapps_list(), list);
        return list;
    }
    QStringList lists_in_config_folder()
    {
        return QDir(QFileInfo(user_mimeapps_list()).absolutePath())
            .entryList({QStringLiteral("mimeapps.list*")}, QDir::Files);
    }

private Q_SLOTS:
    void association_on_a_full_disk_keeps_the_users_list_and_says_so()
    {
        const QByteArray list = users_association_list();
        test::ScriptedPrompt prompt;
        prompt.answers = {Answer::Yes, Answer::Ok};
        {
            test::FileSizeLimit full(1000);
            offer_association(QStringLiteral("jpg"));
        }
        QCOMPARE(test::read_bytes(user_mimeapps_list()), list);
        QCOMPARE(lists_in_config_folder(), QStringList{"mimeapps.list"});
        QCOMPARE(prompt.messages.size(), 2);
        QCOMPARE(prompt.messages[1].text,
                 association_failed_message(QStringLiteral("jpg"), user_mimeapps_list()));
        QCOMPARE(prompt.messages[1].icon, Icon::Exclamation);
    }

    void association_in_a_read_only_config_folder_keeps_the_users_list_and_says_so()
    {
        REQUIRE_PERMISSIONS();
        const QByteArray list = users_association_list();
        const QString config = QFileInfo(user_mimeapps_list()).absolutePath();
        test::set_read_only(config, true);
        test::ScriptedPrompt prompt;
        prompt.answers = {Answer::Yes, Answer::Ok};
        offer_association(QStringLiteral("gif"));
        test::set_read_only(config, false);
        QCOMPARE(test::read_bytes(user_mimeapps_list()), list);
        QCOMPARE(lists_in_config_folder(), QStringList{"mimeapps.list"});
        QCOMPARE(prompt.message_texts().value(1),
                 association_failed_message(QStringLiteral("gif"), user_mimeapps_list()));
    }

    void association_with_its_entry_folder_read_only_writes_no_list()
    {
        REQUIRE_PERMISSIONS();
        const QByteArray list = users_association_list();
        const QString apps = user_applications_folder();
        QDir().mkpath(apps);
        QFile::remove(apps + QLatin1Char('/') + desktop_entry_id);
        test::set_read_only(apps, true);
        test::ScriptedPrompt prompt;
        prompt.answers = {Answer::Yes, Answer::Ok};
        offer_association(QStringLiteral("bmp"));
        test::set_read_only(apps, false);
        QCOMPARE(test::read_bytes(user_mimeapps_list()), list);
        QCOMPARE(prompt.message_texts().value(1),
                 association_failed_message(QStringLiteral("bmp"),
                                            apps + QLatin1Char('/') + desktop_entry_id));
    }
};

QTEST_GUILESS_MAIN(tst_destructive_file_faults)
#include "tst_destructive_file_faults.moc"
