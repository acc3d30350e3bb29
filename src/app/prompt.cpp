// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/prompt.h"

#include "app/paths.h"

#include <QFileInfo>

namespace lf {
namespace {

// Used before the windows install theirs: answers like a user pressing Enter.
class SilentPrompt final : public Prompt {
public:
    Answer message(const MessageRequest &r) override
    {
        switch (r.buttons) {
        case Buttons::Ok:
        case Buttons::OkCancel:
            return r.default_button == 2 ? Answer::Cancel : Answer::Ok;
        case Buttons::YesNo:
        case Buttons::YesNoCancel:
            return r.default_button == 1 ? Answer::Yes
                 : r.default_button == 2 ? Answer::No : Answer::Cancel;
        case Buttons::RetryCancel:
            return r.default_button == 2 ? Answer::Cancel : Answer::Retry;
        case Buttons::AbortRetryIgnore:
            return r.default_button == 1 ? Answer::Abort
                 : r.default_button == 2 ? Answer::Retry : Answer::Ignore;
        }
        return Answer::Ok;
    }
    QString input(const InputRequest &) override { return {}; }
    QString file(const FileRequest &) override { return {}; }
    std::optional<QColor> color(const QColor &, const QString &) override { return std::nullopt; }
    QString folder(const FolderRequest &r) override { return r.start; }
};

SilentPrompt silent;
Prompt *current = &silent;

} // namespace

Prompt &prompt() { return *current; }
void set_prompt(Prompt *p) { current = p ? p : &silent; }

void notify(const QString &text, const QString &title)
{
    MessageRequest r;
    r.text = text;
    r.title = title;
    prompt().message(r);
}

Answer ask(const QString &text, Buttons b, Icon i, int default_button, const QString &title)
{
    MessageRequest r;
    r.text = text;
    r.title = title;
    r.buttons = b;
    r.icon = i;
    r.default_button = default_button;
    return prompt().message(r);
}

QString ask_save_path(const FileRequest &r)
{
    QString path = prompt().file(r);
    if (path.isEmpty() || r.default_suffix.isEmpty() || file_name_of(path).contains(QLatin1Char('.')))
        return path;
    path += QLatin1Char('.') + r.default_suffix;
    // The dialog asked about the name as typed, not about this one.
    if (r.confirm_overwrite && QFileInfo::exists(path)
        && ask(file_name_of(path) + QStringLiteral(" already exists.\nDo you want to replace it?"),
               Buttons::YesNo, Icon::Exclamation, 2)
               != Answer::Yes)
        return {};
    return path;
}

} // namespace lf
