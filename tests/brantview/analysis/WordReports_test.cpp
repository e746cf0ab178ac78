// The Word reports: their paragraphs from the header values and from an A-scan frame,
// their document names, and the documents as written, read back from their files.

#include "analysis/WordReports.h"

#include "office/OfficeError.h"
#include "recording/Packets.h"
#include "recording/StreamWriter.h"

#include "AScanFrameFixture.h"
#include "DocxReadBack.h"
#include "ResourceLimit.h"
#include "StreamTrack.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <vector>

using namespace brantview;

namespace {

// A recording of 15 June 2021 on the right rail, operator 1234, line kind 1, every
// extra channel fitted, reflection mode, 70° alarm mode 0.
ParamBlock baseParams(int firmware, int recordKind = 1)
{
    ParamBlock p;
    p.setFirmwareVersion(firmware);
    p.set(7, 15);
    p.set(8, 6);
    p.set(9, 21);
    p.set(11, 0);
    p.set(12, 125);
    p.set(13, 1);
    p.set(14, 1);
    p.setTrackOrLineNumber(12);
    p.set(18, 4);
    p.setOperatorNumber(1234);
    p.set(22, 2);
    for (int k = 27; k <= 33; ++k)
        p.set(k, '1' + (k - 27));
    p.setKilometrePost(321);
    p.set(38, 3);
    if (firmware >= 700) {
        p.set(40, 7);
        p.set(25, 0x80);  // "右手车"
        p.setLineCode({19, 17, 0, 10, 35});
        p.set(46, recordKind);
    }
    return p;
}

ParamEntry paramEntry(const ParamBlock &block)
{
    ParamEntry entry{};
    for (int k = 1; k <= PacketLength::Param; ++k)
        entry[size_t(k)] = block.byte(k);
    return entry;
}

HeaderValues valuesOf(const ParamBlock &block, const ViewSources &sources = {})
{
    RecordingSlot slot;
    slot.type = StreamTypeCode;
    slot.ViewStart = 100;
    slot.ParamTable = {paramEntry(block)};
    slot.GainTable = {{0, 40, 41, 42, 43, 44, 45, 46, 47, 48, 12, 2}};
    return headerValuesInEffect(slot, sources, 0);
}

QStringList bodyTexts(const ReportText &report)
{
    QStringList texts;
    for (const ReportParagraph &p : report.body)
        texts.append(p.text);
    return texts;
}

TEST(BScanReportText, FullCourseRecordWithEveryChannel)
{
    const ReportText report = BScanReportText(valuesOf(baseParams(699)));
    EXPECT_EQ(report.caption, QStringLiteral("B超报告"));
    EXPECT_EQ(report.title.text, QStringLiteral("Brantel全数字钢轨探伤仪B超报告"));
    EXPECT_EQ(bodyTexts(report), (QStringList{
                                     "工(串)号: 01234(1234567)       报警方式：70(一般)0(反射)",
                                     "探伤日期:   2021年6月15日",
                                     "衰减量: 40dB(1通道)  46dB(1A通道)  41dB(2通道)  47dB(2A通道)  42dB(3通道)  ",
                                     "       43dB(4通道)  44dB(5通道)  45dB(6通道)  48dB(6A通道)",
                                     "通道设置:1:前70  1A:后70  2:前70 2A:后70  3:前37",
                                     "         4:后37  5:0  6:前直70 6A:后直70",
                                     "探测位置:   上行,(0012),右股钢轨",
                                     "探伤方向:   里程增加",
                                     "钢轨轨型:   60轨",
                                 }));
    // No damage line: the picture follows the rail type.
    EXPECT_EQ(report.pictureParagraph(), 11);
}

TEST(BScanReportText, WithoutExtraChannelsTheirPlacesStayEmpty)
{
    ParamBlock p = baseParams(699);
    p.set(34, 7);  // older firmware: a set bit means the extra channel is missing
    p.set(37, 4 | 2);  // through-transmission, 70° alarm mode 2
    const QStringList body = bodyTexts(BScanReportText(valuesOf(p)));
    EXPECT_EQ(body[0], QStringLiteral("工(串)号: 01234(1234567)       报警方式：70(分别)0(穿透)"));
    EXPECT_EQ(body[2], QStringLiteral("衰减量: 40dB(1通道)  41dB(2通道)  42dB(3通道)  "));
    EXPECT_EQ(body[3], QStringLiteral("       43dB(4通道)  44dB(5通道)  45dB(6通道)  "));
    EXPECT_EQ(body[4], QStringLiteral("通道设置:1:前70    2:前70   3:前37"));
    EXPECT_EQ(body[5], QStringLiteral("         4:后37  5:0  6:前直70 "));
}

TEST(BScanReportText, SelectedPointRecordContinuesThePositionAndRatesTheDamage)
{
    ViewSources sources;
    sources.workNumbers = {{1234, QStringLiteral("1234 张三")}};
    const ReportText report = BScanReportText(valuesOf(baseParams(720, 0), sources));
    const QStringList body = bodyTexts(report);
    ASSERT_EQ(body.size(), 10);
    EXPECT_EQ(body[0], QStringLiteral("工(串)号: 1234 张三(1234567右手车)       报警方式：70(一般)0(反射)"));
    EXPECT_EQ(body[6], QStringLiteral("探测位置:   下行,(JH0AZ),右股钢轨321公里4号轨距顺端12.5米"));
    EXPECT_EQ(body[9], QStringLiteral("伤损程度:    ***"));
    EXPECT_EQ(report.pictureParagraph(), 12);

    ParamBlock undamaged = baseParams(720, 2);
    undamaged.set(38, 0);
    const QStringList other = bodyTexts(BScanReportText(valuesOf(undamaged)));
    EXPECT_EQ(other[6], QStringLiteral("探测位置:   下行,(JH0AZ),右股钢轨"));
    EXPECT_EQ(other[9], QStringLiteral("伤损程度:    "));
}

TEST(BScanReportText, LineKindWordsFollowTheFirmwareAbove703)
{
    struct Case {
        int firmware, kind;
        const char *word;
    } const cases[] = {
        {703, 1, "上行,"}, {703, 2, "下行,"}, {704, 1, "下行,"}, {704, 2, "上行,"}, {720, 0, "站线,"},
        {720, 3, "联线,"}, {720, 4, "单线,"}, {720, 5, "其它,"}, {720, 6, ""},
    };
    for (const Case &c : cases) {
        ParamBlock p = baseParams(c.firmware);
        p.set(14, c.kind);
        const QString position = bodyTexts(BScanReportText(valuesOf(p)))[6];
        EXPECT_EQ(position, QStringLiteral("探测位置:   ") + QString::fromUtf8(c.word) + QStringLiteral("(JH0AZ),右股钢轨"))
            << c.firmware << " kind " << c.kind;
    }
}

TEST(BScanReportText, ProgressRunsThroughTheValuesOfBothForms)
{
    for (const int kind : {0, 1}) {
        const ReportText report = BScanReportText(valuesOf(baseParams(720, kind)));
        std::vector<int> values{report.title.progress};
        for (const ReportParagraph &p : report.body)
            values.push_back(p.progress);
        std::vector<int> expected{35, 40, 50, 55, 60, 65, 70, 75, 80, 90, 95};
        if (kind == 1)
            expected.pop_back();
        EXPECT_EQ(values, expected) << kind;
        EXPECT_EQ(report.pictureProgress, 95);
    }
}

TEST(BScanReportFileName, DatePartsAndTheMileageWhenThereIsOne)
{
    const HeaderValues older = valuesOf(baseParams(699));
    EXPECT_EQ(BScanReportFileName(older, QStringLiteral("12KM+345.6M")),
              QStringLiteral("2021年6月15日.(1234567).0012.右股钢轨.12KM+345.6M.doc"));
    EXPECT_EQ(BScanReportFileName(older, std::nullopt), QStringLiteral("2021年6月15日.(1234567).0012.右股钢轨.doc"));

    // A line name from the user's list, or damaged serial bytes, cannot lead elsewhere.
    ViewSources sources;
    sources.lineNames = {{QStringLiteral("JH0AZ"), QStringLiteral("JH0AZ 京沪/..\\下行")}};
    ParamBlock p = baseParams(720);
    p.set(28, '/');
    p.set(29, ':');
    EXPECT_EQ(BScanReportFileName(valuesOf(p, sources), std::nullopt),
              QStringLiteral("2021年6月15日.(1__4567右手车).JH0AZ 京沪_.._下行.右股钢轨.doc"));
}

TEST(BScanReportFileName, TheMileageTextIsTheCurrentPost)
{
    RecordingSlot slot;
    EXPECT_EQ(HeaderMileageText(slot), std::nullopt);
    MileageEntry entry{};
    entry[MileageField::Position] = 600;
    entry[MileageField::Mileage] = 123456;
    slot.CurrentPost = MileagePost::of(entry);
    EXPECT_EQ(HeaderMileageText(slot), QStringLiteral("12KM+345.6M"));
}

// A frame of the new layout unless told, with a waveform for the picture.
AScanFrame makeFrame(const ascantest::FrameFields &f = {.layout = 1})
{
    AScanFrame frame = ascantest::frame(f);
    for (int i = 0; i < 240; ++i)
        frame.samples[i] = uint8_t(i < 100 ? i : 200 - i);
    return frame;
}

TEST(AScanReportText, ParagraphsOfAFrame)
{
    const ReportText report = AScanReportText(makeFrame());
    EXPECT_EQ(report.caption, QStringLiteral("A超报告"));
    EXPECT_EQ(report.title.text, QStringLiteral("BrantelD全数字钢轨探伤仪A超报告"));
    EXPECT_EQ(bodyTexts(report), (QStringList{
                                     "探伤日期:   2024年3月5日\t\t探伤时间:   2:5:9 PM",
                                     "通道号:     1:前70\t\t\t\t\t衰减量:     42dB",
                                     "钢轨轨型:   60轨\t\t\t\t量程:       250毫米",
                                     "探测位置:   上行,37号线右股钢轨,300公里12号轨,据逆端05.7米",
                                 }));
    std::vector<int> values{report.title.progress};
    for (const ReportParagraph &p : report.body)
        values.push_back(p.progress);
    EXPECT_EQ(values, (std::vector<int>{40, 50, 60, 70, 80}));
    EXPECT_EQ(report.pictureParagraph(), 6);
}

TEST(AScanReportText, LineDescriptionOfOldAndNewFrameLayouts)
{
    struct Case {
        int layout, lineKind, track;
        const char *line;
    } const cases[] = {
        {0, 1, 100, "上行线右股钢轨"}, {0, 1, 101, "下行线右股钢轨"}, {0, 0, 102, "站线右股钢轨"},
        {0, 1, 103, "联线右股钢轨"},   {0, 1, 104, "单线右股钢轨"},   {0, 1, 105, "其它线右股钢轨"},
        {0, 0, 99, "94号线右股钢轨"},  {0, 1, 106, "101号线右股钢轨"}, {0, 1, 2, "-3号线右股钢轨"},
        {1, 0, 7, "站线,7号股右股钢轨"}, {1, 3, 7, "联线,7号线右股钢轨"}, {1, 2, 100, "下行,100号线右股钢轨"},
        {64, 1, 37, "上行,37号线右股钢轨"}, {1, 7, 5, "5号线右股钢轨"},
    };
    for (const Case &c : cases) {
        const AScanFrame frame = makeFrame({.lineKind = c.lineKind, .track = c.track, .layout = c.layout});
        EXPECT_EQ(AScanReportLineText(frame), QString::fromUtf8(c.line))
            << "layout " << c.layout << " kind " << c.lineKind << " value " << c.track;
    }
}

class WrittenReports : public ::testing::Test {
protected:
    TestFiles::TestDir dir;

