#include "office/Document.h"
#include "office/OfficeError.h"

#include "ResourceLimit.h"

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

// A small template of the shape reports have: a title, then a table with label
// cells, empty value cells, a full-width row for a picture and a merged cell.
//   | 线名 | (1,2) | (1,3) |
//   | (2,1): three columns wide |
//   | 备注 | (3,2): two columns wide |
constexpr int kTableWidth = 9000;

QString cellXml(int width, int span, const QString &text)
{
    const QString spanXml = span > 1 ? QStringLiteral("<w:gridSpan w:val=\"%1\"/>").arg(span) : QString();
    const QString paragraph = text.isEmpty() ? QStringLiteral("<w:p/>")
                                             : QStringLiteral("<w:p><w:r><w:t>%1</w:t></w:r></w:p>").arg(text);
    return QStringLiteral("<w:tc><w:tcPr><w:tcW w:w=\"%1\" w:type=\"dxa\"/>%2</w:tcPr>%3</w:tc>")
        .arg(width)
        .arg(spanXml, paragraph);
}

void writeTemplate(const QString &path)
{
    const int column = kTableWidth / 3;
    const QString rows = QStringLiteral("<w:tr>") + cellXml(column, 1, QStringLiteral("线名")) + cellXml(column, 1, {})
                         + cellXml(column, 1, {}) + QStringLiteral("</w:tr><w:tr>") + cellXml(kTableWidth, 3, {})
                         + QStringLiteral("</w:tr><w:tr>") + cellXml(column, 1, QStringLiteral("备注"))
                         + cellXml(2 * column, 2, {}) + QStringLiteral("</w:tr>");
    const QString document =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
                       "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
                       "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><w:body>"
                       "<w:p><w:r><w:t>检验报告</w:t></w:r></w:p><w:tbl><w:tblPr><w:tblW w:w=\"%1\" w:type=\"dxa\"/>"
                       "</w:tblPr><w:tblGrid><w:gridCol w:w=\"%2\"/><w:gridCol w:w=\"%2\"/><w:gridCol w:w=\"%2\"/>"
                       "</w:tblGrid>%3</w:tbl><w:p/><w:sectPr/></w:body></w:document>")
            .arg(kTableWidth)
            .arg(column)
            .arg(rows);
    const std::vector<std::pair<const char *, QByteArray>> parts{
        {"[Content_Types].xml",
         "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
         "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
         "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
         "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
         "<Override PartName=\"/word/document.xml\" "
         "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
         "</Types>"},
        {"_rels/.rels",
         "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" "
         "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
         "Target=\"word/document.xml\"/></Relationships>"},
        {"word/_rels/document.xml.rels",
         "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"/>"},
        {"word/document.xml", document.toUtf8()},
    };
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, nullptr);
    ASSERT_TRUE(archive);
    for (const auto &[name, bytes] : parts) {
        zip_source_t *source = zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        ASSERT_TRUE(source);
        ASSERT_GE(zip_file_add(archive, name, source, ZIP_FL_ENC_UTF_8), 0);
    }
    ASSERT_EQ(zip_close(archive), 0);
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
    void SetUp() override { writeTemplate(reportTemplate); }
    QString file(const QString &name) const { return dir.filePath(name); }
    QTemporaryDir dir;
    const QString reportTemplate = dir.filePath(QStringLiteral("template.dom"));
};

TEST_F(DocumentTest, TemplateCellsAreFoundThroughMergedCells)
{
    const Document report = Document::fromTemplate(reportTemplate);
    EXPECT_EQ(report.paragraphText(1), QStringLiteral("检验报告"));
    EXPECT_EQ(report.cellText(1, 1), QStringLiteral("线名"));
    EXPECT_EQ(report.cellText(3, 1), QStringLiteral("备注"));
    for (const auto &[row, column] : {std::pair{1, 2}, {1, 3}, {2, 1}, {3, 2}})
        EXPECT_EQ(report.cellText(row, column), QString()) << row << "," << column;
    for (const auto &[row, column] : {std::pair{2, 2}, {3, 3}, {4, 1}, {1, 4}, {0, 1}})
        EXPECT_THROW(report.cellText(row, column), OfficeError) << row << "," << column;
}

