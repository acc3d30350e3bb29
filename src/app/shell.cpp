// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell.h"

#include "app/paths.h"
#include "app/prompt.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QCursor>
#include <QGuiApplication>
#include <QThread>

#include <cstring>

namespace lf {
namespace {
DesktopOpener opener;
}

void hourglass(bool on)
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    if (on)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else if (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

void do_events()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void wait_seconds(double seconds)
{
    QElapsedTimer t;
    t.start();
    const qint64 wait_ms = qint64(seconds * 1000.0);
    while (t.elapsed() < wait_ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents,
                                        int(qMin<qint64>(50, wait_ms - t.elapsed())));
        const qint64 left = wait_ms - t.elapsed();
        if (left > 0)
            QThread::msleep(quint64(qMin<qint64>(5, left)));
    }
}

void set_desktop_opener(DesktopOpener o) { opener = std::move(o); }

bool desktop_open(const QUrl &url)
{
    if (opener)
        return opener(url);
    return QDesktopServices::openUrl(url);
}

bool open_url(const QString &s)
{
    const QString text = first_line(s).trimmed();
    if (!is_url(text))
        return false;
    QUrl url = QUrl::fromUserInput(text);
    if (url.isValid())
        desktop_open(url);
    return true;
}

void open_in_explorer(const QString &path_in)
{
    const QString path = first_line(path_in);
    if (!file_exists(path)) {
        if (open_url(path))
            return;
        notify(QStringLiteral("Path not found: ") + path);
        return;
    }
    if (path.contains(QLatin1Char('*')))
        return;
    desktop_open(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

void report_error(int number, const QString &description)
{
    notify(QStringLiteral("Error ") + QString::number(number) + QStringLiteral(" - ")
           + description);
}

void report_errno(int err)
{
    report_error(err, QString::fromLocal8Bit(std::strerror(err)));
}

} // namespace lf
