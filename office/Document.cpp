#include "Document.h"

#include "OfficeError.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QSize>
#include <QStringList>

#include <pugixml.hpp>

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <sstream>
#include <string_view>

namespace {

const char *const documentPart = "word/document.xml";
const char *const relationshipsPart = "word/_rels/document.xml.rels";
const char *const contentTypesPart = "[Content_Types].xml";

const char *const blankContentTypes =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
    R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
    R"(<Default Extension="xml" ContentType="application/xml"/>)"
    R"(<Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>)"
    R"(</Types>)";
const char *const blankPackageRelationships =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/>)"
    R"(</Relationships>)";
const char *const blankDocumentRelationships =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"/>)";
const char *const blankBody =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)"
    R"(<w:body><w:sectPr><w:pgSz w:w="11906" w:h="16838"/>)"
    R"(<w:pgMar w:top="1440" w:right="1440" w:bottom="1440" w:left="1440" w:header="851" w:footer="992" w:gutter="0"/>)"
    R"(</w:sectPr></w:body></w:document>)";

constexpr long long emuPerTwip = 635;
constexpr long long emuPerPixel = 9525; // at 96 dots per inch
constexpr long long a4TextWidthTwips = 9026;
constexpr long long cellMarginsTwips = 216; // the default left and right cell margins

std::unique_ptr<pugi::xml_document> parsePart(const DocxParts &parts, const char *name)
{
    const auto found = parts.find(name);
    if (found == parts.end())
        throw OfficeError(QStringLiteral("模板不是文档：缺少 %1").arg(QString::fromUtf8(name)));
    auto xml = std::make_unique<pugi::xml_document>();
    // Single-space runs of text must survive the round trip.
    if (!xml->load_buffer(found->second.constData(), size_t(found->second.size()),
                          pugi::parse_default | pugi::parse_ws_pcdata_single))
        throw OfficeError(QStringLiteral("模板已损坏：%1").arg(QString::fromUtf8(name)));
    return xml;
}

QByteArray serialised(const pugi::xml_document &xml)
{
    std::ostringstream out;
    xml.save(out, "", pugi::format_raw, pugi::encoding_utf8);
    const std::string text = out.str();
    return QByteArray(text.data(), qsizetype(text.size()));
}

void removeChildren(pugi::xml_node node, const char *name)
{
    while (pugi::xml_node child = node.child(name))
        node.remove_child(child);
}

// Inserts an element before the first child named in `later`, keeping the schema's order.
pugi::xml_node insertOrdered(pugi::xml_node parent, const char *name, std::initializer_list<const char *> later)
{
    for (pugi::xml_node child : parent.children()) {
        if (std::any_of(later.begin(), later.end(), [&](const char *n) { return std::string_view(child.name()) == n; }))
            return parent.insert_child_before(name, child);
    }
    return parent.append_child(name);
}

pugi::xml_node runProperties(pugi::xml_node run)
{
    pugi::xml_node properties = run.child("w:rPr");
    return properties ? properties : run.prepend_child("w:rPr");
}

QString paragraphTextOf(pugi::xml_node paragraph)
{
    QString text;
    for (pugi::xml_node run : paragraph.children("w:r")) {
        for (pugi::xml_node piece : run.children()) {
            if (std::string_view(piece.name()) == "w:t")
                text += QString::fromUtf8(piece.text().get());
            else if (std::string_view(piece.name()) == "w:tab")
                text += QLatin1Char('\t');
        }
    }
    return text;
}

void appendRun(pugi::xml_node paragraph, const QString &text, pugi::xml_node properties)
{
    pugi::xml_node run = paragraph.append_child("w:r");
    if (properties)
        run.append_copy(properties);
    const QStringList pieces = text.split(QLatin1Char('\t'));
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            run.append_child("w:tab");
        if (pieces[i].isEmpty())
            continue;
        pugi::xml_node textNode = run.append_child("w:t");
        textNode.append_attribute("xml:space") = "preserve";
        textNode.text().set(pieces[i].toUtf8().constData());
    }
}

long long twipsAttribute(pugi::xml_node node, const char *name, long long fallback)
{
    const pugi::xml_attribute attribute = node.attribute(name);
    return attribute ? attribute.as_llong() : fallback;
}

} // namespace

