#include "office/Document.h"
#include "office/OfficeError.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <zip.h>

#include <string>
#include <vector>

namespace {

const QString reportTemplate = QStringLiteral(REPORT_TEMPLATE);

std::vector<std::string> zipEntries(const QString &path)
{
    std::vector<std::string> names;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, nullptr);
    if (!archive)
        return names;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i)
        names.emplace_back(zip_get_name(archive, zip_uint64_t(i), 0));
    zip_discard(archive);
    return names;
}

QByteArray zipPart(const QString &path, const char *name)
{
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, nullptr);
    if (!archive)
        return {};
    QByteArray data;
    zip_stat_t stat;
    if (zip_stat(archive, name, 0, &stat) == 0) {
        data.resize(qsizetype(stat.size));
        zip_file_t *file = zip_fopen(archive, name, 0);
        if (!file || zip_fread(file, data.data(), stat.size) != zip_int64_t(stat.size))
            data.clear();
        if (file)
            zip_fclose(file);
    }
    zip_discard(archive);
    return data;
}

void parse(pugi::xml_document &xml, const QByteArray &data)
{
    ASSERT_TRUE(xml.load_buffer(data.constData(), size_t(data.size())));
}

// White with a red corner, so a stored copy shows its orientation.
QImage markedImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixelColor(0, 0, Qt::red);
    return image;
}

class DocumentTest : public ::testing::Test {
protected:
    QString file(const QString &name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

struct ReportCell {
    int row;
    int column;
    QString text;
};

const std::vector<ReportCell> reportCells = {
    {1, 2, QStringLiteral("京广线")},
    {1, 4, QStringLiteral("上行")},
    {1, 6, QStringLiteral("左股")},
    {3, 6, QStringLiteral("张三")},
    {2, 2, QStringLiteral("P60")},
    {3, 4, QStringLiteral("2024-05-06 10:20:30")},
    {2, 6, QStringLiteral("鞍钢")},
    {4, 2, QStringLiteral("1:40dB  2:42dB  3:38dB")},
    {5, 1, QStringLiteral("地段：3")},
    {7, 2, QStringLiteral("工务段探伤车间")},
    {8, 4, QStringLiteral("2024/5/6")},
};

TEST_F(DocumentTest, TemplateHasEmptyLabelledCellsForEveryReportValue)
{
    const Document report = Document::fromTemplate(reportTemplate);
    EXPECT_EQ(report.paragraphText(1), QStringLiteral("探伤报告"));
    for (const ReportCell &cell : reportCells) {
        SCOPED_TRACE(testing::Message() << cell.row << "," << cell.column);
        EXPECT_EQ(report.cellText(cell.row, cell.column), QString());
        if (cell.column > 1) {
            EXPECT_FALSE(report.cellText(cell.row, cell.column - 1).isEmpty());
        }
    }
    EXPECT_EQ(report.cellText(6, 1), QString());
    EXPECT_EQ(report.cellText(1, 1), QStringLiteral("线名"));
    EXPECT_THROW(report.cellText(9, 1), OfficeError);
    EXPECT_THROW(report.cellText(1, 7), OfficeError);
    EXPECT_THROW(report.cellText(4, 3), OfficeError);
}

TEST_F(DocumentTest, FilledReportSavedUnderExactNameReadsBackAsTemplate)
{
    Document report = Document::fromTemplate(reportTemplate);
    for (const ReportCell &cell : reportCells)
        report.setCellText(cell.row, cell.column, cell.text);
    // Cells built line by line: read back, append, write again.
    report.setCellText(4, 2, report.cellText(4, 2) + QStringLiteral("\n4:40dB  5:40dB  6:40dB"));
    report.setCellText(5, 1, report.cellText(5, 1) + QStringLiteral("\n当前里程：K12+345"));
    report.setCellPicture(6, 1, markedImage(1200, 300));
    report.save(file(QStringLiteral("x.doc")));

    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("x.doc")});
    const Document saved = Document::fromTemplate(file(QStringLiteral("x.doc")));
    for (const ReportCell &cell : reportCells) {
        if (cell.row == 4 || cell.row == 5)
            continue;
        EXPECT_EQ(saved.cellText(cell.row, cell.column), cell.text) << cell.row << "," << cell.column;
    }
    EXPECT_EQ(saved.cellText(4, 2), QStringLiteral("1:40dB  2:42dB  3:38dB\n4:40dB  5:40dB  6:40dB"));
    EXPECT_EQ(saved.cellText(5, 1), QStringLiteral("地段：3\n当前里程：K12+345"));
    EXPECT_EQ(saved.cellText(1, 1), QStringLiteral("线名"));
    EXPECT_EQ(saved.paragraphText(1), QStringLiteral("探伤报告"));
}

