// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <optional>

namespace lf {

inline const QString app_title = QStringLiteral("Lumenfolio");

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class Icon { None, Critical, Question, Exclamation, Information };
enum class Answer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

struct MessageRequest {
    QString text;
    QString title = app_title;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    int default_button = 1; // 1-based, in the order the buttons are listed
};

struct InputRequest {
    QString prompt;
    QString title = app_title;
    QString proposed;
};

struct FileRequest {
    enum Kind { Open, Save } kind = Open;
    QString title;
    QString start;  // folder, or proposed file for Save
    QString filter; // Qt filter text, e.g. "Pictures (*.jpg *.gif *.bmp)"
    bool confirm_overwrite = true; // Save only
    QString default_suffix;        // Save only: added to a name typed without one ("ssf")
};

struct FolderRequest {
    QString caption = QStringLiteral("Select directory");
    QString start;
};

// Every question the program asks goes through here, so that the windows
// show real dialogs and the tests script the answers.
class Prompt {
public:
    virtual ~Prompt() = default;
    virtual Answer message(const MessageRequest &r) = 0;
    // The typed text, or "" when cancelled (as an input box answers).
    virtual QString input(const InputRequest &r) = 0;
    // The chosen path, or "" when cancelled. Save asks before overwriting.
    virtual QString file(const FileRequest &r) = 0;
    virtual std::optional<QColor> color(const QColor &initial, const QString &title) = 0;
    // The chosen folder; "" after Cancel; r.start when the dialog was closed.
    virtual QString folder(const FolderRequest &r) = 0;
};

Prompt &prompt();
// Installs p (not owned); nullptr restores the one that answers "OK"/empty.
void set_prompt(Prompt *p);

// The Save dialog's answer, with r.default_suffix added when the name has
// no extension (asking before it replaces a file then); "" when cancelled.
QString ask_save_path(const FileRequest &r);

// Short forms for the common cases.
void notify(const QString &text, const QString &title = app_title);
Answer ask(const QString &text, Buttons b, Icon i = Icon::None, int default_button = 1,
           const QString &title = app_title);

} // namespace lf
