// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/qt_prompt.h"

#include "app/paths.h"
#include "dialogs/windows/f_sel_dir.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include <vector>

namespace lf {
namespace {

struct ButtonSpec {
    QMessageBox::StandardButton button;
    Answer answer;
};

std::vector<ButtonSpec> buttons_for(Buttons b)
{
    using MB = QMessageBox;
    switch (b) {
    case Buttons::Ok: return {{MB::Ok, Answer::Ok}};
    case Buttons::OkCancel: return {{MB::Ok, Answer::Ok}, {MB::Cancel, Answer::Cancel}};
    case Buttons::YesNo: return {{MB::Yes, Answer::Yes}, {MB::No, Answer::No}};
    case Buttons::YesNoCancel:
        return {{MB::Yes, Answer::Yes}, {MB::No, Answer::No}, {MB::Cancel, Answer::Cancel}};
    case Buttons::RetryCancel: return {{MB::Retry, Answer::Retry}, {MB::Cancel, Answer::Cancel}};
    case Buttons::AbortRetryIgnore:
        return {{MB::Abort, Answer::Abort}, {MB::Retry, Answer::Retry},
                {MB::Ignore, Answer::Ignore}};
    }
    return {{MB::Ok, Answer::Ok}};
}

QMessageBox::Icon icon_for(Icon i)
{
    switch (i) {
    case Icon::None: return QMessageBox::NoIcon;
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

QWidget *parent_window() { return QApplication::activeWindow(); }

} // namespace

Answer QtPrompt::message(const MessageRequest &r)
{
    QMessageBox box(icon_for(r.icon), r.title, r.text, QMessageBox::NoButton, parent_window());
    const auto choices = buttons_for(r.buttons);
    for (const ButtonSpec &s : choices)
        box.addButton(s.button);
    const int d = qBound(1, r.default_button, int(choices.size())) - 1;
    box.setDefaultButton(choices[size_t(d)].button);
    // Esc answers with the last "no" kind of button, as users expect.
    box.setEscapeButton(choices.back().button);
    const auto pressed = QMessageBox::StandardButton(box.exec());
    for (const ButtonSpec &s : choices) {
        if (s.button == pressed)
            return s.answer;
    }
    return choices.back().answer;
}

QString QtPrompt::input(const InputRequest &r)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent_window(), r.title, r.prompt,
                                               QLineEdit::Normal, r.proposed, &ok);
    return ok ? text : QString();
}

QString QtPrompt::file(const FileRequest &r)
{
    if (r.kind == FileRequest::Save) {
        QFileDialog d(parent_window(), r.title, r.start, r.filter);
        d.setAcceptMode(QFileDialog::AcceptSave);
        d.setFileMode(QFileDialog::AnyFile);
        // The dialog adds it before it asks about replacing a file.
        d.setDefaultSuffix(r.default_suffix);
        d.setOption(QFileDialog::DontConfirmOverwrite, !r.confirm_overwrite);
        return d.exec() == QDialog::Accepted ? absolute_path(d.selectedFiles().value(0)) : QString();
    }
    return absolute_path(QFileDialog::getOpenFileName(parent_window(), r.title, r.start, r.filter));
}

std::optional<QColor> QtPrompt::color(const QColor &initial, const QString &title)
{
    const QColor c = QColorDialog::getColor(initial, parent_window(), title);
    if (!c.isValid())
        return std::nullopt;
    return c;
}

QString QtPrompt::folder(const FolderRequest &r)
{
    return absolute_path(f_sel_dir::choose(r.caption, r.start));
}

} // namespace lf
