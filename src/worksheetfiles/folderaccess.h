#pragma once

#include "worksheetfileerror.h"

#include <QString>

// Why a file in the worksheets folder cannot be opened or written, in the program's own words:
// a folder that cannot be reached (a shared drive not connected, a folder this account may
// not open) or one that this account may not change. Each returns the error to throw; when
// the folder is not the cause, it carries the message given.
namespace FolderAccess {

WorksheetFileError readError(const QString &path, const QString &otherwise);
WorksheetFileError writeError(const QString &path, const QString &otherwise);

} // namespace FolderAccess
