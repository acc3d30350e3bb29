// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/clock.h"
#include "app/random.h"
#include "app/shell.h"
#include "scripted_prompt.h"
#include "test_env.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

using namespace lf;

class tst_shell : public QObject {
    Q_OBJECT
    QList<QUrl> opened;
private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        opened.clear();
        set_desktop_opener([this](const QUrl &u) {
            opened << u;
            return true;
        });
    }

    void open_url_takes_the_first_line_only()
    {
        QVERIFY(open_url(QStringLiteral("https://example.org/a\r\nhttps://second")));
        QCOMPARE(opened, QList<QUrl>{QUrl(QStringLiteral("https://example.org/a"))});
        QVERIFY(!open_url(QStringLiteral("someone@example.org")));
        QVERIFY(open_url(QStringLiteral("www.example.org")));
        QCOMPARE(opened.size(), 2);
        QCOMPARE(opened[1].host(), QStringLiteral("www.example.org"));
    }

    void explorer_opens_folders_files_and_addresses()
    {
        test::ScriptedPrompt p;
        const QString dir = test::fresh_folder(QStringLiteral("explore"));
        test::write_file(dir + QStringLiteral("/a.jpg"));
        open_in_explorer(dir);
        open_in_explorer(dir + QStringLiteral("/a.jpg"));
        open_in_explorer(QStringLiteral("http://example.org"));
        QCOMPARE(opened, (QList<QUrl>{QUrl::fromLocalFile(dir),
                                      QUrl::fromLocalFile(dir + QStringLiteral("/a.jpg")),
                                      QUrl(QStringLiteral("http://example.org"))}));
        QVERIFY(p.messages.isEmpty());
    }

    void explorer_reports_a_missing_path_and_ignores_wildcards()
    {
        test::ScriptedPrompt p;
        const QString dir = test::fresh_folder(QStringLiteral("explore"));
        test::write_file(dir + QStringLiteral("/*.jpg"));
        open_in_explorer(dir + QStringLiteral("/*.jpg"));
        QVERIFY(p.messages.isEmpty());
        open_in_explorer(QStringLiteral("/no/such/folder\r\nsecond line"));
        QCOMPARE(p.message_texts(), QStringList{QStringLiteral("Path not found: /no/such/folder")});
        QVERIFY(opened.isEmpty());
    }

    void report_error_text()
    {
        test::ScriptedPrompt p;
        report_error(53, QStringLiteral("File not found"));
        report_errno(ENOENT);
        QCOMPARE(p.message_texts(), (QStringList{QStringLiteral("Error 53 - File not found"),
                                                 QStringLiteral("Error 2 - No such file or directory")}));
        QCOMPARE(p.messages[0].buttons, Buttons::Ok);
    }

    void wait_seconds_keeps_events_running_across_midnight()
    {
        // The wall clock jumps back at midnight; the wait must not care.
        int calls = 0;
        set_clock([&calls] {
            ++calls;
            return QDateTime(QDate(2026, 1, 1), calls < 3 ? QTime(23, 59, 59, 990) : QTime(0, 0, 0, 5));
        });
        bool timer_ran = false;
        QTimer::singleShot(10, [&timer_ran] { timer_ran = true; });
        QElapsedTimer t;
        t.start();
        wait_seconds(0.15);
        QVERIFY(t.elapsed() >= 150);
        QVERIFY(t.elapsed() < 5000);
        QVERIFY(timer_ran);
    }

    void seeded_random_repeats()
    {
        seed_random(7);
        const double a = rnd();
        const int b = random_below(100);
        seed_random(7);
        QCOMPARE(rnd(), a);
        QCOMPARE(random_below(100), b);
        for (int i = 0; i < 1000; ++i) {
            const double r = rnd();
            QVERIFY(r >= 0.0 && r < 1.0);
            const int k = random_below(3);
            QVERIFY(k >= 0 && k < 3);
        }
        QCOMPARE(random_below(0), 0);
    }
};

QTEST_GUILESS_MAIN(tst_shell)
#include "tst_shell.moc"
