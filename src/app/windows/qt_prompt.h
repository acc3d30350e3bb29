// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/prompt.h"

namespace lf {

// The real dialogs: message and input boxes, file, colour and folder dialogs.
class QtPrompt final : public Prompt {
public:
    Answer message(const MessageRequest &r) override;
    QString input(const InputRequest &r) override;
    QString file(const FileRequest &r) override;
    std::optional<QColor> color(const QColor &initial, const QString &title) override;
    QString folder(const FolderRequest &r) override;
};

} // namespace lf
