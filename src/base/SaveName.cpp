#include "base/SaveName.h"

#include "base/Platform.h"

#include <QCoreApplication>
#include <QFileInfo>

QString AskSaveFileName(const QString &filter, const QString &proposed)
{
    Dialogs &dialogs = platform::dialogs();
    const QString fileName = WithFilterExtension(dialogs.saveFileName(filter, proposed), filter);
    if (fileName.isEmpty())
        return {};
    if (QFileInfo::exists(fileName)
        && !dialogs.askYesNo(QCoreApplication::translate("SaveName", "File exists"),
            QCoreApplication::translate("SaveName", "  File already exists, overwrite?？  ")))
        return {};
    return fileName;
}

QString WithFilterExtension(const QString &fileName, const QString &filter)
{
    // Something that is there was chosen as it is: a file picked in the dialog is replaced
    // after the question, a folder or device is refused by the caller.
    if (fileName.isEmpty() || QFileInfo::exists(fileName) || QFileInfo(fileName).isSymLink())
        return fileName;
    // The first pattern: "Description(.ext)|*.ext|..." gives "*.ext".
    const QString pattern = filter.section(QLatin1Char('|'), 1, 1).section(QLatin1Char(';'), 0, 0).trimmed();
    if (!pattern.startsWith(QLatin1String("*.")))
        return fileName;
    const QString extension = pattern.mid(2);
    if (extension.isEmpty() || extension.contains(QLatin1Char('*')) || extension.contains(QLatin1Char('?')))
        return fileName;
    const QString lastPart = fileName.section(QLatin1Char('/'), -1);
    if (lastPart.isEmpty() || lastPart == QLatin1String(".") || lastPart == QLatin1String(".."))
        return fileName;
    // A dot that only starts a hidden name is no extension; a trailing dot asks for one.
    const qsizetype dot = lastPart.lastIndexOf(QLatin1Char('.'));
    if (dot > 0 && dot < lastPart.size() - 1)
        return fileName;
    return fileName + (dot == lastPart.size() - 1 ? extension : QLatin1Char('.') + extension);
}

QString CsvFileFilter()
{
    return QStringLiteral("CSV(.csv)|*.csv");
}