    QStringList folderEntries() const
    {
        return QDir(dir.path({})).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }
};

void expectFormats(const std::vector<DocxParagraph> &paragraphs, int pictureParagraph)
{
    ASSERT_EQ(int(paragraphs.size()), pictureParagraph);
    EXPECT_TRUE(paragraphs[0].bold);
    EXPECT_EQ(paragraphs[0].size, 20);
    EXPECT_EQ(paragraphs[0].alignment, "center");
    for (int i = 1; i + 1 < pictureParagraph; ++i) {
        EXPECT_FALSE(paragraphs[size_t(i)].bold) << i;
        EXPECT_EQ(paragraphs[size_t(i)].size, 11) << i;
        EXPECT_EQ(paragraphs[size_t(i)].alignment, "left") << i;
        EXPECT_EQ(paragraphs[size_t(i)].pictures, 0) << i;
    }
    EXPECT_EQ(paragraphs.back().pictures, 1);
    EXPECT_EQ(paragraphs.back().alignment, "left");
    EXPECT_TRUE(paragraphs.back().text.isEmpty());
}

TEST_F(WrittenReports, BScanReportBesideTheRecordingReplacesAnOlderOne)
{
    MileagePacket post;
    post.mileage = 5000;
    const std::array<uint8_t, PacketLength::Gain> gains{40, 41, 42, 43, 44, 45, 46, 47, 48, 12, 2};
    streamtest::Track track;
    track.to(10);
    track.writer().packet(Code::Param, baseParams(720, 0).b);
    track.to(20);
    track.writer().packet(Code::Gain, gains);
    track.to(590);
    track.writer().packet(Code::Mileage, post.bytes());
    track.to(600).to(3000);
    const QString recording = dir.write(QStringLiteral("QC0001.D01"), track.bytes());

    RecordingSlots panes;
    panes.Slots[0] = LoadRecordingFile(recording, true, QDateTime::currentDateTime());
    panes.Slots[0].ViewStart = 100;
    ViewState state;
    state.R = 1000;
    state.viewHeight = 600;
    const QString name = QStringLiteral("2021年6月15日.(1234567右手车).JH0AZ.右股钢轨.0KM+500.0M.doc");
    const QString expectedPath = QDir(dir.path({})).filePath(name);
    {
        QFile older(expectedPath);
        ASSERT_TRUE(older.open(QIODevice::WriteOnly));
        older.write("an older report");
    }

    std::vector<int> progress;
    const WrittenReport written = WriteBScanReport(panes, BrantSettings{}, state, ViewSources{}, std::nullopt,
                                                   [&](int percent) { progress.push_back(percent); });
    EXPECT_EQ(written.path, expectedPath);
    EXPECT_EQ(written.picture, QSize(1333, 800));
    EXPECT_EQ(progress, (std::vector<int>{30, 35, 40, 50, 55, 60, 65, 70, 75, 80, 90, 95, 100}));

    const DocxFile document(expectedPath);
    ASSERT_TRUE(document.isZip());
    const std::vector<DocxParagraph> paragraphs = document.paragraphs();
    expectFormats(paragraphs, 12);
    EXPECT_EQ(paragraphs[0].text, written.text.title.text);
    for (size_t i = 0; i < written.text.body.size(); ++i)
        EXPECT_EQ(paragraphs[i + 1].text, written.text.body[i].text) << i;
    EXPECT_EQ(paragraphs[7].text, QStringLiteral("探测位置:   下行,(JH0AZ),右股钢轨321公里4号轨距顺端12.5米"));
    EXPECT_TRUE(document.package().entry("word/media/picture1.png"));
    // Nothing else is left in the recording's folder: no picture, no temporary file.
    EXPECT_EQ(folderEntries(), (QStringList{name, QStringLiteral("QC0001.D01")}));
}

TEST_F(WrittenReports, AScanReportKeepsTabsAndIsOverwrittenEachTime)
{
    const QString path = AScanReportPath(dir.path({}), dir.path(QStringLiteral("documents")));
    EXPECT_EQ(path, QDir(dir.path({})).filePath(QStringLiteral("Atemp.doc")));

    std::vector<int> progress;
    WriteAScanReport(makeFrame(), 0, BrantSettings{}, QSize(800, 600), path,
                     [&](int percent) { progress.push_back(percent); });
    EXPECT_EQ(progress, (std::vector<int>{30, 40, 50, 60, 70, 80, 100}));
    const WrittenReport second =
        WriteAScanReport(makeFrame({.track = 101, .layout = 0}), 1, BrantSettings{}, QSize(800, 600), path, {});
    EXPECT_EQ(second.picture, QSize(800, 600));

    const std::vector<DocxParagraph> paragraphs = DocxFile(path).paragraphs();
    expectFormats(paragraphs, 6);
    EXPECT_EQ(paragraphs[2].text, QStringLiteral("通道号:     1:前70\t\t\t\t\t衰减量:     42dB"));
    EXPECT_EQ(paragraphs[4].text, QStringLiteral("探测位置:   下行线右股钢轨,300公里12号轨,据逆端05.7米"));
    EXPECT_EQ(folderEntries(), QStringList{QStringLiteral("Atemp.doc")});
}

TEST_F(WrittenReports, AScanReportGoesToTheDocumentsWhenTheProgramFolderIsNotWritable)
{
    const QString documents = dir.path(QStringLiteral("documents"));
    EXPECT_EQ(AScanReportPath(dir.path(QStringLiteral("no-such-folder")), documents),
              QDir(documents).filePath(QStringLiteral("Atemp.doc")));
    EXPECT_TRUE(QFileInfo(documents).isDir());
}

TEST_F(WrittenReports, AFailedSaveLeavesTheOlderDocumentAsItWas)
{
    const QString path = dir.path(QStringLiteral("Atemp.doc"));
    WriteAScanReport(makeFrame(), 0, BrantSettings{}, QSize(400, 300), path, {});
    const QByteArray before = TestFiles::readBytes(path);

    // The larger picture alone passes the limit.
    const AScanFrame other = makeFrame({.track = 5, .layout = 1});
    bool failed = false;
    try {
        const TestFiles::ResourceLimit disk(RLIMIT_FSIZE, 4000);
        ASSERT_TRUE(disk.set());
        WriteAScanReport(other, 3, BrantSettings{}, QSize(1200, 900), path, {});
    } catch (const OfficeError &) {
        failed = true;
    }
    EXPECT_TRUE(failed);
    EXPECT_EQ(TestFiles::readBytes(path), before);
    EXPECT_EQ(folderEntries(), QStringList{QStringLiteral("Atemp.doc")});

    // No picture, no document.
    EXPECT_THROW(WriteAScanReport(other, 0, BrantSettings{}, QSize(0, 0), path, {}), OfficeError);
    EXPECT_EQ(TestFiles::readBytes(path), before);
}

}  // namespace
