#include "app/windows/frame_metrics.h"

#include "app/twips.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QWidget>

namespace lf {

QSize measure_frame()
{
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return {0, 0};
    QWidget probe;
    probe.setWindowTitle(QString());
    probe.setAttribute(Qt::WA_DontShowOnScreen, false);
    probe.setWindowOpacity(0.0);
    probe.setGeometry(-2000, -2000, 64, 64);
    probe.show();
    // The window manager reparents the window shortly after it is mapped.
    QElapsedTimer t;
    t.start();
    QSize frame;
    while (t.elapsed() < 400) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        const QRect outer = probe.frameGeometry();
        const QRect inner = probe.geometry();
        frame = QSize(outer.width() - inner.width(), outer.height() - inner.height());
        if (frame.height() > 0)
            break;
    }
    probe.hide();
    return {px_to_twips(qMax(0, frame.width())), px_to_twips(qMax(0, frame.height()))};
}

} // namespace lf
