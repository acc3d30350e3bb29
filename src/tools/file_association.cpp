#include "tools/file_association.h"

#include <QCoreApplication>

namespace lf {

QString own_program_path()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
}

// Until the desktop integration is written every type counts as ours, so
// nothing is asked.
QString registered_program(const QString &) { return own_program_path(); }

void association_prompt(const QString &extension)
{
    if (registered_program(extension).compare(own_program_path(), Qt::CaseInsensitive) == 0)
        return;
}

} // namespace lf
