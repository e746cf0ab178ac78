#pragma once
// Text files that users keep with the tools of a Chinese Windows desktop: UTF-8 (with
// or without a byte-order mark), UTF-16 with its mark (Notepad's "Unicode"), and
// otherwise the Chinese code page GB18030. Everything the programs write is UTF-8.

#include <QByteArrayView>
#include <QString>

namespace common {

QString decodeText(QByteArrayView bytes);

// A whole text file, decoded as above. Throws FileError when it cannot be opened or
// read; `kind` is how the message names the file.
QString readTextFile(const QString &path, const QString &kind);

} // namespace common
