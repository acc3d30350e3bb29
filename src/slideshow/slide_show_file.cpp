// SPDX-License-Identifier: GPL-3.0-or-later
#include "slideshow/slide_show_file.h"

#include "app/app_state.h"
#include "app/paths.h"
#include "app/prompt.h"
#include "app/safe_files.h"
#include "app/settings.h"
#include "app/shell.h"
#include "app/window_layer.h"
#include "slideshow/slide_list.h"
#include "slideshow/slide_numbers.h"
#include "slideshow/slide_show_builder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <climits>
#include <optional>

namespace lf {
namespace {

const QString h_index = QStringLiteral("*index_of_last_slide_viewed=");
const QString h_random = QStringLiteral("*random/sequential=");
const QString h_autom = QStringLiteral("*autom/manual=");
const QString h_interval = QStringLiteral("*interval=");
const QString h_comments = QStringLiteral("*comments_visible=");

// No path is this long; longer lines are junk and are not kept whole.
constexpr qsizetype max_line_bytes = 65536;

QString decode_line(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString s = utf8(bytes);
    if (!utf8.hasError())
        return s;
    // Made on a system with a single-byte code page.
    return QString::fromLatin1(bytes);
}

// Splits at CR LF, LF or a lone CR, streaming, so that a huge file costs
// little memory. Calls f(line) per line; f returns false to stop.
template <typename F>
bool for_each_line(QFile &file, F &&f)
{
    QByteArray line;
    bool after_cr = false;
    bool truncated = false;
    char buf[65536];
    for (;;) {
        const qint64 n = file.read(buf, sizeof buf);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        for (qint64 i = 0; i < n; ++i) {
            const char c = buf[i];
            if (c == '\n' && after_cr) {
                after_cr = false;
                continue;
            }
            after_cr = c == '\r';
            if (c == '\r' || c == '\n') {
                if (!f(line, truncated))
                    return true;
                line.clear();
                truncated = false;
                continue;
            }
            if (line.size() < max_line_bytes)
                line.append(c);
            else
                truncated = true;
        }
    }
    if (!line.isEmpty())
        f(line, truncated);
    return true;
}

bool looks_binary(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return f.read(8192).contains('\0');
}

QString value_after(const QString &line, const QString &name) { return line.mid(name.size()); }

void read_failed(int number, const QString &description)
{
    notify(QStringLiteral("errore ") + QString::number(number) + QStringLiteral(" - ")
           + description);
}

} // namespace

ReadOutcome read_slide_list(const QString &path)
{
    SlideList &s = slides();
    s.seen_count = 0;
    s.slide_count = 0;
    s.go_backward = false;
    // A file without an index header starts at its first unseen picture,
    // not where an earlier show was left.
    s.resume_slide = 0;

    if (looks_binary(path)) {
        notify(QStringLiteral("Not a valid slide show file"));
        return ReadOutcome::Failed;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        read_failed(53, file.errorString());
        return ReadOutcome::Failed;
    }

    // Entries are read against the file's own folder, whatever folder the
    // program runs in, and written back whole.
    const QString own_folder = folder_of(absolute_path(path));
    int first_unseen = 0;
    bool file_changed = false;
    bool remove_all_missing = false;
    bool asked_once = false;
    bool cancelled = false;
    bool too_many = false;
    std::optional<double> index_value;
    QByteArray kept;

    const bool read_ok = for_each_line(file, [&](const QByteArray &bytes, bool truncated) {
        QString line = decode_line(bytes);
        if (line.startsWith(QLatin1String("*\\")) || line.startsWith(QLatin1String("*/"))) {
            QString rel = line.mid(1);
            rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
            line = own_folder + rel;
        } else if (line.startsWith(QLatin1Char('*'))) {
            const QString v = line;
            if (v.startsWith(h_index, Qt::CaseInsensitive)) {
                if (auto n = numeric_text(value_after(v, h_index)))
                    index_value = round_half_even(*n);
            } else if (v.startsWith(h_random, Qt::CaseInsensitive)) {
                if (value_after(v, h_random).trimmed().compare(QLatin1String("random"),
                                                               Qt::CaseInsensitive) == 0)
                    s.random_order = true;
            } else if (v.startsWith(h_autom, Qt::CaseInsensitive)) {
                s.auto_advance = value_after(v, h_autom).trimmed().compare(
                                     QLatin1String("autom"), Qt::CaseInsensitive) == 0;
            } else if (v.startsWith(h_interval, Qt::CaseInsensitive)) {
                if (auto n = numeric_text(value_after(v, h_interval))) {
                    const double r = round_half_even(*n);
                    if (r >= 0 && r <= INT_MAX)
                        s.interval_ms = int(r);
                }
            } else if (v.startsWith(h_comments, Qt::CaseInsensitive)) {
                s.comments_visible = value_after(v, h_comments).trimmed().compare(
                                         QLatin1String("YES"), Qt::CaseInsensitive) == 0;
            }
            return true;
        }
        if (line.trimmed().isEmpty())
            return true; // blank lines name no picture

        QString pic = line;
        bool seen = false;
        if (pic.size() >= 2 && pic.at(pic.size() - 2) == QLatin1Char('|')) {
            seen = pic.back() == QLatin1Char('1');
            pic.chop(2);
        }
        pic = absolute_path(pic, own_folder);
        // A NUL would cut the path short and name another file.
        const QDateTime time =
            truncated || pic.contains(QChar(0)) ? QDateTime() : modification_time(pic);
        const bool exists = time.isValid();
        if (!exists) {
            file_changed = true;
            if (!remove_all_missing) {
                const Answer a = ask(QStringLiteral("Path ") + pic
                                         + QStringLiteral(" not found. Do you want to remove it from slide show file?"),
                                     Buttons::OkCancel);
                if (a != Answer::Ok) {
                    cancelled = true;
                    return false;
                }
            }
            if (!asked_once) {
                asked_once = true;
                if (ask(QStringLiteral("Do you want to remove from slide show file any other pictures not found?"),
                        Buttons::YesNo) == Answer::Yes)
                    remove_all_missing = true;
            }
            return true;
        }
        if (s.slide_count >= max_slides) {
            too_many = true;
            return false;
        }
        ++s.slide_count;
        Slide &slot = s.slot(s.slide_count);
        slot.path = pic;
        slot.seen = seen;
        slot.time = time;
        if (seen)
            ++s.seen_count;
        kept += pic.toUtf8() + (seen ? "|1\r\n" : "|0\r\n");
        if (first_unseen == 0 && !seen)
            first_unseen = s.slide_count;
        return true;
    });
    file.close();

    if (cancelled) {
        s.slide_count = 0;
        s.seen_count = 0;
        return ReadOutcome::Cancelled;
    }
    if (!read_ok || too_many) {
        s.slide_count = 0;
        s.seen_count = 0;
        if (too_many)
            read_failed(9, QStringLiteral("Subscript out of range"));
        else
            read_failed(57, file.errorString());
        return ReadOutcome::Failed;
    }

    // The kept lines replace the file in one rename from a work file beside
    // it: an interruption or a full disk leaves the old file whole.
    if (file_changed)
        report(replace_file(path, kept));

    // An index the list cannot hold starts the show as if there were none.
    if (index_value && *index_value >= 1 && *index_value <= s.slide_count)
        s.resume_slide = int(*index_value);
    s.current_slide = std::max(first_unseen - 1, 0);
    s.clear_history();
    s.drawn_ahead = -1;
    return s.slide_count > 0 ? ReadOutcome::Loaded : ReadOutcome::Empty;
}

void read_slide_show_file()
{
    const QString path = slides().slide_show_file;
    switch (read_slide_list(path)) {
    case ReadOutcome::Loaded:
        do_events();
        slides().slide_show_active = true;
        windows().open_slide_show_window();
        return;
    case ReadOutcome::Empty:
        windows().show_main_panel();
        build_slide_show(folder_of(path), false);
        return;
    case ReadOutcome::Failed:
        windows().show_main_panel();
        return;
    case ReadOutcome::Cancelled:
        return;
    }
}

bool save_slide_show_file(const QString &path)
{
    const SlideList &s = slides();
    QByteArray out;
    for (int i = 1; i <= s.slide_count; ++i) {
        const Slide &slot = s.slot(i);
        if (slot.path.isEmpty())
            continue;
        out += slot.path.toUtf8() + (slot.seen ? "|1\r\n" : "|0\r\n");
    }
    out += h_index.toUtf8() + QByteArray::number(s.current_slide) + "\r\n";
    out += h_random.toUtf8() + (s.random_order ? "random" : "sequential") + "\r\n";
    out += h_autom.toUtf8() + (s.auto_advance ? "autom" : "manual") + "\r\n";
    out += h_interval.toUtf8() + QByteArray::number(s.interval_ms) + "\r\n";
    out += h_comments.toUtf8() + (s.comments_visible ? "YES" : "NO") + "\r\n";

    const FileFault f = replace_file(path, out);
    report(f);
    return !f.failed();
}

bool save_slide_show_file_as(const QString &picture_on_screen)
{
    FileRequest r;
    r.kind = FileRequest::Save;
    r.title = QStringLiteral("Save slide show file as...");
    r.start = folder_of(picture_on_screen) + QStringLiteral("/_slide_show.ssf");
    r.filter = QStringLiteral("Slide show file (*.ssf)");
    r.default_suffix = QStringLiteral("ssf");
    const QString chosen = ask_save_path(r);
    if (chosen.isEmpty())
        return false;
    if (!save_slide_show_file(chosen))
        return false;
    // The saved file is the show's file from now on: the closing save keeps
    // the progress there, not in the file the show was read from.
    SlideList &s = slides();
    s.slide_show_file = chosen;
    s.own_file = true;
    save_setting(key::last_slide_show, chosen);
    return true;
}

void end_slide_show(const QString &picture_on_screen)
{
    SlideList &s = slides();
    s.resume_slide = s.current_slide;
    s.slide_show_active = false;
    if (s.own_file && !s.slide_show_file.isEmpty()) {
        save_slide_show_file(s.slide_show_file);
        return;
    }
    // A signal is ending the program: a show built in tmp_pic has no file of
    // the user's to keep its progress, and nobody is there to answer.
    if (app().ending)
        return;
    if (ask(QStringLiteral("Do you want to save the slide show file?"), Buttons::OkCancel,
            Icon::Question)
        == Answer::Ok)
        save_slide_show_file_as(picture_on_screen);
}

} // namespace lf
