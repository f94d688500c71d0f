// Reading back a zip file such as the workbook the export wrote, to know it
// whole: the spreadsheet library packs its parts from temporary files of its
// own and does not notice when those could not be written (a full disk), so
// a workbook it reports as written may hold parts cut short or empty.
#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

namespace zod {

// Every member of the zip file at `path`, read whole, by name. False when the
// file is no complete zip file: its directory and the headers of its members
// do not agree in any field, or a member does not read to its end with the
// size and checksum the directory gives it.
bool ReadZip(const QString& path, QMap<QString, QByteArray>& members);

// Whether the file at `path` is a whole workbook: a complete zip file with a
// first sheet, every XML part of which reads to its end without an error.
bool WorkbookComplete(const QString& path);

}  // namespace zod
