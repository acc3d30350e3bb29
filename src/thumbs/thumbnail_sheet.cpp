// SPDX-License-Identifier: GPL-3.0-or-later
#include "thumbs/thumbnail_sheet.h"

#include "app/paths.h"
#include "thumbs/thumbnail_files.h"

#include <QFile>

#include <cmath>

namespace lf {

SheetLayout SheetLayout::make(int screen_width, int columns, int frame_width, int frame_height)
{
    SheetLayout l;
    l.columns = qMax(1, columns);
    l.S = double(screen_width - 200) / l.columns - thumbnail_margin - 30;
    l.frame_width = frame_width;
    l.frame_height = frame_height;
    return l;
}

int SheetLayout::window_width() const
{
    return frame_width + int(std::lround(columns * (S + thumbnail_margin)));
}

int SheetLayout::load_height() const { return frame_height + int(std::lround(S)); }

int SheetLayout::row_of(int i) const { return (i + columns - 1) / columns; }

int SheetLayout::column_of(int i) const { return i - columns * (row_of(i) - 1); }

int SheetLayout::cell_left(int i) const
{
    return thumbnail_margin + int(std::lround((column_of(i) - 1) * (S + thumbnail_margin)));
}

int SheetLayout::cell_top(int i) const
{
    return thumbnail_margin + int(std::lround((row_of(i) - 1) * (S + 470)));
}

int SheetLayout::sheet_height(int i) const
{
    return frame_height + 350 + int(std::lround(row_of(i) * (S + 470)));
}

int SheetLayout::canvas_height(int count) const
{
    return int(std::lround(qMax(1, row_of(count)) * (S + 470)));
}

int SheetLayout::canvas_width() const
{
    return int(std::lround(columns * (S + thumbnail_margin)));
}

int SheetLayout::cell_pixels(double ratio) const
{
    return qMax(1, twips_to_picture_px(int(S), ratio));
}

TwipRect fit_in_cell(const SheetLayout &l, int i, QSize picture)
{
    const int s = int(std::lround(l.S));
    TwipRect r{l.cell_left(i), l.cell_top(i), s, s};
    const int w = picture.width(), h = picture.height();
    if (w <= 0 || h <= 0)
        return r;
    if (w > h) {
        r.height = int(std::lround(l.S * h / w));
        r.top += (s - r.height) / 2;
    } else {
        r.width = int(std::lround(l.S * w / h));
        r.left += (s - r.width) / 2;
    }
    return r;
}

TwipRect label_under(const SheetLayout &l, int i, const TwipRect &picture)
{
    return {l.cell_left(i), bottom_edge(picture), int(std::lround(l.S)), 350 - thumbnail_margin};
}

QStringList read_thumbnail_file(const QString &path)
{
    constexpr qint64 longest_line = 32 * 1024;
    QStringList out;
    const QString folder = folder_of(absolute_path(path));
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return out;
    while (out.size() < max_sheet_entries && !f.atEnd()) {
        QByteArray line = f.readLine(longest_line);
        bool too_long = false;
        while (!line.endsWith('\n') && !f.atEnd()) {
            too_long = true;
            line = f.readLine(longest_line);
        }
        if (too_long) {
            out << QString();
            continue;
        }
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        // NUL cannot stand in a path; such a line names no file. A relative
        // line names a file beside the sheet's own file.
        const QString text = line.contains('\0') ? QString() : QString::fromUtf8(line);
        out << (text.trimmed().isEmpty() ? text : absolute_path(text, folder));
    }
    return out;
}

namespace {

bool two_digit_position(const QString &file, int &n)
{
    if (file.size() < 6 || file.right(4).compare(QLatin1String(".tnf"), Qt::CaseInsensitive) != 0)
        return false;
    const QString digits = file.mid(file.size() - 6, 2);
    if (!digits[0].isDigit() || !digits[1].isDigit())
        return false;
    n = digits.toInt();
    return true;
}

QString sequence_file(const QString &base, int k)
{
    return base + sequence_number(k) + QStringLiteral(".tnf");
}

} // namespace

SequenceInfo explore_tn_sequence(const QString &current_file)
{
    SequenceInfo info;
    int n = 0;
    if (!two_digit_position(current_file, n))
        return info;
    const QString base = current_file.left(current_file.size() - 6);
    int m = 0;
    while (m < 1000 && file_exists(sequence_file(base, m + 1)))
        ++m;
    info.n_of_m = QStringLiteral("(%1 of %2)").arg(n).arg(m);
    info.prev_avail = n != 1;
    info.next_avail = n != m;
    return info;
}

QString sheet_caption(const QString &current_file, const SequenceInfo &info)
{
    return file_name_of(current_file) + QLatin1Char(' ') + info.n_of_m;
}

SequenceStep next_previous_tn_file(const QString &current_file, bool next)
{
    if (current_file.right(4).compare(QLatin1String(".tnf"), Qt::CaseInsensitive) != 0)
        return {{}, QStringLiteral("Next file cannot determined")};
    int n = 0;
    if (!two_digit_position(current_file, n))
        return {{}, QStringLiteral("File cannot be determined")};
    const QString base = current_file.left(current_file.size() - 6);
    int target = next ? n + 1 : n - 1;
    if (target == 0) {
        int k = 1;
        while (k <= 99 && file_exists(sequence_file(base, k)))
            ++k;
        if (k > 99)
            return {{}, QStringLiteral("No more previous files")};
        target = k - 1;
    }
    QString name = sequence_file(base, target);
    if (!file_exists(name)) {
        if (target == 2)
            return {{}, QStringLiteral("No more thumbnail files available")};
        name = sequence_file(base, 1);
        if (!file_exists(name))
            return {{}, QStringLiteral("File not found")};
    }
    return {name, {}};
}

} // namespace lf
