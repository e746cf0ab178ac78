#pragma once
#include "DocxPackage.h"

#include <QImage>
#include <QString>

#include <memory>

namespace pugi {
class xml_document;
class xml_node;
}
struct DocumentPicture;

// A word-processor document written as Office Open XML. Table cells and
// paragraphs count from 1. A cell's lines are its paragraphs, joined by '\n'.
// A tab in a text is written as the document's tab. Every failure raises OfficeError.
class Document {
public:
    enum Alignment { AlignLeft = 0, AlignCentre = 1 };

    // An empty A4 document.
    Document();
    // A new document with the content of a template, whatever its file extension.
    static Document fromTemplate(const QString &templatePath);
    Document(Document &&) noexcept;
    Document &operator=(Document &&) noexcept;
    ~Document();

    // Cells of the first table; the cell keeps the template's paragraph and font style.
    QString cellText(int row, int column) const;
    void setCellText(int row, int column, const QString &text);
    // Replaces the cell's content with the picture, shrunk to the cell's width.
    void setCellPicture(int row, int column, const QImage &picture);
    void setCellPicture(int row, int column, const QString &pictureFile);

    // Paragraphs of the body, after any template content.
    int addParagraph(const QString &text = {});
    int paragraphCount() const;
    QString paragraphText(int paragraph) const;
    void setParagraphBold(int paragraph, bool bold);
    void setParagraphFontSize(int paragraph, double points);
    void setParagraphAlignment(int paragraph, int alignment);
    // Appends the picture at its own size, shrunk to the text width; stored in the document.
    void addInlinePicture(int paragraph, const QString &pictureFile);
    // The same for a picture in memory, stored as PNG.
    void addInlinePicture(int paragraph, const QImage &picture);

    // Writes the document under exactly this name.
    void save(const QString &path) const;

private:
    explicit Document(DocxParts parts);
    pugi::xml_node cell(int row, int column) const;
    pugi::xml_node paragraph(int paragraph) const;
    void placeInCell(int row, int column, const DocumentPicture &picture);
    void insertPicture(pugi::xml_node paragraph, const DocumentPicture &picture, long long maxWidthEmu);
    void insertInline(int paragraph, const DocumentPicture &picture);

    DocxParts m_parts;
    std::unique_ptr<pugi::xml_document> m_body;
    std::unique_ptr<pugi::xml_document> m_relationships;
    std::unique_ptr<pugi::xml_document> m_contentTypes;
    int m_pictureCount = 0;
};
