// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class QImage;

namespace lf::test {

// Puts every shared value back to its start and points the settings store at
// a fresh file in this test process's private folder. Call in init().
void reset_everything();
// A new empty folder under the test's private TMPDIR.
QString fresh_folder(const QString &name);
// Writes bytes to path (folders made as needed).
void write_file(const QString &path, const QByteArray &bytes = "x");
// img as a file of that format (JPEG quality 95).
QByteArray encode(const QImage &img, const char *format, bool progressive = false);
// The bytes of a small JPEG picture (8 x 6 pixels), and of a 1 x 1 GIF
// (Qt writes no GIF).
QByteArray jpeg_bytes();
QByteArray gif_bytes();
// Stops the test process unless XDG_CONFIG_HOME and XDG_DATA_HOME are the
// private folders run_isolated.sh makes, for tests that write desktop files.
void require_private_folders();

} // namespace lf::test
