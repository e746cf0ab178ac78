#include "HandOverMessage.h"

#include <QtEndian>

namespace {

constexpr qsizetype dataIdBytes = sizeof(quint32);

}  // namespace

QByteArray handOverMessage(const QString &path)
{
    QByteArray message(dataIdBytes, '\0');
    qToLittleEndian(handOverDataId, message.data());
    if (path.isEmpty())
        return message;
    message.reserve(dataIdBytes + 2 * (path.size() + 1));
    for (const QChar unit : path) {
        char bytes[2];
        qToLittleEndian(unit.unicode(), bytes);
        message.append(bytes, 2);
    }
    message.append(2, '\0');
    return message;
}

std::optional<QString> parseHandOverMessage(const QByteArray &message)
{
    if (message.size() < dataIdBytes || message.size() > maxHandOverMessageBytes)
        return std::nullopt;
    const qsizetype unitCount = (message.size() - dataIdBytes) / 2;
    const char *units = message.constData() + dataIdBytes;
    QString path;
    path.reserve(unitCount);
    for (qsizetype i = 0; i < unitCount; ++i) {
        const quint16 unit = qFromLittleEndian<quint16>(units + 2 * i);
        if (unit == 0)
            break;
        path.append(QChar(unit));
    }
    return path;
}