TEST_F(DocumentTest, CellPictureIsStoredWithRelationshipAndContentType)
{
    Document report = Document::fromTemplate(reportTemplate);
    report.setCellPicture(6, 1, markedImage(1200, 300));
    const QString path = file(QStringLiteral("report.doc"));
    report.save(path);

    const auto entries = zipEntries(path);
    EXPECT_NE(std::find(entries.begin(), entries.end(), "word/media/picture1.png"), entries.end());
    const QImage stored = QImage::fromData(zipPart(path, "word/media/picture1.png"), "PNG");
    EXPECT_EQ(stored.size(), QSize(1200, 300));
    EXPECT_EQ(stored.pixelColor(0, 0), QColor(Qt::red));

    pugi::xml_document relationships, types, body;
    parse(relationships, zipPart(path, "word/_rels/document.xml.rels"));
    parse(types, zipPart(path, "[Content_Types].xml"));
    parse(body, zipPart(path, "word/document.xml"));
    const pugi::xml_node relationship =
        relationships.child("Relationships").find_child_by_attribute("Relationship", "Target", "media/picture1.png");
    ASSERT_TRUE(relationship);
    EXPECT_STREQ(relationship.attribute("Type").value(),
                 "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image");
    EXPECT_STREQ(types.child("Types").find_child_by_attribute("Default", "Extension", "png").attribute("ContentType").value(),
                 "image/png");

    pugi::xml_node row6 = body.child("w:document").child("w:body").child("w:tbl").child("w:tr");
    for (int r = 1; r < 6; ++r)
        row6 = row6.next_sibling("w:tr");
    const pugi::xpath_node blip = row6.select_node(".//a:blip");
    ASSERT_TRUE(blip);
    EXPECT_STREQ(blip.node().attribute("r:embed").value(), relationship.attribute("Id").value());
    // 1200 pixels are wider than the cell: shrunk to its inner width, aspect kept.
    const pugi::xml_node extent = row6.select_node(".//wp:extent").node();
    EXPECT_EQ(extent.attribute("cx").as_llong(), (9026 - 216) * 635LL);
    EXPECT_EQ(extent.attribute("cy").as_llong(), (9026 - 216) * 635LL / 4);
}

