// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_state.h"
#include "app/windows/widget_geometry.h"
#include "scripted_prompt.h"
#include "test_env.h"
#include "test_windows.h"
#include "viewer/jpeg_saving.h"
#include "viewer/windows/picture_window_save_host.h"

#include <QApplication>
#include <QImageReader>
#include <QPointer>
#include <QtTest>

using namespace lf;

namespace {
QList<QWidget *> picture_windows()
{
    QList<QWidget *> out;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("form_nf") && w->isVisible())
            out << w;
    return out;
}

// Answers Yes to the question and notes what the preview looked like then.
struct PeekingPrompt : Prompt {
    test::ScriptedPrompt script;
    PictureWindowSaveHost *host = nullptr;
    QString preview_title;
    QPoint preview_pos{-1, -1};
    PeekingPrompt() { set_prompt(this); }
    ~PeekingPrompt() override { set_prompt(nullptr); }
    Answer message(const MessageRequest &r) override
    {
        if (host && host->preview()) {
            preview_title = host->preview()->windowTitle();
            preview_pos = host->preview()->pos();
        }
        return script.message(r);
    }
    QString input(const InputRequest &r) override { return script.input(r); }
    QString file(const FileRequest &r) override { return script.file(r); }
    std::optional<QColor> color(const QColor &c, const QString &t) override { return script.color(c, t); }
    QString folder(const FolderRequest &r) override { return script.folder(r); }
};
} // namespace

class tst_picture_window_save_host : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        test::reset_everything();
        app().tmp_pic_dir = test::fresh_folder(QStringLiteral("tmp_pic"));
    }
    void cleanup()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            delete w;
    }

    void saving_under_a_new_name_previews_then_opens_the_target()
    {
        test::TestWindows layer;
        PeekingPrompt prompt;
        const QString dir = test::fresh_folder(QStringLiteral("pictures"));
        const QString pic = dir + QStringLiteral("/photo.jpg");
        QImage img(40, 30, QImage::Format_RGB32);
        img.fill(Qt::darkCyan);
        QVERIFY(img.save(pic, "JPEG"));

        layer.open_picture(pic, false);
        QCOMPARE(picture_windows().size(), 1);
        QPointer<QWidget> owner = picture_windows().first();
        owner->move(300, 200);
        int activated = 0;
        PictureWindowSaveHost host(owner, {[&] { ++activated; }, {}, {}});
        prompt.host = &host;

        const QString target = dir + QStringLiteral("/copy.jpg");
        prompt.script.texts = {target};
        prompt.script.answers = {Answer::Yes};
        JpegSaveRequest r;
        r.picture_path = pic;
        r.view = CropView{0, 0, 600, 450, 600 + app().frame_width, 450 + app().frame_height};
        r.frame_width = app().frame_width;
        r.frame_height = app().frame_height;
        save_as_jpeg(host, r);

        QCOMPARE(prompt.script.message_texts(), QStringList{QStringLiteral("Do you want to keep the new picture?")});
        QCOMPARE(prompt.preview_title, target);
        QCOMPARE(prompt.preview_pos, QPoint(0, 0));
        QTRY_VERIFY(owner.isNull() || !owner->isVisible());
        const QList<QWidget *> left = picture_windows();
        QCOMPARE(left.size(), 1);
        QCOMPARE(left.first()->windowTitle(), QStringLiteral("copy.jpg"));
        QCOMPARE(QImageReader(target).size(), QSize(40, 30));
        QCOMPARE(activated, 0);
    }
};

QTEST_MAIN(tst_picture_window_save_host)
#include "tst_picture_window_save_host.moc"
