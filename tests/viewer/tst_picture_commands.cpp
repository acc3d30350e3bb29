// SPDX-License-Identifier: GPL-3.0-or-later
#include "slideshow/slide_list.h"
#include "viewer/picture_commands.h"

#include <QtTest>

using namespace lf;

class tst_picture_commands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Only the keys whose meaning depends on a modifier or on crop mode.
    void guarded_keys()
    {
        QCOMPARE(command_for_key(Qt::Key_Z, Qt::ControlModifier, true), PictureCommand::Restore);
        QCOMPARE(command_for_key(Qt::Key_Z, Qt::NoModifier, false), PictureCommand::None);
        QCOMPARE(command_for_key(Qt::Key_C, Qt::NoModifier, false), PictureCommand::None);
        QCOMPARE(command_for_key(Qt::Key_Menu, Qt::ShiftModifier, false), PictureCommand::None);
        QCOMPARE(command_for_key(Qt::Key_PageDown, Qt::NoModifier, true), PictureCommand::None);
        QCOMPARE(command_for_key(Qt::Key_PageUp, Qt::NoModifier, true), PictureCommand::None);
        QCOMPARE(command_for_character('+', true), PictureCommand::None);
        QCOMPARE(command_for_character('-', true), PictureCommand::None);
        QCOMPARE(command_for_character('w', true), PictureCommand::WebResolution);
    }

    void stepping_wraps()
    {
        QCOMPARE(stepped_index(2, 3, true), 3);
        QCOMPARE(stepped_index(3, 3, true), 1);
        QCOMPARE(stepped_index(1, 3, false), 3);
        QCOMPARE(stepped_index(3, 3, false), 2);
        QCOMPARE(stepped_index(1, 1, false), 1);
    }

    void folder_list_found_in_any_case()
    {
        SlideList s;
        s.slide_count = 3;
        s.slot(1).path = QStringLiteral("/p/a.jpg");
        s.slot(2).path = QStringLiteral("/p/B.JPG");
        s.slot(3).path = QStringLiteral("/p/c.jpg");
        FolderList l;
        QVERIFY(!take_folder_list(l, s, QStringLiteral("/p/x.jpg")));
        QVERIFY(take_folder_list(l, s, QStringLiteral("/p/b.jpg")));
        QCOMPARE(l.index, 2);
        QCOMPARE(l.paths, (QStringList{"/p/a.jpg", "/p/B.JPG", "/p/c.jpg"}));
        // Taken once: a later slide list does not change it.
        s.slide_count = 1;
        QVERIFY(take_folder_list(l, s, QStringLiteral("/p/x.jpg")));
        QCOMPARE(l.paths.size(), 3);
    }

    void quality_answers()
    {
        // Whole numbers from 10 to 99 after rounding; 0 for refused.
        const std::pair<const char *, int> cases[] = {
            {"9", 0},      {"10", 10}, {"99", 99}, {"100", 0},   {"abc", 0},  {"50.5", 51}, {"99.4", 0},
            {"10.4", 10}, {" 70 ", 70}, {"nan", 0}, {"inf", 0}, {"-50", 0},
        };
        for (const auto &[answer, quality] : cases)
            QVERIFY2(parse_jpeg_quality(QLatin1String(answer)).value_or(0) == quality, answer);
    }

    void save_items()
    {
        // J = in JPEG format, R = resized, C = cropped; from path, cropped, rescaled, shrunk.
        auto shown = [](const char *path, bool cropped, bool rescaled, bool shrunk) -> QString {
            const PopupVisibility v = popup_visibility(QLatin1String(path), cropped, rescaled, shrunk);
            return QString(v.save_in_jpeg_format ? "J" : "") + (v.save_jpeg_resized ? "R" : "")
                 + (v.save_cropped_image_as ? "C" : "");
        };
        QCOMPARE(shown("/a.JPG", false, false, false), QString());
        QCOMPARE(shown("/a.gif", false, false, false), QStringLiteral("J"));
        QCOMPARE(shown("/a.gif", false, true, false), QStringLiteral("R"));
        QCOMPARE(shown("/a.gif", false, false, true), QStringLiteral("JR"));
        QCOMPARE(shown("/a.bmp", true, false, false), QStringLiteral("C"));
        QCOMPARE(shown("/a.jpg", true, false, true), QStringLiteral("RC"));
        QCOMPARE(shown("/a.jpeg", false, false, false), QStringLiteral("J"));
    }
};

QTEST_GUILESS_MAIN(tst_picture_commands)
#include "tst_picture_commands.moc"