TEST_F(DocumentTest, FilledTemplateSavedUnderExactNameReadsBack)
{
    Document report = Document::fromTemplate(reportTemplate);
    report.setCellText(1, 2, QStringLiteral("京广线"));
    report.setCellText(1, 3, QStringLiteral("上行"));
    report.setCellText(3, 2, QStringLiteral("地段：3"));
    // Cells built line by line: read back, append, write again.
    report.setCellText(3, 2, report.cellText(3, 2) + QStringLiteral("\n当前里程：K12+345"));
    report.setCellPicture(2, 1, markedImage(1200, 300));
    report.save(file(QStringLiteral("x.doc")));

    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{QStringLiteral("template.dom"), QStringLiteral("x.doc")}));
    const Document saved = Document::fromTemplate(file(QStringLiteral("x.doc")));
    EXPECT_EQ(saved.cellText(1, 2), QStringLiteral("京广线"));
    EXPECT_EQ(saved.cellText(1, 3), QStringLiteral("上行"));
    EXPECT_EQ(saved.cellText(3, 2), QStringLiteral("地段：3\n当前里程：K12+345"));
    EXPECT_EQ(saved.cellText(1, 1), QStringLiteral("线名"));
    EXPECT_EQ(saved.paragraphText(1), QStringLiteral("检验报告"));
    // The template itself is untouched.
    EXPECT_EQ(Document::fromTemplate(reportTemplate).cellText(1, 2), QString());
}

TEST_F(DocumentTest, CellPictureIsStoredWithRelationshipAndContentType)
{
    Document report = Document::fromTemplate(reportTemplate);
    report.setCellPicture(2, 1, markedImage(1200, 300));
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

    const pugi::xml_node row2 = body.child("w:document").child("w:body").child("w:tbl").child("w:tr").next_sibling("w:tr");
    const pugi::xpath_node blip = row2.select_node(".//a:blip");
    ASSERT_TRUE(blip);
    EXPECT_STREQ(blip.node().attribute("r:embed").value(), relationship.attribute("Id").value());
    // 1200 pixels are wider than the cell: shrunk to its inner width, aspect kept.
    const pugi::xml_node extent = row2.select_node(".//wp:extent").node();
    EXPECT_EQ(extent.attribute("cx").as_llong(), (kTableWidth - 216) * 635LL);
    EXPECT_EQ(extent.attribute("cy").as_llong(), (kTableWidth - 216) * 635LL / 4);
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

TEST_F(DocumentTest, TabsAndAPictureFromMemory)
{
    Document document;
    document.addParagraph(QStringLiteral("日期:\t\t时间:"));
    document.addParagraph();
    document.addInlinePicture(2, markedImage(3000, 100));
    const QString path = file(QStringLiteral("memory.doc"));
    document.save(path);

    pugi::xml_document body;
    parse(body, zipPart(path, "word/document.xml"));
    const pugi::xml_node first = body.child("w:document").child("w:body").child("w:p");
    std::vector<std::string> pieces;
    for (pugi::xml_node piece : first.child("w:r").children())
        pieces.emplace_back(piece.name());
    EXPECT_EQ(pieces, (std::vector<std::string>{"w:t", "w:tab", "w:tab", "w:t"}));
    EXPECT_EQ(Document::fromTemplate(path).paragraphText(1), QStringLiteral("日期:\t\t时间:"));
    // Stored as PNG, shrunk to the A4 text width with its aspect kept.
    const pugi::xml_node extent = first.next_sibling("w:p").select_node(".//wp:extent").node();
    EXPECT_EQ(extent.attribute("cx").as_llong(), 9026 * 635LL);
    EXPECT_EQ(extent.attribute("cy").as_llong(), 9026 * 635LL / 30);
    QImage stored;
    ASSERT_TRUE(stored.loadFromData(zipPart(path, "word/media/picture1.png"), "PNG"));
    EXPECT_EQ(stored.size(), QSize(3000, 100));
    EXPECT_EQ(stored.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_THROW(document.addInlinePicture(3, markedImage(4, 4)), OfficeError);
    EXPECT_THROW(document.addInlinePicture(1, QImage()), OfficeError);
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
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{QStringLiteral("template.dom"), QStringLiteral("x.doc")}));
}

TEST_F(DocumentTest, FullDiskLeavesTheOlderFileAsItWas)
{
    const QString path = file(QStringLiteral("x.doc"));
    Document older;
    older.addParagraph(QStringLiteral("旧"));
    older.save(path);
    const QByteArray before = zipPart(path, "word/document.xml");

    // Noise does not compress: the picture alone passes the limit.
    QImage noise(300, 300, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, uint(x * 2654435761u ^ y * 40503u));
    Document report = Document::fromTemplate(reportTemplate);
    report.setCellPicture(2, 1, noise);
    try {
        const TestFiles::ResourceLimit disk(RLIMIT_FSIZE, 8000);
        ASSERT_TRUE(disk.set());
        report.save(path);
        ADD_FAILURE() << "saved past the size limit";
    } catch (const OfficeError &error) {
        EXPECT_TRUE(error.text().contains(path)) << error.what();
    }
    EXPECT_EQ(zipPart(path, "word/document.xml"), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{QStringLiteral("template.dom"), QStringLiteral("x.doc")}));
}

} // namespace
