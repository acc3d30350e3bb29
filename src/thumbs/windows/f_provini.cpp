#include "thumbs/windows/f_provini.h"

#include "app/paths.h"
#include "app/process_end.h"
#include "app/window_registry.h"
#include "thumbs/thumbnail_state.h"

#include <QCloseEvent>
#include <QPointer>

namespace lf {
namespace {
QPointer<f_provini> sheet;
}

f_provini::f_provini()
{
    setObjectName(QStringLiteral("f_provini"));
    setAttribute(Qt::WA_DeleteOnClose);
    registry().thumbnails_open = true;
}

void f_provini::load_sheet()
{
    if (!sheet)
        sheet = new f_provini;
    sheet->setWindowTitle(file_name_of(thumbnails().current_thumbnail_file));
    sheet->resize(800, 600);
    sheet->show();
}

void f_provini::closeEvent(QCloseEvent *e)
{
    QWidget::closeEvent(e);
    registry().thumbnails_open = false;
    after_viewing_window_closed();
}

} // namespace lf