// An image file as stored in the package.
struct DocumentPicture {
    QByteArray data;
    QString extension;
    QSize pixels;
};

namespace {

DocumentPicture pictureFromImage(const QImage &image)
{
    if (image.isNull())
        throw OfficeError(QStringLiteral("图片为空"));
    DocumentPicture picture{{}, QStringLiteral("png"), image.size()};
    QBuffer buffer(&picture.data);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        throw OfficeError(QStringLiteral("图片无法编码"));
    return picture;
}

DocumentPicture pictureFromFile(const QString &path)
{
    const QString failure = QStringLiteral("无法读取图片：%1").arg(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw OfficeError(failure);
    DocumentPicture picture{file.readAll(), {}, {}};
    QBuffer buffer(&picture.data);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format();
    picture.pixels = reader.size();
    if (format == "png")
        picture.extension = QStringLiteral("png");
    else if (format == "jpeg" || format == "jpg")
        picture.extension = QStringLiteral("jpeg");
    if (picture.extension.isEmpty() || !picture.pixels.isValid() || picture.pixels.isEmpty())
        throw OfficeError(failure);
    return picture;
}

} // namespace

Document::Document()
    : Document(DocxParts{{contentTypesPart, blankContentTypes},
                         {"_rels/.rels", blankPackageRelationships},
                         {relationshipsPart, blankDocumentRelationships},
                         {documentPart, blankBody}})
{
}

Document::Document(DocxParts parts)
    : m_parts(std::move(parts))
{
    if (m_parts.find(relationshipsPart) == m_parts.end())
        m_parts[relationshipsPart] = blankDocumentRelationships;
    m_body = parsePart(m_parts, documentPart);
    m_relationships = parsePart(m_parts, relationshipsPart);
    m_contentTypes = parsePart(m_parts, contentTypesPart);
    if (!m_body->child("w:document").child("w:body"))
        throw OfficeError(QStringLiteral("模板不是文档：没有正文"));
}

Document Document::fromTemplate(const QString &templatePath)
{
    return Document(readDocxParts(templatePath));
}

Document::Document(Document &&) noexcept = default;
Document &Document::operator=(Document &&) noexcept = default;
Document::~Document() = default;

pugi::xml_node Document::cell(int row, int column) const
{
    const pugi::xml_node table = m_body->child("w:document").child("w:body").child("w:tbl");
    if (!table)
        throw OfficeError(QStringLiteral("文档中没有表格 1"));
    int r = 0;
    for (pugi::xml_node tableRow : table.children("w:tr")) {
        if (++r != row)
            continue;
        int c = 0;
        for (pugi::xml_node tableCell : tableRow.children("w:tc")) {
            if (++c == column)
                return tableCell;
        }
    }
    throw OfficeError(QStringLiteral("表格 1 没有单元格 (%1, %2)").arg(row).arg(column));
}

QString Document::cellText(int row, int column) const
{
    QStringList lines;
    for (pugi::xml_node paragraph : cell(row, column).children("w:p"))
        lines.append(paragraphTextOf(paragraph));
    return lines.join(QLatin1Char('\n'));
}

void Document::setCellText(int row, int column, const QString &text)
{
    pugi::xml_node tableCell = cell(row, column);
    // The template's first paragraph gives the style of every line.
    pugi::xml_document style;
    const pugi::xml_node first = tableCell.child("w:p");
    const pugi::xml_node paragraphStyle = style.append_copy(first.child("w:pPr"));
    const pugi::xml_node runStyle = style.append_copy(first.child("w:r").child("w:rPr"));
    removeChildren(tableCell, "w:p");
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        pugi::xml_node paragraph = tableCell.append_child("w:p");
        if (paragraphStyle)
            paragraph.append_copy(paragraphStyle);
        appendRun(paragraph, line, runStyle);
    }
}

void Document::setCellPicture(int row, int column, const QImage &picture)
{
    placeInCell(row, column, pictureFromImage(picture));
}

void Document::setCellPicture(int row, int column, const QString &pictureFile)
{
    placeInCell(row, column, pictureFromFile(pictureFile));
}

