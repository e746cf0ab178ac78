#pragma once
// The message a second start of the program sends to the running one, laid out
// as the copy-data record it stands for: dwData (74) as a 32-bit little-endian
// integer, then the path as UTF-16LE units with a terminating zero unit. A start
// without a path sends dwData alone, which only brings the running window up.
// The end of the connection marks the end of the message.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

inline constexpr quint32 handOverDataId = 74;
// Far above any path; a longer message is refused unread.
inline constexpr qsizetype maxHandOverMessageBytes = 64 * 1024;

QByteArray handOverMessage(const QString &path);

// The path a received message carries (empty: only raise the window), or nothing
// when the message is refused: shorter than dwData or longer than
// maxHandOverMessageBytes. dwData is not looked at. The path ends at the first
// zero unit; without one it takes every whole unit received.
std::optional<QString> parseHandOverMessage(const QByteArray &message);
