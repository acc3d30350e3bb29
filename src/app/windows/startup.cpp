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
    // A picture's decode starts now, beside the frame measurement and the
    // making of its window, at the most a window could need; it is scaled
    // to the exact size once the frame and the taskbar are known.
    const QSize natural = classify_start_argument(a.start_argument) == StartKind::Picture
                            ? picture_size(a.start_argument) : QSize();
    if (natural.isValid())
        start_first_decode(a.start_argument, fitted_decode_size(screen_twips(), FrameTwips{}, natural));

    measure_desktop();
    seed_random_from_clock();
    if (natural.isValid())
        settle_first_decode(first_decode_size(natural));

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
