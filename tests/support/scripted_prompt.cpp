// SPDX-License-Identifier: GPL-3.0-or-later
#include "scripted_prompt.h"

namespace lf::test {

namespace {
template <typename T> T next(std::deque<T> &q, const T &fallback = {})
{
    if (q.empty())
        return fallback;
    T t = q.front();
    q.pop_front();
    return t;
}
} // namespace

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
    if (!answers.empty())
        return next(answers);
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

QString ScriptedPrompt::input(const InputRequest &r)
{
    inputs << r;
    return next(texts);
}

QString ScriptedPrompt::file(const FileRequest &r)
{
    files << r;
    return next(texts);
}

std::optional<QColor> ScriptedPrompt::color(const QColor &, const QString &title)
{
    color_titles << title;
    return next(colors);
}

QString ScriptedPrompt::folder(const FolderRequest &r)
{
    folders << r;
    return next(texts, r.start);
}

} // namespace lf::test
