// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <cmath>
#include <limits>

namespace lf {
namespace {

QString &settings_override()
{
    static QString path;
    return path;
}

// Keys stand at the top level, which Qt writes as the file's [General]
// section. A group named "general" would be written as "[%General]" and read
// back by the next process under another name.
QString key_path(const char *key) { return QLatin1String(key); }

} // namespace

QString application_name()
{
    QString name;
    if (QCoreApplication::instance())
        name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return name.isEmpty() ? QStringLiteral("lumenfolio") : name;
}

QString settings_file()
{
    if (!settings_override().isEmpty())
        return settings_override();
    QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (dir.isEmpty())
        dir = QDir::homePath() + QStringLiteral("/.config");
    return dir + QLatin1Char('/') + application_name() + QStringLiteral(".ini");
}

void set_settings_file(const QString &path) { settings_override() = path; }

QString get_setting(const char *key)
{
    QSettings s(settings_file(), QSettings::IniFormat);
    if (s.status() != QSettings::NoError)
        return {};
    const QVariant v = s.value(key_path(key));
    return v.canConvert<QString>() ? v.toString() : QString();
}

void save_setting(const char *key, const QString &value)
{
    const QString file = settings_file();
    QDir().mkpath(QFileInfo(file).absolutePath());
    {
        QSettings probe(file, QSettings::IniFormat);
        if (probe.status() == QSettings::FormatError) {
            // Keep the unreadable file for the user instead of writing over it.
            const QString aside = file + QStringLiteral(".unreadable");
            QFile::remove(aside);
            QFile::rename(file, aside);
        }
    }
    QSettings s(file, QSettings::IniFormat);
    s.setValue(key_path(key), value);
    s.sync();
}

void save_setting(const char *key, long long value)
{
    save_setting(key, QString::number(value));
}

void forget_settings_inside(const QString &folder, bool only_missing)
{
    if (folder.isEmpty())
        return;
    const QString inside = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    QSettings s(settings_file(), QSettings::IniFormat);
    if (s.status() != QSettings::NoError)
        return;
    bool changed = false;
    for (const char *k : {key::last_picture_file, key::last_slide_show, key::last_slide_show_dir,
                          key::last_thumbnail_file, key::last_saved_file, key::last_saved_as_file,
                          key::init_dir_for_search, key::picture_editor}) {
        const QString v = s.value(key_path(k)).toString();
        if ((v == folder || v.startsWith(inside)) && !(only_missing && QFileInfo::exists(v))) {
            s.setValue(key_path(k), QString());
            changed = true;
        }
    }
    if (changed)
        s.sync();
}

double numeric_value(const QString &s)
{
    int i = 0;
    const int n = int(s.size());
    while (i < n && (s[i] == QLatin1Char(' ') || s[i] == QLatin1Char('\t')))
        ++i;
    const int start = i;
    if (i < n && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+')))
        ++i;
    bool digits = false;
    while (i < n && s[i].isDigit() && s[i].unicode() < 128) {
        ++i;
        digits = true;
    }
    if (i < n && s[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && s[i].isDigit() && s[i].unicode() < 128) {
            ++i;
            digits = true;
        }
    }
    if (!digits)
        return 0;
    bool ok = false;
    const double v = s.mid(start, i - start).toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0;
}

int numeric_int(const QString &s)
{
    const double v = std::trunc(numeric_value(s));
    if (v >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (v <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(v);
}

} // namespace lf
