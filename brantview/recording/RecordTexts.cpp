#include "RecordTexts.h"

namespace brantview {

QString railSideText(int code)
{
    switch (code) {
    case 1: return QStringLiteral("右股钢轨");
    case 0: return QStringLiteral("左股钢轨");
    default: return QStringLiteral("错误数据");
    }
}

QString referenceEndText(int code)
{
    switch (code) {
    case 0: return QStringLiteral("距顺端");
    case 1: return QStringLiteral("据逆端");
    case 255: return QStringLiteral("(自录数据)");
    default: return QStringLiteral("错误数据");
    }
}

QString railTypeText(int code)
{
    static const char16_t *const names[] = {u"43轨", u"50轨", u"60轨", u"75轨"};
    return code >= 0 && code < 4 ? QString::fromUtf16(names[code]) : QString();
}

QString lineKindText(int kind, int firmwareVersion)
{
    const bool newer = firmwareVersion > 703;
    switch (kind) {
    case 0: return QStringLiteral("站线");
    case 1: return newer ? QStringLiteral("下行") : QStringLiteral("上行");
    case 2: return newer ? QStringLiteral("上行") : QStringLiteral("下行");
    case 3: return QStringLiteral("联线");
    case 4: return QStringLiteral("单线");
    case 5: return QStringLiteral("其它");
    default: return {};
    }
}

QString trackOrLineText(int number, int lineKind)
{
    return QString::number(number) + (lineKind == 0 ? QStringLiteral("号股") : QStringLiteral("号线"));
}

} // namespace brantview
