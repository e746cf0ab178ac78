#include "MarkList.h"

#include "WorkbookExport.h"

#include "common/NumberFormat.h"
#include "recording/RecordTexts.h"
#include "recording/ReviewMarks.h"
#include "recording/SideLists.h"


#include <cstring>
#include <optional>

namespace brantview {

namespace {

constexpr int NoFilterEntry = -1;

struct KindTexts {
    int filter = NoFilterEntry;
    QString inList;
    QString inWorkbook;
};

KindTexts kindTexts(int kind)
{
    switch (kind) {
    case ReviewMarkKind::Read: return {3, QStringLiteral("    阅      "), QStringLiteral("阅")};
    case ReviewMarkKind::Suspect: return {2, QStringLiteral("    怀疑    "), QStringLiteral("怀疑")};
    case ReviewMarkKind::FishScaleStart: return {4, QStringLiteral(" 鱼鳞纹始点 "), QStringLiteral("鱼鳞纹始点")};
    case ReviewMarkKind::FishScaleEnd: return {4, QStringLiteral(" 鱼鳞纹终点 "), QStringLiteral("鱼鳞纹终点")};
    case ReviewMarkKind::BrowseStart: return {1, QStringLiteral(" 浏览开始 "), QStringLiteral("浏览开始")};
    case ReviewMarkKind::BrowseEnd: return {1, QStringLiteral(" 浏览结束      "), QStringLiteral("浏览结束 ")};
    default: break;
    }
    if (kind >= ReviewMarkKind::Watch1 && kind <= ReviewMarkKind::Watch4) {
        const QString watch = QStringLiteral("关注%1").arg(kind - ReviewMarkKind::Watch1 + 1);
        return {kind, QStringLiteral("    ") + watch + QStringLiteral("    "), watch};
    }
    return {};
}

bool isOperatorKind(int kind)
{
    return kind >= ReviewMarkKind::Read && kind <= ReviewMarkKind::Watch4;
}

QString twoDigits(int value)
{
    return common::zeroPadded(value, 2);
}

// A date or time the file holds that is no calendar value is shown as stored.
QString dateText(const ReviewMark &mark)
{
    const QDate date(mark.markYear(), mark.month, mark.day);
    if (!date.isValid())
        return common::zeroPadded(mark.markYear(), 4) + u'-' + twoDigits(mark.month) + u'-' + twoDigits(mark.day)
            + QStringLiteral("  ");
    return common::formatDateTimePattern(QDateTime(date, QTime(0, 0), Qt::UTC), u"yyyy-MM-dd  ");
}

QString timeText(const ReviewMark &mark)
{
    const QTime time(mark.hour, mark.minute, mark.second);
    if (!time.isValid())
        return QStringLiteral("   ") + twoDigits(mark.hour) + u':' + twoDigits(mark.minute) + u':'
            + twoDigits(mark.second) + QStringLiteral("     ");
    return common::formatDateTimePattern(QDateTime(QDate(2000, 1, 1), time, Qt::UTC), u"   hh:mm:ssAM/PM   ");
}

QString mileageText(const ReviewMark &mark)
{
    return common::formatPattern(mark.mileage() / 10.0, u"###0KM+##0.0M");
}

// Versions from 700 keep a line code of four 6-bit characters, older ones a number.
QString lineDesignation(const ReviewMark &mark, const LineNameList &lineNames)
{
    const uint8_t *p = mark.params;
    if (mark.firmwareVersion() < 700)
        return common::formatPattern(p[3] * 256 + p[4], u"0000");
    const uint32_t bits = (uint32_t(p[3]) << 16) | (uint32_t(p[4]) << 8) | p[5];
    QString code;
    for (int shift = 18; shift >= 0; shift -= 6) {
        const int unit = int(bits >> shift) & 0x3F;
        code.append(QChar(char16_t(unit < 10 ? 48 + unit : 55 + unit)));
    }
    return LookupLineName(lineNames, code).value_or(code);
}

QString lineKindPart(const ReviewMark &mark)
{
    const int kind = mark.params[2];
    // This list writes "其他" where the header writes "其它".
    const QString word = kind == 5 ? QStringLiteral("其他") : lineKindText(kind, mark.firmwareVersion());
    return word.isEmpty() ? QString() : QStringLiteral("   ") + word + u',';
}

QString lineText(const ReviewMark &mark, const LineNameList &lineNames)
{
    return u'(' + lineDesignation(mark, lineNames) + QStringLiteral("),") + lineKindPart(mark)
        + railSideText(mark.params[6]);
}

QString operatorText(const ReviewMark &mark, const WorkNumberList &workNumbers)
{
    const int number = mark.params[7] * 256 + mark.params[8];
    if (const std::optional<QString> name = LookupWorkNumber(workNumbers, number))
        return *name;
    return QStringLiteral("  ") + common::formatPattern(number, u"00000") + QStringLiteral("  ");
}

// The keys of the pairing table spell 32-bit positions in hexadecimal.
int32_t keyValue(const QString &key)
{
    return int32_t(key.mid(2).toUInt(nullptr, 16));
}

// The fish-scale length of an end: from the start with the largest key below its own,
// unless an end lies between; keys at or below 0 never pair.
std::optional<double> fishScaleLength(const ReviewMark &end, const std::vector<FishScaleRow> &table)
{
    int32_t nearestKey = 0;
    int nearestKind = ReviewMarkKind::FishScaleEnd;
    for (const FishScaleRow &row : table) {
        const int32_t key = keyValue(row.key);
        if (key < end.position() && key > nearestKey) {
            nearestKey = key;
            nearestKind = row.kind;
        }
    }
    if (nearestKind != ReviewMarkKind::FishScaleStart)
        return std::nullopt;
    return (int64_t(end.position()) - nearestKey) * NominalStepMm / 1000;
}

bool sameMarks(const std::vector<ReviewMark> &a, const std::vector<ReviewMark> &b)
{
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(ReviewMark)) == 0);
}

} // namespace

