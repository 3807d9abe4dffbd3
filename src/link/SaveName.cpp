#include "link/SaveName.h"

#include "link/Platform.h"

#include <QFileInfo>

QString AskSaveFileName(const QString &filter, const QString &proposed)
{
    Dialogs &dialogs = platform::dialogs();
    const QString fileName = dialogs.saveFileName(filter, proposed);
    if (fileName.isEmpty())
        return {};
    if (QFileInfo::exists(fileName)
        && !dialogs.askYesNo(
            QStringLiteral("File exists"), QStringLiteral("  File already exists, overwrite?？  ")))
        return {};
    return fileName;
}

QString CsvFileFilter()
{
    return QStringLiteral("CSV(.csv)|*.csv");
}
