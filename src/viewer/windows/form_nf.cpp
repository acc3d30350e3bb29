#include "viewer/windows/form_nf.h"

#include "app/paths.h"
#include "app/process_end.h"
#include "app/prompt.h"
#include "app/window_registry.h"
#include "viewer/viewer_state.h"

#include <QCloseEvent>

namespace lf {
namespace {
int window_counter = 0;
}

form_nf::form_nf(const QString &path)
{
    setObjectName(QStringLiteral("form_nf"));
    setAttribute(Qt::WA_DeleteOnClose);
    tag_ = format_tag(++window_counter);
    add_tag(registry().open_picture_windows, tag_);
    if (!file_exists(path))
        notify(QStringLiteral("File not found ") + path);
    setWindowTitle(file_name_of(path).toLower());
    resize(640, 480);
}

void form_nf::closeEvent(QCloseEvent *e)
{
    QWidget::closeEvent(e);
    if (!remove_tag(registry().open_picture_windows, tag_)) {
        stop_on_missing_tag();
        return;
    }
    after_viewing_window_closed();
}

void open_picture(QString path, bool)
{
    strip_quotes(path);
    if (path.isEmpty())
        return;
    viewer().picture_to_open = path;
    viewer().fresh_open = true;
    new_picture_window();
}

void new_picture_window()
{
    auto *w = new form_nf(viewer().picture_to_open);
    w->show();
}

} // namespace lf