QStringList MarkListFilterCaptions()
{
    return {QStringLiteral("所有标记"), QStringLiteral("开关机"), QStringLiteral("疑问标记"),
            QStringLiteral("已阅标记"), QStringLiteral("鱼鳞纹"),   QStringLiteral("关注1"),
            QStringLiteral("关注2"),    QStringLiteral("关注3"),   QStringLiteral("关注4")};
}

MarkList BuildMarkList(const RecordingSlot &slot, int filter, const ViewSources &sources)
{
    MarkList list;
    list.lines.append(MarkListHeading);
    list.builtFrom = slot.ReviewMarks;
    const std::vector<FishScaleRow> fishScales = BuildFishScaleTable(slot);
    int n = 0;
    for (size_t index = 0; index < slot.ReviewMarks.size(); ++index) {
        const ReviewMark &mark = slot.ReviewMarks[index];
        const KindTexts kind = kindTexts(mark.kind);
        if (kind.filter == NoFilterEntry || (filter != 0 && filter != kind.filter))
            continue;
        MarkListCells cells;
        cells[0] = common::formatPattern(n, u"0000");
        cells[1] = dateText(mark);
        cells[2] = timeText(mark);
        cells[3] = kind.inWorkbook;
        QString line = common::formatPattern(n, u"0000   ") + cells[1] + cells[2] + kind.inList;
        if (isOperatorKind(mark.kind)) {
            cells[4] = mileageText(mark);
            if (mark.kind == ReviewMarkKind::FishScaleEnd)
                if (const std::optional<double> length = fishScaleLength(mark, fishScales))
                    cells[4] += common::formatPattern(*length, u"(###0KM+##0.0M)");
            cells[5] = operatorText(mark, sources.workNumbers);
            cells[6] = lineText(mark, sources.lineNames);
            line += cells[4] + cells[5] + cells[6];
        } else if (mark.kind == ReviewMarkKind::BrowseEnd) {
            cells[4] = common::formatPattern(mark.viewingMinutes(), u"###0分钟");
            line += cells[4];
        }
        list.lines.append(line);
        list.ListRowMap.push_back(int(index));
        list.workbookRows.push_back(cells);
        ++n;
    }
    return list;
}

bool DeleteListedMark(RecordingSlot &slot, const MarkList &list, int row)
{
    if (row < 1 || size_t(row) > list.ListRowMap.size() || !sameMarks(slot.ReviewMarks, list.builtFrom))
        return false;
    return DeleteReviewMark(slot, list.ListRowMap[size_t(row - 1)]);
}

void ExportMarkList(const QString &path, const RecordingSlot &slot, const MarkList &list)
{
    WriteWorkbook(path, [&](Workbook &book) {
        Worksheet &sheet = book.addSheet();
        sheet.setName(QStringLiteral("回访标记"));
        sheet.setCell(1, 1, replayerNameText(slot.ReplayerName));
        const QStringList headings = {QStringLiteral("标记日期 "), QStringLiteral("标记时间"), QStringLiteral("标记种类 "),
                                      QStringLiteral("标记位置"), QStringLiteral("工号"), QStringLiteral("标记线别")};
        for (int c = 0; c < headings.size(); ++c)
            sheet.setCell(1, c + 2, headings[c]);
        for (int c = 2; c <= 5; ++c)
            sheet.setColumnWidth(c, 20);
        sheet.setColumnWidth(6, 10);
        sheet.setColumnWidth(7, 50);
        for (size_t r = 0; r < list.workbookRows.size(); ++r)
            for (int c = 0; c < 7; ++c)
                if (!list.workbookRows[r][size_t(c)].isEmpty())
                    sheet.setCell(int(r) + 2, c + 1, list.workbookRows[r][size_t(c)]);
    });
}

} // namespace brantview