TEST_F(DocumentTest, ParagraphsCarryTextBoldSizeAlignmentAndPicture)
{
    const QString jpeg = file(QStringLiteral("scan.jpg"));
    ASSERT_TRUE(markedImage(40, 20).save(jpeg, "JPEG", 100));

    Document document;
    EXPECT_EQ(document.addParagraph(QStringLiteral("钢轨探伤B显图")), 1);
    document.setParagraphBold(1, true);
    document.setParagraphFontSize(1, 16);
    document.setParagraphAlignment(1, Document::AlignCentre);
    EXPECT_EQ(document.addParagraph(QStringLiteral("里程 K1+200")), 2);
    document.setParagraphAlignment(2, Document::AlignLeft);
    EXPECT_EQ(document.addParagraph(), 3);
    document.addInlinePicture(3, jpeg);
    const QString path = file(QStringLiteral("bscan.doc"));
    document.save(path);

    pugi::xml_document body, types;
    parse(body, zipPart(path, "word/document.xml"));
    parse(types, zipPart(path, "[Content_Types].xml"));
    const pugi::xml_node first = body.child("w:document").child("w:body").child("w:p");
    EXPECT_TRUE(first.child("w:r").child("w:rPr").child("w:b"));
    EXPECT_STREQ(first.child("w:r").child("w:rPr").child("w:sz").attribute("w:val").value(), "32");
    EXPECT_STREQ(first.child("w:pPr").child("w:jc").attribute("w:val").value(), "center");
    const pugi::xml_node second = first.next_sibling("w:p");
    EXPECT_FALSE(second.child("w:r").child("w:rPr").child("w:b"));
    EXPECT_STREQ(second.child("w:pPr").child("w:jc").attribute("w:val").value(), "left");
    const pugi::xml_node extent = second.next_sibling("w:p").select_node(".//wp:extent").node();
    EXPECT_EQ(extent.attribute("cx").as_llong(), 40 * 9525LL);
    EXPECT_EQ(extent.attribute("cy").as_llong(), 20 * 9525LL);
    EXPECT_STREQ(types.child("Types").find_child_by_attribute("Default", "Extension", "jpeg").attribute("ContentType").value(),
                 "image/jpeg");
    QFile original(jpeg);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_EQ(zipPart(path, "word/media/picture1.jpeg"), original.readAll());
    // The section properties stay last in the body.
    EXPECT_STREQ(body.child("w:document").child("w:body").last_child().name(), "w:sectPr");

    const Document reopened = Document::fromTemplate(path);
    EXPECT_EQ(reopened.paragraphCount(), 3);
    EXPECT_EQ(reopened.paragraphText(1), QStringLiteral("钢轨探伤B显图"));
    EXPECT_EQ(reopened.paragraphText(2), QStringLiteral("里程 K1+200"));
}

TEST_F(DocumentTest, FailuresRaiseOfficeError)
{
    EXPECT_THROW(Document::fromTemplate(file(QStringLiteral("missing.dom"))), OfficeError);

    QFile notZip(file(QStringLiteral("text.dom")));
    ASSERT_TRUE(notZip.open(QIODevice::WriteOnly));
    notZip.write("not a document");
    notZip.close();
    EXPECT_THROW(Document::fromTemplate(notZip.fileName()), OfficeError);

    const QString withoutTable = file(QStringLiteral("plain.dom"));
    Document plain;
    plain.addParagraph(QStringLiteral("没有表格"));
    plain.save(withoutTable);
    Document opened = Document::fromTemplate(withoutTable);
    EXPECT_THROW(opened.cellText(1, 1), OfficeError);
    EXPECT_THROW(opened.setCellText(1, 1, QStringLiteral("x")), OfficeError);
    EXPECT_THROW(opened.setCellPicture(1, 1, markedImage(4, 4)), OfficeError);
    EXPECT_THROW(opened.paragraphText(2), OfficeError);
    EXPECT_THROW(opened.setParagraphAlignment(1, 2), OfficeError);
    EXPECT_THROW(opened.addInlinePicture(1, notZip.fileName()), OfficeError);
    EXPECT_THROW(opened.addInlinePicture(1, file(QStringLiteral("none.png"))), OfficeError);
    EXPECT_THROW(opened.setCellPicture(1, 1, QImage()), OfficeError);

    EXPECT_THROW(plain.save(file(QStringLiteral("no/such/folder/x.doc"))), OfficeError);
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("no"))));
}

TEST_F(DocumentTest, SavingOverAnExistingFileReplacesIt)
{
    const QString path = file(QStringLiteral("x.doc"));
    Document first;
    first.addParagraph(QStringLiteral("旧"));
    first.save(path);
    Document second;
    second.addParagraph(QStringLiteral("新"));
    second.save(path);
    EXPECT_EQ(Document::fromTemplate(path).paragraphText(1), QStringLiteral("新"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("x.doc")});
}

} // namespace
