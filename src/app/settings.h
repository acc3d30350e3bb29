// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lf {

// The keys of the per-user store, all in its one [General] section.
namespace key {
inline constexpr auto last_picture_file = "last_picture_file";
inline constexpr auto last_slide_show = "last_slide_show";
inline constexpr auto last_slide_show_dir = "last_slide_show_dir";
inline constexpr auto last_thumbnail_file = "last_thumbnail_file";
inline constexpr auto last_saved_file = "last_saved_file";
inline constexpr auto last_saved_as_file = "last_saved_as_file";
inline constexpr auto init_dir_for_search = "init_dir_for_search";
inline constexpr auto picture_editor = "picture_editor";
inline constexpr auto interval = "interval";
inline constexpr auto random = "random";
inline constexpr auto autom = "autom";
inline constexpr auto fit_mode = "fit_mode";
inline constexpr auto black_screen = "black_screen";
inline constexpr auto comments_hidden = "comments_hidden";
inline constexpr auto hide_mousepointer = "hide_mousepointer";
inline constexpr auto jpeg_quality = "jpeg_quality";
inline constexpr auto pic_back_color = "pic_back_color";
inline constexpr auto file_extensions_checked = "file_extensions_checked";
inline constexpr auto sort_descending = "sort_descending";
inline constexpr auto sort_by_datetime = "sort_by_datetime";
} // namespace key

// Stored string for key, or "" when absent or when the store cannot be read.
QString get_setting(const char *key);
// Stores value under key at once (no batching).
void save_setting(const char *key, const QString &value);
void save_setting(const char *key, long long value);

// Blanks every path setting that names folder or something inside it (with
// only_missing, only those that are gone), so that no setting names a file
// of tmp_pic for the next start. One read and at most one write of the store.
void forget_settings_inside(const QString &folder, bool only_missing);

// Leading number of s ("12abc" -> 12, " -1" -> -1, "x" -> 0, "" -> 0).
double numeric_value(const QString &s);
// numeric_value truncated toward zero and clamped to the int range.
int numeric_int(const QString &s);
// Stored Boolean: the text of -1 or 0.
inline QString bool_text(bool b) { return b ? QStringLiteral("-1") : QStringLiteral("0"); }

// The store's file. Defaults to <XDG config>/<executable base name>.ini;
// tests point it elsewhere.
QString settings_file();
void set_settings_file(const QString &path);
// Application name: the executable's base name, "lumenfolio" normally.
QString application_name();

} // namespace lf
