#pragma once
// Reading a written document back: each body paragraph's text, bold, size, alignment
// and inline pictures, as a word processor would show them.

#include "XlsxReadBack.h"

#include <QString>

#include <string_view>
#include <vector>

struct DocxParagraph {
    QString text;     // tabs as '\t'
    bool bold = false;         // every run bold
    double size = 0;           // points of the first run, 0 when unset
    std::string alignment;     // "left", "center", or empty when unset
    int pictures = 0;          // inline pictures
};

class DocxFile {
public:
    explicit DocxFile(const QString &path) : m_zip(path) {}
    bool isZip() const { return m_zip.isZip(); }
    const XlsxFile &package() const { return m_zip; }

    std::vector<DocxParagraph> paragraphs() const
    {
        std::vector<DocxParagraph> list;
        const pugi::xml_document body = m_zip.xml("word/document.xml");
        for (pugi::xml_node p : body.child("w:document").child("w:body").children("w:p")) {
            DocxParagraph paragraph;
            paragraph.alignment = p.child("w:pPr").child("w:jc").attribute("w:val").value();
            bool anyRun = false;
            paragraph.bold = true;
            for (pugi::xml_node run : p.children("w:r")) {
                if (run.child("w:drawing")) {
                    paragraph.pictures += int(run.select_nodes(".//wp:inline").size());
                    continue;
                }
                const pugi::xml_node properties = run.child("w:rPr");
                if (!anyRun)
                    paragraph.size = properties.child("w:sz").attribute("w:val").as_double() / 2;
                anyRun = true;
                paragraph.bold = paragraph.bold && properties.child("w:b");
                for (pugi::xml_node piece : run.children()) {
                    if (std::string_view(piece.name()) == "w:t")
                        paragraph.text += QString::fromUtf8(piece.text().get());
                    else if (std::string_view(piece.name()) == "w:tab")
                        paragraph.text += QLatin1Char('\t');
                }
            }
            paragraph.bold = paragraph.bold && anyRun;
            list.push_back(paragraph);
        }
        return list;
    }

private:
    XlsxFile m_zip;
};
