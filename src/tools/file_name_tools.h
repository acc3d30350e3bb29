// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <functional>

namespace lf {

// The batch renaming commands of the main panel's Do menu.
void add_string_to_names();
void remove_string_from_names();
void rename_to_sequence_numbers();

enum class RenameKind { AddString, RemoveString, SequenceNumbers };

// A file the run left alone, and why.
struct RenameSkip {
    enum Reason { Exists, Invalid, Refused };
    QString name;
    QString new_name;
    Reason reason = Refused;
    QString detail; // the system's words for a refused rename
};

struct RenameRun {
    int count = 0;
    QString last_new_name; // "" when nothing was renamed
    QList<RenameSkip> skipped;
};

// Whether a file of this name is renamed by the command (case-insensitive).
bool name_qualifies(RenameKind kind, const QString &name, const QString &string);
// The new name; count is the number after increasing it (sequence numbers).
QString new_name_for(RenameKind kind, const QString &name, const QString &string, int count);
// Why the typed string cannot be used, or "" when it can.
QString string_problem(RenameKind kind, const QString &string);

// Renames the ordinary files of folder, one at a time, starting again at the
// top of the (name-ordered) listing after each rename until no name
// qualifies. Never overwrites, never makes a name another file of the folder
// has in other letter case or one that begins with ".", and tries each file
// once per run.
// after_each runs after every attempt (the caller lets events run there).
RenameRun rename_files(const QString &folder, RenameKind kind, const QString &string,
                       const std::function<void()> &after_each = {});

// count + " files renamed.", then what was left alone.
QString rename_report(const RenameRun &run);

} // namespace lf
