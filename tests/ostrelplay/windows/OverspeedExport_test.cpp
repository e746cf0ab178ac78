#include "office/OfficeError.h"
#include "windows/OverspeedExport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <zip.h>

#include <optional>
#include <string>

namespace {

std::optional<std::string> zipEntry(const QString &path, const char *name)
{
    int error = 0;
    zip_t *zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!zip)
        return std::nullopt;
    std::optional<std::string> text;
    zip_stat_t info;
    if (zip_stat(zip, name, 0, &info) == 0) {
        zip_file_t *file = zip_fopen(zip, name, 0);
        std::string bytes(size_t(info.size), '\0');
        if (file && zip_fread(file, bytes.data(), info.size) == zip_int64_t(info.size))
            text = bytes;
        if (file)
            zip_fclose(file);
    }
    zip_discard(zip);
    return text;
}

// The first sheet of a saved workbook, cells by reference with shared strings resolved.
class SavedSheet {
public:
    explicit SavedSheet(const QString &path)
    {
        const auto sheet = zipEntry(path, "xl/worksheets/sheet1.xml");
        const auto strings = zipEntry(path, "xl/sharedStrings.xml");
        const auto styles = zipEntry(path, "xl/styles.xml");
        m_loaded = sheet && strings && styles && m_sheet.load_buffer(sheet->data(), sheet->size())
                   && m_strings.load_buffer(strings->data(), strings->size())
                   && m_styles.load_buffer(styles->data(), styles->size());
    }
    bool loaded() const { return m_loaded; }

    pugi::xml_node cell(const std::string &ref) const
    {
        return m_sheet.select_node(("//c[@r='" + ref + "']").c_str()).node();
    }
    std::string text(const std::string &ref) const
    {
        const pugi::xml_node node = cell(ref);
        if (std::string(node.attribute("t").value()) != "s")
            return node.child("v").text().get();
        const int index = node.child("v").text().as_int();
        return m_strings.select_node(("/sst/si[" + std::to_string(index + 1) + "]/t").c_str()).node().text().get();
    }
    std::string alignment(const std::string &ref) const
    {
        const int style = cell(ref).attribute("s").as_int();
        return m_styles.select_node(("/styleSheet/cellXfs/xf[" + std::to_string(style + 1) + "]/alignment").c_str())
            .node()
            .attribute("horizontal")
            .value();
    }
    pugi::xml_node columns() const { return m_sheet.select_node("/worksheet/cols/col").node(); }
    size_t rowCount() const { return m_sheet.select_nodes("/worksheet/sheetData/row").size(); }

private:
    bool m_loaded = false;
    pugi::xml_document m_sheet;
    pugi::xml_document m_strings;
    pugi::xml_document m_styles;
};

const std::vector<OverspeedRow> threeRows = {
    {"1", "K12+345", "K12+360", "15m", "45.5km/s"},
    {"2", "K13+000", "K13+011", "11m", "46km/s"},
    {"3", "", "", "10m", "45.25km/s"},
};

} // namespace

TEST(OverspeedExport, WritesTheHeaderAndOneRowPerStretchUnderTheExactName)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(withXlsExtension("超速"));
    ASSERT_EQ(exportOverspeed(threeRows, path), OverspeedExport::Saved);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"超速.xls"});

    const SavedSheet sheet(path);
    ASSERT_TRUE(sheet.loaded());
    EXPECT_EQ(sheet.rowCount(), 4u);
    const char *expected[4][5] = {
        {"序号", "起始里程", "结束里程", "超速距离", "平均速度"},
        {"1", "K12+345", "K12+360", "15m", "45.5km/s"},
        {"2", "K13+000", "K13+011", "11m", "46km/s"},
        {"3", "", "", "10m", "45.25km/s"},
    };
    const std::string columns = "ABCDE";
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 5; ++column) {
            const std::string ref = columns[size_t(column)] + std::to_string(row + 1);
            EXPECT_EQ(sheet.text(ref), expected[row][column]) << ref;
            EXPECT_EQ(sheet.alignment(ref), "left") << ref;
        }
    // Texts stay texts: the running number is not turned into a number.
    EXPECT_STREQ(sheet.cell("A2").attribute("t").value(), "s");

    const pugi::xml_node allColumns = sheet.columns();
    EXPECT_STREQ(allColumns.attribute("min").value(), "1");
    EXPECT_STREQ(allColumns.attribute("max").value(), "16384");
    EXPECT_NEAR(allColumns.attribute("width").as_double(), 20, 1);
}

TEST(OverspeedExport, AnEmptyListOrAnUnwritableNameLeavesNoFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.xls"));
    EXPECT_EQ(exportOverspeed({}, dir.filePath("empty.xls")), OverspeedExport::EmptyList);
    for (const char *name : {"taken.xls", "missing/x.xls"}) {
        try {
            exportOverspeed(threeRows, dir.filePath(name));
            ADD_FAILURE() << name << ": reported as saved";
        } catch (const OfficeError &error) {
            EXPECT_TRUE(error.text().contains(dir.filePath(name))) << error.what();
        }
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{});
}

TEST(OverspeedExport, OutcomesHaveTheirFixedMessages)
{
    const struct {
        OverspeedExport outcome;
        const char *message;
        const char *title;
    } cases[] = {
        {OverspeedExport::Saved, "", ""},
        {OverspeedExport::EmptyList, "列表为空，无法导出！", ""},
        {OverspeedExport::NoExcel, "您的电脑没有安装excel！", "警告"},
        {OverspeedExport::ExcelUnavailable, "调用Excel失败，Excel不可用。", "错误"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(overspeedExportMessage(c.outcome), QString::fromUtf8(c.message)) << int(c.outcome);
        EXPECT_EQ(overspeedExportTitle(c.outcome), QString::fromUtf8(c.title)) << int(c.outcome);
    }
}
