#include "slideshow/windows/form_fs.h"

#include "app/paths.h"
#include "app/process_end.h"
#include "app/window_registry.h"
#include "slideshow/slide_list.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace lf {
namespace {
int window_counter = 0;
}

form_fs::form_fs() : QWidget(nullptr, Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("form_fs"));
    setAttribute(Qt::WA_DeleteOnClose);
    setStyleSheet(QStringLiteral("background: black"));
    setWindowTitle(file_name_of(slides().slide_show_file));
    tag_ = format_tag(++window_counter);
    add_tag(registry().open_slide_show_windows, tag_);
}

void form_fs::open_slide_show_window()
{
    auto *w = new form_fs;
    w->showFullScreen();
}

void form_fs::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape)
        close();
}

void form_fs::closeEvent(QCloseEvent *e)
{
    QWidget::closeEvent(e);
    if (!remove_tag(registry().open_slide_show_windows, tag_)) {
        stop_on_missing_tag();
        return;
    }
    after_viewing_window_closed();
}

} // namespace lf
