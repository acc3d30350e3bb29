// SPDX-License-Identifier: GPL-3.0-or-later
#include "scripted_prompt.h"

namespace lf::test {

QStringList ScriptedPrompt::message_texts() const
{
    QStringList out;
    for (const MessageRequest &m : messages)
        out << m.text;
    return out;
}

Answer ScriptedPrompt::message(const MessageRequest &r)
{
    messages << r;
    if (while_asking)
        while_asking(r);
    if (!answers.empty()) {
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    switch (r.buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::OkCancel: return r.default_button == 2 ? Answer::Cancel : Answer::Ok;
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
        return r.default_button == 1 ? Answer::Yes
             : r.default_button == 2 ? Answer::No : Answer::Cancel;
    case Buttons::RetryCancel: return r.default_button == 2 ? Answer::Cancel : Answer::Retry;
    case Buttons::AbortRetryIgnore: return Answer::Abort;
    }
    return Answer::Ok;
}

namespace {
QString next_text(std::deque<QString> &q, const QString &fallback)
{
    if (q.empty())
        return fallback;
    QString t = q.front();
    q.pop_front();
    return t;
}
} // namespace

QString ScriptedPrompt::input(const InputRequest &r)
{
    inputs << r;
    return next_text(texts, QString());
}

QString ScriptedPrompt::file(const FileRequest &r)
{
    files << r;
    return next_text(texts, QString());
}

std::optional<QColor> ScriptedPrompt::color(const QColor &, const QString &title)
{
    color_titles << title;
    if (colors.empty())
        return std::nullopt;
    auto c = colors.front();
    colors.pop_front();
    return c;
}

QString ScriptedPrompt::folder(const FolderRequest &r)
{
    folders << r;
    return next_text(texts, r.start);
}

} // namespace lf::test
