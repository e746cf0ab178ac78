#pragma once
// A whole file read into memory in one go, as the loaders of recordings want it.

#include "FileBuffer.h"

#include <QString>

namespace common {

// The file's bytes. Throws FileError (with the path and the system's reason) when
// the file cannot be opened or read, or is too large for the memory; `kind` is how
// the messages name the file: "无法打开文件 …", "读取录像文件 … 失败：…".
FileBuffer readWholeFile(const QString &path, const QString &kind = QStringLiteral("文件"));

} // namespace common
