// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings.h"
#include "test_env.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QtTest>

using namespace lf;

class tst_settings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { test::reset_everything(); }

    void numeric_rule_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("true") << "-1" << -1.0;
        QTest::newRow("false") << "0" << 0.0;
        QTest::newRow("decimal") << "2500" << 2500.0;
        QTest::newRow("leading blanks") << "  42" << 42.0;
        QTest::newRow("trailing text") << "12abc" << 12.0;
        QTest::newRow("fraction") << "3.5s" << 3.5;
        QTest::newRow("plus") << "+7" << 7.0;
        QTest::newRow("no number") << "abc" << 0.0;
        QTest::newRow("sign only") << "-" << 0.0;
        QTest::newRow("text before number") << "x12" << 0.0;
        QTest::newRow("arabic digits are not ours") << QString::fromUtf8("٣") << 0.0;
    }
    void numeric_rule()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(numeric_value(text), value);
    }

    void numeric_int_clamps()
    {
        QCOMPARE(numeric_int(QStringLiteral("99999999999999999999")), INT_MAX);
        QCOMPARE(numeric_int(QStringLiteral("-99999999999999999999")), INT_MIN);
        QCOMPARE(numeric_int(QStringLiteral("7.9")), 7);
        QCOMPARE(numeric_int(QStringLiteral("-7.9")), -7);
    }

    void round_trip_in_section_general()
    {
        save_setting(key::last_picture_file, QStringLiteral("/p/ä b.jpg"));
        save_setting(key::interval, 2500);
        save_setting(key::random, bool_text(true));
        QCOMPARE(get_setting(key::last_picture_file), QStringLiteral("/p/ä b.jpg"));
        QCOMPARE(get_setting(key::interval), QStringLiteral("2500"));
        QCOMPARE(get_setting(key::random), QStringLiteral("-1"));

        // What the next process reads: the file itself.
        QFile f(settings_file());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = f.readAll().split('\n');
        QCOMPARE(lines.value(0), QByteArray("[General]"));
        QVERIFY(lines.contains("interval=2500"));
        QVERIFY(lines.contains("random=-1"));
    }

    void a_store_written_by_another_process_is_read()
    {
        test::write_file(settings_file(), "[General]\nautom=-1\nlast_slide_show=/s/a b.ssf\n");
        QCOMPARE(get_setting(key::autom), QStringLiteral("-1"));
        QCOMPARE(get_setting(key::last_slide_show), QStringLiteral("/s/a b.ssf"));
    }

    void absent_keys_read_empty()
    {
        QCOMPARE(get_setting(key::jpeg_quality), QString());
        QCOMPARE(numeric_int(get_setting(key::interval)), 0);
        QVERIFY(numeric_int(get_setting(key::autom)) == 0);
    }

    void later_value_replaces_earlier()
    {
        save_setting(key::jpeg_quality, QStringLiteral("80"));
        save_setting(key::jpeg_quality, QStringLiteral("65"));
        QCOMPARE(get_setting(key::jpeg_quality), QStringLiteral("65"));
    }

    void unreadable_store_reads_empty_and_is_kept()
    {
        const QString file = settings_file();
        test::write_file(file, QByteArray("\x00\x01\x02\x03[[[\n=\xff", 10));
        QCOMPARE(get_setting(key::random), QString());
        save_setting(key::random, QStringLiteral("-1"));
        QCOMPARE(get_setting(key::random), QStringLiteral("-1"));
    }

    void a_folder_in_the_way_reads_empty()
    {
        const QString dir = test::fresh_folder(QStringLiteral("cfg")) + QStringLiteral("/x.ini");
        QDir().mkpath(dir);
        set_settings_file(dir);
        QCOMPARE(get_setting(key::interval), QString());
        save_setting(key::interval, QStringLiteral("5")); // must not crash
        QCOMPARE(get_setting(key::interval), QString());
    }

    void missing_folder_is_created_on_write()
    {
        const QString file = test::fresh_folder(QStringLiteral("cfg")) + QStringLiteral("/deep/er/x.ini");
        set_settings_file(file);
        save_setting(key::autom, QStringLiteral("0"));
        QVERIFY(QFileInfo::exists(file));
    }

    void default_store_is_named_after_the_executable()
    {
        set_settings_file(QString());
        QVERIFY(settings_file().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
        QCOMPARE(QFileInfo(settings_file()).fileName(), application_name() + QStringLiteral(".ini"));
        QCOMPARE(application_name(), QStringLiteral("app_tst_settings"));
    }
};

QTEST_GUILESS_MAIN(tst_settings)
#include "tst_settings.moc"
