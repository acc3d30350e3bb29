// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/prompt.h"

#include <QList>

#include <deque>
#include <functional>

namespace lf::test {

// Answers questions from a script and remembers exactly what was asked.
// An unscripted question gets the default-button answer (or "" / nothing).
class ScriptedPrompt final : public Prompt {
public:
    ScriptedPrompt() { set_prompt(this); }
    ~ScriptedPrompt() override { set_prompt(nullptr); }

    std::deque<Answer> answers;
    std::deque<QString> texts;  // input, file and folder answers
    std::deque<std::optional<QColor>> colors;

    std::function<void(const MessageRequest &)> while_asking; // runs while each message is open

    QList<MessageRequest> messages;
    QList<InputRequest> inputs;
    QList<FileRequest> files;
    QList<FolderRequest> folders;

    QStringList message_texts() const;

    Answer message(const MessageRequest &r) override;
    QString input(const InputRequest &r) override;
    QString file(const FileRequest &r) override;
    QStringList color_titles;
    std::optional<QColor> color(const QColor &initial, const QString &title) override;
    QString folder(const FolderRequest &r) override;
};

} // namespace lf::test
