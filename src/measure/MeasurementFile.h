#pragma once

// Measurement files: the 8052-byte record, byte for byte.

#include "measure/MeasurementRecord.h"

#include <QFile>
#include <QString>
#include <QStringList>

// Texts of the Save and Open commands. Filters are "description|pattern" pairs.
inline const QString MeasurementProposedName = QStringLiteral("TestFile.vqm");
inline const QString MeasurementSaveFilter = QStringLiteral("Norvo测量文件(.vqm)|*.vqm");
inline const QString MeasurementOpenFilter = QStringLiteral("NorvoFile|*.vqm|AllFile|*.*");
inline const QString OverwriteTitle = QStringLiteral("File exists");
inline const QString OverwriteQuestion = QStringLiteral("  File already exists, overwrite?？  ");
// The same in the language shown (the patterns stay as they are).
QString ShownMeasurementSaveFilter();
QString ShownMeasurementOpenFilter();

// Opens a plain file only. A name that names a folder, a pipe, a device or a socket is
// refused at once with EInOutError ("\"/tmp/x.vqm\" is a pipe, not a file") instead of
// waiting on it; other failures carry the system's text. Truncate is done only after the
// check, so refusing never harms what the name named.
void OpenRegularFile(QFile &file, const QString &fileName, QIODevice::OpenMode mode);
// Throws the same refusal when an existing name is not a plain file; a missing name passes.
void CheckRegularFileName(const QString &fileName);

// Both throw EInOutError carrying the system's text of the failure.
void SaveMeasurementFile(const QString &fileName, const MeasurementRecord &record);
// Reads a file of exactly 8052 bytes; a file of any other size is refused with its size and
// the expected one. The record is left untouched when the file cannot be read whole.
void LoadMeasurementFile(const QString &fileName, MeasurementRecord &record);

// The Save and Open commands through platform::dialogs(): file dialog with its proposed name
// and filter, the overwrite question, then the file. False when the user cancelled or
// refused to overwrite; file errors propagate as EInOutError, with the file's name in front,
// and leave the record as it was. A name typed without an extension gets ".vqm".
// After a successful Open the caller redraws.
bool SaveMeasurementCommand(const MeasurementRecord &record);
bool OpenMeasurementCommand(MeasurementRecord &record);

enum class CommandLineKind { None, MeasurementFile, RecordFile };
// "vqm"/"VQM"/"Vqm", "vqr"/"VQR"/"Vqr" exactly
CommandLineKind ClassifyCommandLineFile(const QString &fileName);

// The file name as Windows start-up finds it: the full command line without its first
// programPathLength + 3 characters (the quoted program path and the blank after it), trimmed,
// and without its enclosing quotes.
QString CutCommandLine(const QString &commandLine, int programPathLength);

// Start-up with arguments (argv, program first): sets StartedWithFile and CommandLineFile,
// loads a measurement file into the record (an error is shown through platform::dialogs(),
// and start-up goes on). Returns MeasurementFile when a measurement was loaded (the caller
// redraws), RecordFile when the record window must open CommandLineFile (the caller enables
// MOpenTimer), None otherwise.
CommandLineKind HandleCommandLine(const QStringList &arguments, MeasurementRecord &record);
