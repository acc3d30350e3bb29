#include "slideshow/slide_commands.h"

#include "app/app_state.h"
#include "app/paths.h"
#include "app/prompt.h"
#include "app/settings.h"
#include "app/shell.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_numbers.h"
#include "slideshow/slide_sequencer.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <climits>

namespace lf {

bool delete_picture_with_backup(const QString &path)
{
    const QString dir = app().tmp_pic_dir;
    if (dir.isEmpty() || !QDir().mkpath(dir)) {
        report_error(76, QStringLiteral("Path not found"));
        return false;
    }
    const QString copy = dir + QLatin1Char('/') + file_name_of(path);
    if (QFile::exists(copy))
        QFile::remove(copy);
    QFile source(path);
    if (!source.copy(copy)) {
        report_error(int(source.error()), source.errorString());
        return false;
    }
    if (!QFile::remove(path)) {
        report_error(75, QStringLiteral("Path/File access error"));
        return false;
    }
    app().deleted_pictures += QLatin1Char('|') + path;
    return true;
}

QString edit_picture(const QString &path)
{
    const QString editor = get_setting(key::picture_editor);
    QString message;
    if (!file_exists(editor))
        message = QStringLiteral("Path of picture editor is wrong.");
    else if (!file_exists(path))
        message = QStringLiteral("No last picture found.");
    if (!message.isEmpty()) {
        notify(message);
        return message;
    }
    QProcess::startDetached(editor, {path});
    return {};
}

bool ask_go_to_number(SlideList &s)
{
    InputRequest r;
    r.title = QStringLiteral("Select next picture number");
    r.prompt = QStringLiteral("Picture number? (type a number from 1 to ")
             + QString::number(s.slide_count) + QLatin1Char(')');
    r.proposed = QString::number(s.current_slide);
    for (;;) {
        const GoToAnswer a = parse_go_to_answer(prompt().input(r), s.slide_count);
        switch (a.kind) {
        case GoToAnswer::Leave:
            return false;
        case GoToAnswer::Take:
            s.resume_slide = a.number;
            return true;
        case GoToAnswer::NotAllowed:
            notify(QStringLiteral("Numeber not allowed"));
            break;
        case GoToAnswer::FormatError:
            notify(QStringLiteral("Format error"));
            break;
        }
    }
}

bool ask_new_interval(SlideList &s)
{
    InputRequest r;
    r.title = QStringLiteral("Set new interval in milliseconds");
    r.prompt = QStringLiteral("New interval?");
    r.proposed = QString::number(s.interval_ms);
    // A negative interval would mean nothing to the timer.
    const auto n = whole_number_in(prompt().input(r), 0, INT_MAX);
    if (!n)
        return false;
    s.interval_ms = *n;
    save_setting(key::interval, *n);
    return true;
}

bool sequential_order_request(SlideList &s)
{
    if (!s.random_order) {
        if (s.current_slide == 1) {
            notify(QStringLiteral("Mode is already sequential"));
            return false;
        }
        if (ask(QStringLiteral("Mode is already sequential. Do you want to go to the first slide?"),
                Buttons::YesNo, Icon::None, 1, QStringLiteral("Sequntial Mode requested"))
            != Answer::Yes)
            return false;
        s.current_slide = 0;
    } else {
        s.random_order = false;
    }
    save_setting(key::random, bool_text(s.random_order));
    return true;
}

} // namespace lf
