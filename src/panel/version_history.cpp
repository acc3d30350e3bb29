// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/version_history.h"

#include <QDate>
#include <QLocale>

namespace lf {

const QStringList &version_history()
{
    static const QStringList lines{
        QStringLiteral("23^261207.6) N: Free software under the GNU GPL version 3 or later, packaged for Debian with a manual page, menu entry, icons and a software-centre listing."),
        QStringLiteral("22^261207.5) I: A smaller test suite that finds more faults guards every change."),
        QStringLiteral("21^261207.4) I: The next picture appears at once, the program starts faster and thumbnail sheets use the desktop's shared thumbnail cache."),
        QStringLiteral("20^261207.3) I: Right under real window managers, on Wayland desktops and on HiDPI screens."),
        QStringLiteral("19^261207.2) F: Nothing of the user's is lost: pictures are known by their full path, deleted ones go to the Trash, files are replaced through a work file in the same folder."),
        QStringLiteral("18^261207.1) N: Runs on Linux desktops with Qt 6: settings under ~/.config, temporary files in a private folder of the user, file types made ours through the desktop's default applications."),
        QStringLiteral("17^070512.1) F: Correction of picture frame size in same coses of normal view with borders."),
        QStringLiteral("16^070418.1) I: Temporary files will be created in Windows' temporary folder."),
        QStringLiteral("15^050819.4) F: Auto size of non-fullscreen window takes into account variable size of start bar."),
        QStringLiteral("14^050819.3) I: The message window with the version history takes the place of the main panel."),
        QStringLiteral("13^050819.2) F: Renaming files to sequence numbers keeps the letter case of the extension."),
        QStringLiteral("12^050819.1) N: Batch rename: remove a string from the names of all files in a directory."),
        QStringLiteral("11^050614.1) N: Batch rename: add a string to the names of all files in a directory."),
        QStringLiteral("10^050402.2) I: Thumbnail sheets remember the last thumbnail file and reopen it."),
        QStringLiteral("09^050402.1) F: Deleted pictures are skipped by a running slide show."),
        QStringLiteral("08^050211.1) N: Moving picture window without borders that stays on top of the desktop."),
        QStringLiteral("07^050107.1) I: Cropping keeps the proportions of the picture when the shift key is held."),
        QStringLiteral("06^041220.2) F: Saving as JPEG no longer fails on pictures with an odd width."),
        QStringLiteral("05^041220.1) I: JPEG quality for saving can be chosen and is remembered."),
        QStringLiteral("04^041128.1) N: Picture search by file name, with all or any of the given strings."),
        QStringLiteral("03^041103.1) I: Slide show list raised to 10,000 pictures."),
        QStringLiteral("02^041015.1) F: Random order no longer shows the same picture twice before all are seen."),
        QStringLiteral("01^040930.1) N: Association of jpg, gif and bmp files with this program."),
        QStringLiteral("------------------------- VERSION 4.0.0 -----------------------------"),
        QStringLiteral("20^040816.1) I: The picture window steps through the pictures of its folder with the arrow keys."),
        QStringLiteral("19^040722.2) F: Status bar of the slide show shows the right picture number after stepping back."),
        QStringLiteral("18^040722.1) I: Comments of the slide show can be hidden and the choice is remembered."),
        QStringLiteral("17^040610.1) N: Black screen behind the pictures of a slide show."),
        QStringLiteral("16^040503.1) I: Original and web resolution views in the picture window."),
        QStringLiteral("15^040417.2) F: Pictures with EXIF orientation are shown the right way up."),
        QStringLiteral("14^040417.1) I: Zoom in and out with the + and - keys."),
        QStringLiteral("13^040302.1) N: Slide show files (.ssf) can be resumed where the show was left."),
        QStringLiteral("12^040214.1) F: A slide show file with missing pictures asks before dropping them."),
        QStringLiteral("11^040120.1) I: Slide shows can be sorted by name or by date, ascending or descending."),
        QStringLiteral("10^031205.1) N: Building a slide show from a folder and its subfolders."),
        QStringLiteral("09^031111.2) F: The progress window's Cancel button stops long folder scans at once."),
        QStringLiteral("08^031111.1) I: Progress window while scanning folders."),
        QStringLiteral("07^031020.1) N: Thumbnail files (.tnf) open the thumbnail sheet directly."),
        QStringLiteral("06^030918.1) I: Thumbnail sheets are built in the background and stay responsive."),
        QStringLiteral("05^030801.1) N: Thumbnail sheet of a folder or of a search result."),
        QStringLiteral("04^030625.1) F: The picture window is reloaded when the file changes on disk."),
        QStringLiteral("03^030514.1) I: The external picture editor can be started from the picture window."),
        QStringLiteral("02^030402.1) N: Copy the picture on screen to the clipboard."),
        QStringLiteral("01^030310.1) N: Full-screen slide show with timer or manual stepping."),
        QStringLiteral("------------------------- VERSION 3.0.0 -----------------------------"),
        QStringLiteral("17^021204.1) F: Pictures larger than the screen are no longer cut at the bottom."),
        QStringLiteral("16^021115.1) I: The main panel shows the last picture and can open it again."),
        QStringLiteral("15^021028.2) F: Closing the last window removes the temporary files."),
        QStringLiteral("14^021028.1) I: Background colour of the picture window can be chosen."),
        QStringLiteral("13^020917.1) N: Crop a part of the picture and save it as JPEG."),
        QStringLiteral("12^020830.1) I: Mouse pointer can be hidden during slide shows."),
        QStringLiteral("11^020712.1) F: File names with blanks open correctly from the command line."),
        QStringLiteral("10^020620.1) N: Delete the picture on screen, with a copy kept until the program ends."),
        QStringLiteral("09^020604.1) I: Fit mode enlarges small pictures to the screen."),
        QStringLiteral("08^020503.1) F: GIF pictures keep their transparent background."),
        QStringLiteral("07^020411.1) N: Rename the last picture from the main panel."),
        QStringLiteral("06^020318.1) I: Settings are saved the moment they change."),
        QStringLiteral("05^020222.1) N: Directory selection dialog with drives, folders and files."),
        QStringLiteral("04^020130.1) F: BMP pictures with 16 colours are shown correctly."),
        QStringLiteral("03^011212.1) I: The picture window sizes itself to the screen."),
        QStringLiteral("02^011119.1) N: Open a picture given on the command line."),
        QStringLiteral("01^011025.1) N: First version: picture window for JPEG, GIF and BMP files."),
        QStringLiteral("------------------------- VERSION 2.2.0 -----------------------------"),
        QStringLiteral("[end of version history]"),
    };
    return lines;
}

QString version_history_text(int mode, const QStringList &lines)
{
    QString history;
    for (const QString &line : lines)
        history += QStringLiteral("\r\n") + line;
    if (mode == 0)
        return history;

    const qsizetype p = history.indexOf(QLatin1Char('^'));
    if (p < 2)
        return {};
    const QString version = QStringLiteral("4.0.") + history.mid(p - 2, 2);
    const QDate date(2000 + history.mid(p + 1, 2).toInt(), history.mid(p + 3, 2).toInt(),
                     history.mid(p + 5, 2).toInt());
    return version + QStringLiteral(" (") + QLocale().toString(date, QStringLiteral("dd/MMM/yyyy"))
         + QStringLiteral(")");
}

QString version_history_text(int mode) { return version_history_text(mode, version_history()); }

QString current_version() { return version_history_text(1); }

} // namespace lf
