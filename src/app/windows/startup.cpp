// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/startup.h"

#include "app/app_state.h"
#include "app/process_end.h"
#include "app/prompt.h"
#include "app/random.h"
#include "app/screen.h"
#include "app/settings.h"
#include "app/start_up.h"
#include "app/temp_folders.h"
#include "app/windows/f_ghost.h"
#include "app/windows/frame_metrics.h"
#include "app/windows/qt_prompt.h"
#include "app/windows/qt_window_layer.h"
#include "viewer/fitted_decode.h"
#include "viewer/picture_loader.h"
#include "viewer/picture_read_ahead.h"

#include <QCoreApplication>

namespace lf {

void measure_desktop()
{
    AppState &a = app();
    const QSize frame = measure_frame();
    a.frame_height = frame.height();
    a.frame_width = frame.width();
    a.frame_extra_height = a.frame_height - nominal_frame_height;
    a.frame_extra_width = a.frame_width - nominal_frame_width;
    a.taskbar_height = taskbar_height();
}

void start_up(const QStringList &arguments_after_program)
{
    static QtPrompt qt_prompt;
    static QtWindowLayer qt_windows;
    set_prompt(&qt_prompt);
    set_windows(&qt_windows);

    end_on_signals();
    AppState &a = app();
    a.start_argument = checked_start_argument(command_line_text(arguments_after_program));
    measure_desktop();
    seed_random_from_clock();
    // A picture's decode starts as soon as its window's size is known, and
    // runs beside the rest of start-up and the making of the window.
    const QSize natural = classify_start_argument(a.start_argument) == StartKind::Picture
                            ? picture_size(a.start_argument) : QSize();
    if (natural.isValid())
        start_first_decode(a.start_argument, first_decode_size(natural));

    const TempFolderResult tmp = create_tmp_pic_dir(temp_root(), QCoreApplication::applicationPid());
    a.tmp_pic_dir = tmp.tmp_pic_dir;
    if (!tmp.problem.isEmpty())
        notify(tmp.problem);
    // Settings left naming files of an instance that did not end cleanly.
    forget_settings_inside(private_temp_folder(temp_root()), true);

    read_start_settings();
    static f_ghost *ghost = new f_ghost;
    Q_UNUSED(ghost);
    dispatch_start_argument();
}

} // namespace lf