void Document::placeInCell(int row, int column, const DocumentPicture &picture)
{
    pugi::xml_node tableCell = cell(row, column);
    pugi::xml_document style;
    const pugi::xml_node paragraphStyle = style.append_copy(tableCell.child("w:p").child("w:pPr"));
    removeChildren(tableCell, "w:p");
    pugi::xml_node paragraph = tableCell.append_child("w:p");
    if (paragraphStyle)
        paragraph.append_copy(paragraphStyle);
    const pugi::xml_node width = tableCell.child("w:tcPr").child("w:tcW");
    const bool inTwips = std::string_view(width.attribute("w:type").as_string("dxa")) == "dxa";
    const long long cellTwips = inTwips ? twipsAttribute(width, "w:w", a4TextWidthTwips) : a4TextWidthTwips;
    insertPicture(paragraph, picture, std::max(cellTwips - cellMarginsTwips, 1LL) * emuPerTwip);
}

pugi::xml_node Document::paragraph(int paragraph) const
{
    int n = 0;
    for (pugi::xml_node node : m_body->child("w:document").child("w:body").children("w:p")) {
        if (++n == paragraph)
            return node;
    }
    throw OfficeError(QStringLiteral("文档没有段落 %1").arg(paragraph));
}

int Document::addParagraph(const QString &text)
{
    pugi::xml_node body = m_body->child("w:document").child("w:body");
    // The section properties must stay the body's last element.
    const pugi::xml_node section = body.child("w:sectPr");
    pugi::xml_node added = section ? body.insert_child_before("w:p", section) : body.append_child("w:p");
    if (!text.isEmpty())
        appendRun(added, text, {});
    return paragraphCount();
}

int Document::paragraphCount() const
{
    const auto paragraphs = m_body->child("w:document").child("w:body").children("w:p");
    return int(std::distance(paragraphs.begin(), paragraphs.end()));
}

QString Document::paragraphText(int paragraph) const
{
    return paragraphTextOf(this->paragraph(paragraph));
}

void Document::setParagraphBold(int paragraph, bool bold)
{
    for (pugi::xml_node run : this->paragraph(paragraph).children("w:r")) {
        pugi::xml_node properties = runProperties(run);
        removeChildren(properties, "w:b");
        if (bold)
            insertOrdered(properties, "w:b", {"w:bCs", "w:i", "w:iCs", "w:caps", "w:smallCaps", "w:strike",
                                              "w:color", "w:sz", "w:szCs", "w:u", "w:vertAlign", "w:lang"});
    }
}

void Document::setParagraphFontSize(int paragraph, double points)
{
    if (!(points > 0 && points <= 1638))
        throw OfficeError(QStringLiteral("字号无效：%1").arg(points));
    const QByteArray halfPoints = QByteArray::number(qRound(points * 2));
    for (pugi::xml_node run : this->paragraph(paragraph).children("w:r")) {
        pugi::xml_node properties = runProperties(run);
        removeChildren(properties, "w:sz");
        removeChildren(properties, "w:szCs");
        const std::initializer_list<const char *> later = {"w:highlight", "w:u", "w:effect", "w:bdr", "w:shd",
                                                           "w:fitText", "w:vertAlign", "w:rtl", "w:cs", "w:em",
                                                           "w:lang", "w:eastAsianLayout", "w:specVanish"};
        insertOrdered(properties, "w:sz", later).append_attribute("w:val") = halfPoints.constData();
        insertOrdered(properties, "w:szCs", later).append_attribute("w:val") = halfPoints.constData();
    }
}

void Document::setParagraphAlignment(int paragraph, int alignment)
{
    if (alignment != AlignLeft && alignment != AlignCentre)
        throw OfficeError(QStringLiteral("对齐方式无效：%1").arg(alignment));
    pugi::xml_node node = this->paragraph(paragraph);
    pugi::xml_node properties = node.child("w:pPr");
    if (!properties)
        properties = node.prepend_child("w:pPr");
    removeChildren(properties, "w:jc");
    insertOrdered(properties, "w:jc", {"w:textDirection", "w:textAlignment", "w:textboxTightWrap", "w:outlineLvl",
                                       "w:divId", "w:cnfStyle", "w:rPr", "w:sectPr", "w:pPrChange"})
        .append_attribute("w:val") = alignment == AlignCentre ? "center" : "left";
}

void Document::addInlinePicture(int paragraph, const QString &pictureFile)
{
    this->paragraph(paragraph);
    insertInline(paragraph, pictureFromFile(pictureFile));
}

