// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace lf {

// The picture types are made ours the freedesktop way: our desktop entry in
// the user's applications folder, and the defaults in the user's
// mimeapps.list, read back as xdg-mime reads them.

// The installed entry's name, set by the build: "<application ID>.desktop".
extern const QString desktop_entry_id;

// This program's executable path (links resolved).
QString own_program_path();

// The program that opens files of this extension ("jpg"), as the desktop
// reports it; "" when it knows none. Same as find_program_for_extension.
QString registered_program(const QString &extension);
// Offers to make this program the one for the extension, unless it already is.
void association_prompt(const QString &extension);

// "tmp" + n + "." + extension, the first n for which folder holds no file.
QString make_probe_name(const QString &extension, const QString &folder);
// Asks the desktop which program opens a probe file of this extension,
// created empty in the temp folder for the time of the query.
QString find_program_for_extension(const QString &extension);
// Our desktop entry, then the default and an added association for the
// extension's type in the user's mimeapps.list, and in the running
// desktop's own lists where they name another default. Returns the file that
// could not be written (no list is changed then), or "" on success.
QString write_association(const QString &dotted_extension, const QString &type_name,
                          const QString &program_path);
// What the user is told when the association could not be written.
QString association_failed_message(const QString &extension, const QString &file);
// Compares, asks with the exact question, writes on Yes and says so if the
// writing failed.
void offer_association(const QString &extension);
// True while some picture type still opens with another program.
bool associate_menu_should_be_enabled();
// The main panel's "Associate file types with this program": the three
// offers, the checked flag, then the menu item's state.
void associate_file_types();

// Pieces, public for tests.
QString mime_type_for_extension(const QString &extension);
QString user_applications_folder();
QString user_mimeapps_list();
// The user's lists named after the running desktops ($XDG_CURRENT_DESKTOP,
// lower case, "-mimeapps.list"), which xdg-mime and GLib read first.
QStringList user_desktop_mimeapps_lists();
QString desktop_entry_text(const QString &program_path);
// The program a desktop entry starts: the first word of its Exec line,
// searched in PATH when not absolute, links resolved; "" when none.
QString desktop_entry_program(const QString &desktop_file);
// The desktop entry file for an id, searched in the data folders.
QString find_desktop_entry(const QString &id);
// The default desktop entry id for a MIME type, by the rules of xdg-mime.
QString default_desktop_entry(const QString &mime_type);

// Values of key in [group] of a mimeapps.list ("a.desktop;b.desktop;").
QStringList mimeapps_values(const QByteArray &content, const QString &group, const QString &key);
// content with key in [group] set to value (a line added, or the group),
// or the key's line removed when value is null; every other byte kept.
QByteArray mimeapps_with_value(const QByteArray &content, const QString &group,
                               const QString &key, const QString &value);
// content with desktop_id the default for mime_type and first among its
// added associations, and no longer among its removed ones.
QByteArray mimeapps_with_default(const QByteArray &content, const QString &mime_type,
                                 const QString &desktop_id);

} // namespace lf
