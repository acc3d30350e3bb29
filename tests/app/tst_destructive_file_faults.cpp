// SPDX-License-Identifier: GPL-3.0-or-later
#include "fault_injection.h"
#include "scripted_prompt.h"
#include "test_env.h"
#include "tools/file_association.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

using namespace lf;

#define REQUIRE_PERMISSIONS()                                                                      \
    if (!test::permissions_apply())                                                                \
    QSKIP("permission bits cannot be made to hold for this process")

// The association's files made to fail: the disk full (a file-size limit),
// the folders read-only. The user's list must stay as it was, and the user
// is told. (Every other replacing operation is in tst_file_safety.)
class tst_destructive_file_faults : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { test::reset_everything(); }

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
            .entryList({QStringLiteral("*mimeapps.list*")}, QDir::Files);
    }

private Q_SLOTS:
    void association_on_a_full_disk_keeps_the_users_lists_and_says_so()
    {
        const QByteArray list = users_association_list();
        // The desktop's own list is small enough to be written first; it
        // gets its old bytes back when mimeapps.list cannot be written.
        qputenv("XDG_CURRENT_DESKTOP", "GNOME");
        const QString own = user_desktop_mimeapps_lists().value(0);
        const QByteArray own_list = "[Default Applications]\nimage/jpeg=other.desktop\n";
        test::write_file(own, own_list);
        test::ScriptedPrompt prompt;
        prompt.answers = {Answer::Yes, Answer::Ok};
        {
            test::FileSizeLimit full(1000);
            offer_association(QStringLiteral("jpg"));
        }
        qunsetenv("XDG_CURRENT_DESKTOP");
        QCOMPARE(test::read_bytes(user_mimeapps_list()), list);
        QCOMPARE(test::read_bytes(own), own_list);
        QFile::remove(own);
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