void Document::addInlinePicture(int paragraph, const QImage &picture)
{
    this->paragraph(paragraph);
    insertInline(paragraph, pictureFromImage(picture));
}

void Document::insertInline(int paragraph, const DocumentPicture &picture)
{
    pugi::xml_node node = this->paragraph(paragraph);
    const pugi::xml_node section = m_body->child("w:document").child("w:body").child("w:sectPr");
    const long long textTwips = twipsAttribute(section.child("w:pgSz"), "w:w", 11906)
        - twipsAttribute(section.child("w:pgMar"), "w:left", 1440)
        - twipsAttribute(section.child("w:pgMar"), "w:right", 1440);
    insertPicture(node, picture, std::max(textTwips, 1LL) * emuPerTwip);
}

void Document::insertPicture(pugi::xml_node paragraph, const DocumentPicture &picture, long long maxWidthEmu)
{
    int number = ++m_pictureCount;
    const auto partName = [&] { return QStringLiteral("word/media/picture%1.%2").arg(number).arg(picture.extension); };
    while (m_parts.count(partName().toStdString()))
        number = ++m_pictureCount;
    const QString relationshipId = QStringLiteral("rIdPicture%1").arg(number);

    pugi::xml_node relationship = m_relationships->child("Relationships").append_child("Relationship");
    relationship.append_attribute("Id") = relationshipId.toUtf8().constData();
    relationship.append_attribute("Type") = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";
    relationship.append_attribute("Target") = partName().mid(5).toUtf8().constData();
    m_parts[partName().toStdString()] = picture.data;

    pugi::xml_node types = m_contentTypes->child("Types");
    const QByteArray extension = picture.extension.toUtf8();
    if (!types.find_child_by_attribute("Default", "Extension", extension.constData())) {
        pugi::xml_node type = types.prepend_child("Default");
        type.append_attribute("Extension") = extension.constData();
        type.append_attribute("ContentType") = ("image/" + extension).constData();
    }

    pugi::xml_node root = m_body->child("w:document");
    if (!root.attribute("xmlns:wp"))
        root.append_attribute("xmlns:wp") = "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing";
    if (!root.attribute("xmlns:r"))
        root.append_attribute("xmlns:r") = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

    long long width = picture.pixels.width() * emuPerPixel;
    long long height = picture.pixels.height() * emuPerPixel;
    if (width > maxWidthEmu) {
        height = std::max(1LL, height * maxWidthEmu / width);
        width = maxWidthEmu;
    }
    const QString drawing = QStringLiteral(
        R"(<w:r><w:drawing><wp:inline distT="0" distB="0" distL="0" distR="0">)"
        R"(<wp:extent cx="%1" cy="%2"/><wp:docPr id="%3" name="Picture %3"/>)"
        R"(<a:graphic xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main">)"
        R"(<a:graphicData uri="http://schemas.openxmlformats.org/drawingml/2006/picture">)"
        R"(<pic:pic xmlns:pic="http://schemas.openxmlformats.org/drawingml/2006/picture">)"
        R"(<pic:nvPicPr><pic:cNvPr id="0" name="picture%3.%4"/><pic:cNvPicPr/></pic:nvPicPr>)"
        R"(<pic:blipFill><a:blip r:embed="%5"/><a:stretch><a:fillRect/></a:stretch></pic:blipFill>)"
        R"(<pic:spPr><a:xfrm><a:off x="0" y="0"/><a:ext cx="%1" cy="%2"/></a:xfrm>)"
        R"(<a:prstGeom prst="rect"><a:avLst/></a:prstGeom></pic:spPr>)"
        R"(</pic:pic></a:graphicData></a:graphic></wp:inline></w:drawing></w:r>)")
                                .arg(width)
                                .arg(height)
                                .arg(number)
                                .arg(picture.extension, relationshipId);
    pugi::xml_document run;
    const QByteArray drawingText = drawing.toUtf8();
    run.load_buffer(drawingText.constData(), size_t(drawingText.size()));
    paragraph.append_copy(run.first_child());
}

void Document::save(const QString &path) const
{
    DocxParts parts = m_parts;
    parts[documentPart] = serialised(*m_body);
    parts[relationshipsPart] = serialised(*m_relationships);
    parts[contentTypesPart] = serialised(*m_contentTypes);
    writeDocxParts(path, parts);
}
