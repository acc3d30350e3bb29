// SPDX-License-Identifier: GPL-3.0-or-later
#include "slideshow/slide_list.h"
#include "viewer/picture_commands.h"

#include <QtTest>

using namespace lf;

Q_DECLARE_METATYPE(lf::PictureCommand)

class tst_picture_commands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void first_pass_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("crop_mode");
        QTest::addColumn<PictureCommand>("command");
        const int none = Qt::NoModifier, ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
        QTest::newRow("ctrl+z") << int(Qt::Key_Z) << ctrl << false << PictureCommand::Restore;
        QTest::newRow("ctrl+z crop") << int(Qt::Key_Z) << ctrl << true << PictureCommand::Restore;
        QTest::newRow("z alone") << int(Qt::Key_Z) << none << false << PictureCommand::None;
        QTest::newRow("menu key") << int(Qt::Key_Menu) << none << false << PictureCommand::OpenMenu;
        QTest::newRow("shift+menu key") << int(Qt::Key_Menu) << shift << false << PictureCommand::None;
        QTest::newRow("page down") << int(Qt::Key_PageDown) << none << false << PictureCommand::NextPicture;
        QTest::newRow("page up") << int(Qt::Key_PageUp) << none << false << PictureCommand::PreviousPicture;
        QTest::newRow("page down crop") << int(Qt::Key_PageDown) << none << true << PictureCommand::None;
        QTest::newRow("ctrl+c") << int(Qt::Key_C) << ctrl << true << PictureCommand::CopyToClipboard;
        QTest::newRow("c alone") << int(Qt::Key_C) << none << false << PictureCommand::None;
        QTest::newRow("delete") << int(Qt::Key_Delete) << none << true << PictureCommand::DeletePicture;
        QTest::newRow("f5") << int(Qt::Key_F5) << none << false << PictureCommand::Refresh;
    }
    void first_pass()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, crop_mode);
        QTEST(command_for_key(key, Qt::KeyboardModifiers(modifiers), crop_mode), "command");
    }

    void second_pass_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<bool>("crop_mode");
        QTest::addColumn<PictureCommand>("command");
        const std::pair<const char *, PictureCommand> letters[] = {
            {"t", PictureCommand::FolderThumbnails}, {"s", PictureCommand::FolderSlideShow},
            {"f", PictureCommand::ShowFolder},       {"a", PictureCommand::CopyFileAs},
            {"b", PictureCommand::FullScreen},       {"c", PictureCommand::ToggleCrop},
            {"h", PictureCommand::NoBorders},        {"j", PictureCommand::SaveCropped},
            {"m", PictureCommand::Motion},           {"p", PictureCommand::MainPanel},
            {"n", PictureCommand::Rename},           {"r", PictureCommand::SaveResized},
            {"e", PictureCommand::Edit},             {"w", PictureCommand::WebResolution},
        };
        for (const auto &[c, cmd] : letters) {
            QTest::newRow(c) << QString::fromLatin1(c) << false << cmd;
            QTest::newRow(QByteArray(c).toUpper().constData()) << QString::fromLatin1(c).toUpper() << true << cmd;
        }
        QTest::newRow("escape") << QStringLiteral("\x1b") << false << PictureCommand::Close;
        QTest::newRow("enter") << QStringLiteral("\r") << false << PictureCommand::FullScreen;
        QTest::newRow("+") << "+" << false << PictureCommand::ZoomIn;
        QTest::newRow("- ") << "-" << false << PictureCommand::ZoomOut;
        QTest::newRow("+ crop") << "+" << true << PictureCommand::None;
        QTest::newRow("- crop") << "-" << true << PictureCommand::None;
        QTest::newRow("/") << "/" << true << PictureCommand::OriginalResolution;
        QTest::newRow("*") << "*" << false << PictureCommand::FillScreen;
        QTest::newRow("x") << "x" << false << PictureCommand::None;
    }
    void second_pass()
    {
        QFETCH(QString, character);
        QFETCH(bool, crop_mode);
        QTEST(command_for_character(character.at(0), crop_mode), "command");
    }

    void stepping_wraps_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("next");
        QTest::addColumn<int>("expected");
        QTest::newRow("next middle") << 2 << 3 << true << 3;
        QTest::newRow("next last") << 3 << 3 << true << 1;
        QTest::newRow("previous first") << 1 << 3 << false << 3;
        QTest::newRow("previous middle") << 3 << 3 << false << 2;
        QTest::newRow("one picture") << 1 << 1 << true << 1;
        QTest::newRow("one picture back") << 1 << 1 << false << 1;
    }
    void stepping_wraps()
    {
        QFETCH(int, index);
        QFETCH(int, count);
        QFETCH(bool, next);
        QTEST(stepped_index(index, count, next), "expected");
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
        QVERIFY(!l.ready);
        QVERIFY(take_folder_list(l, s, QStringLiteral("/p/b.jpg")));
        QCOMPARE(l.index, 2);
        QCOMPARE(l.paths, (QStringList{"/p/a.jpg", "/p/B.JPG", "/p/c.jpg"}));
        // Taken once: a later slide list does not change it.
        s.slide_count = 1;
        QVERIFY(take_folder_list(l, s, QStringLiteral("/p/x.jpg")));
        QCOMPARE(l.paths.size(), 3);
    }

    void quality_answers_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("quality"); // 0 = refused
        QTest::newRow("9") << "9" << 0;
        QTest::newRow("10") << "10" << 10;
        QTest::newRow("99") << "99" << 99;
        QTest::newRow("100") << "100" << 0;
        QTest::newRow("abc") << "abc" << 0;
        QTest::newRow("50.5") << "50.5" << 51;
        QTest::newRow("99.4") << "99.4" << 0;
        QTest::newRow("10.4") << "10.4" << 10;
        QTest::newRow("99.6") << "99.6" << 0;
        QTest::newRow("spaces") << " 70 " << 70;
        QTest::newRow("nan") << "nan" << 0;
        QTest::newRow("inf") << "inf" << 0;
        QTest::newRow("-50") << "-50" << 0;
    }
    void quality_answers()
    {
        QFETCH(QString, answer);
        QFETCH(int, quality);
        QCOMPARE(parse_jpeg_quality(answer).value_or(0), quality);
    }

    void save_items_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("cropped");
        QTest::addColumn<bool>("rescaled");
        QTest::addColumn<bool>("shrunk");
        QTest::addColumn<QString>("shown"); // J = jpeg format, R = resized, C = cropped
        QTest::newRow("jpg") << "/a.jpg" << false << false << false << "";
        QTest::newRow("JPG") << "/a.JPG" << false << false << false << "";
        QTest::newRow("gif") << "/a.gif" << false << false << false << "J";
        QTest::newRow("gif rescaled") << "/a.gif" << false << true << false << "R";
        QTest::newRow("gif shrunk") << "/a.gif" << false << false << true << "JR";
        QTest::newRow("bmp cropped") << "/a.bmp" << true << false << false << "C";
        QTest::newRow("jpg cropped and shrunk") << "/a.jpg" << true << false << true << "RC";
        QTest::newRow("jpeg name") << "/a.jpeg" << false << false << false << "J";
    }
    void save_items()
    {
        QFETCH(QString, path);
        QFETCH(bool, cropped);
        QFETCH(bool, rescaled);
        QFETCH(bool, shrunk);
        const PopupVisibility v = popup_visibility(path, cropped, rescaled, shrunk);
        QString shown;
        if (v.save_in_jpeg_format)
            shown += QLatin1Char('J');
        if (v.save_jpeg_resized)
            shown += QLatin1Char('R');
        if (v.save_cropped_image_as)
            shown += QLatin1Char('C');
        QTEST(shown, "shown");
    }
};

QTEST_GUILESS_MAIN(tst_picture_commands)
#include "tst_picture_commands.moc"
