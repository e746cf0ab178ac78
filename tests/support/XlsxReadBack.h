#pragma once
// Reading a written workbook back through its zip entries and XML parts, for the
// tests that check what a spreadsheet program would show.

#include <QFile>
#include <QString>

#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <zip.h>

#include <optional>
#include <string>
#include <vector>

// Reads a written workbook back through its zip entries and XML parts.
class XlsxFile {
public:
    explicit XlsxFile(const QString &path)
    {
        int error = 0;
        m_zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    }
    ~XlsxFile()
    {
        if (m_zip)
            zip_discard(m_zip);
    }
    bool isZip() const { return m_zip != nullptr; }

    std::optional<std::string> entry(const std::string &name) const
    {
        zip_stat_t info;
        if (!m_zip || zip_stat(m_zip, name.c_str(), 0, &info) != 0)
            return std::nullopt;
        zip_file_t *file = zip_fopen(m_zip, name.c_str(), 0);
        std::string text(size_t(info.size), '\0');
        const zip_int64_t read = zip_fread(file, text.data(), info.size);
        zip_fclose(file);
        return read == zip_int64_t(info.size) ? std::optional(text) : std::nullopt;
    }

    pugi::xml_document xml(const std::string &name) const
    {
        pugi::xml_document document;
        const auto text = entry(name);
        EXPECT_TRUE(text) << name;
        if (text) {
            EXPECT_TRUE(document.load_buffer(text->data(), text->size())) << name;
        }
        return document;
    }

    // A cell's shown value: shared strings resolved, numbers as written.
    std::string cellValue(int sheet, const char *ref) const
    {
        const pugi::xml_node cell = cellNode(sheet, ref);
        const std::string value = cell.child("v").text().get();
        if (std::string(cell.attribute("t").value()) != "s")
            return value;
        const auto strings = xml("xl/sharedStrings.xml");
        const auto item = strings.child("sst").find_child([&, n = 0](pugi::xml_node) mutable {
            return n++ == std::stoi(value);
        });
        return item.child("t").text().get();
    }

    // The cell format record (xf) that styles a cell.
    pugi::xml_node cellStyle(int sheet, const char *ref)
    {
        const int index = cellNode(sheet, ref).attribute("s").as_int();
        m_styles = xml("xl/styles.xml");
        return m_styles.select_node(("/styleSheet/cellXfs/xf[" + std::to_string(index + 1) + "]").c_str()).node();
    }
    pugi::xml_node font(pugi::xml_node xf) const
    {
        return m_styles.select_node(("/styleSheet/fonts/font[" + std::to_string(xf.attribute("fontId").as_int() + 1) + "]")
                                        .c_str())
            .node();
    }
    std::string numberFormat(pugi::xml_node xf) const
    {
        const std::string id = xf.attribute("numFmtId").value();
        return m_styles.select_node(("/styleSheet/numFmts/numFmt[@numFmtId='" + id + "']").c_str())
            .node()
            .attribute("formatCode")
            .value();
    }

    pugi::xml_document sheetXml(int sheet) const
    {
        return xml("xl/worksheets/sheet" + std::to_string(sheet) + ".xml");
    }

    // The tab names in their order.
    std::vector<std::string> sheetNames() const
    {
        std::vector<std::string> names;
        const auto book = xml("xl/workbook.xml");
        for (pugi::xml_node sheet : book.child("workbook").child("sheets").children("sheet"))
            names.push_back(sheet.attribute("name").value());
        return names;
    }

    // The width of a column (1-based) as its <col> range gives it; 0 when none does.
    double columnWidth(int sheet, int column) const
    {
        const auto document = sheetXml(sheet);
        for (pugi::xml_node col : document.child("worksheet").child("cols").children("col"))
            if (col.attribute("min").as_int() <= column && column <= col.attribute("max").as_int())
                return col.attribute("width").as_double();
        return 0;
    }

    // Whether the sheet's XML has a cell at `ref` at all.
    bool hasCell(int sheet, const char *ref) const
    {
        m_sheet = sheetXml(sheet);
        return bool(m_sheet.select_node(("//c[@r='" + std::string(ref) + "']").c_str()).node());
    }

private:
    pugi::xml_node cellNode(int sheet, const char *ref) const
    {
        m_sheet = sheetXml(sheet);
        const auto node = m_sheet.select_node(("//c[@r='" + std::string(ref) + "']").c_str()).node();
        EXPECT_TRUE(node) << "sheet " << sheet << " cell " << ref;
        return node;
    }

    zip_t *m_zip = nullptr;
    mutable pugi::xml_document m_sheet;
    pugi::xml_document m_styles;
};
