#pragma once

#include <QString>

namespace lf {

// The program that opens files of this extension ("jpg"), as the desktop
// reports it, compared against this program's own path by start-up.
QString registered_program(const QString &extension);
// This program's executable path.
QString own_program_path();
// Offers to make this program the one for the extension, unless it already is.
void association_prompt(const QString &extension);

} // namespace lf
