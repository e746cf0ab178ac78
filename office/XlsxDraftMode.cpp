#include "XlsxDraftMode.h"

#include "OfficeError.h"

#include <QFile>

#include <pugixml.hpp>
#include <zip.h>

#include <memory>
#include <sstream>
#include <string>

namespace {

struct ZipCloser {
    void operator()(zip_t *archive) const { zip_discard(archive); }
};
using ZipHandle = std::unique_ptr<zip_t, ZipCloser>;

std::string readEntry(zip_t *archive, const std::string &name, const QString &path)
{
    zip_stat_t info;
    zip_stat_init(&info);
    if (zip_stat(archive, name.c_str(), 0, &info) != 0 || !(info.valid & ZIP_STAT_SIZE))
        throw OfficeError(QStringLiteral("%1 has no %2").arg(path, QString::fromStdString(name)));
    std::unique_ptr<zip_file_t, int (*)(zip_file_t *)> entry(zip_fopen(archive, name.c_str(), 0), zip_fclose);
    std::string text(size_t(info.size), '\0');
    if (!entry || zip_fread(entry.get(), text.data(), info.size) != zip_int64_t(info.size))
        throw OfficeError(QStringLiteral("cannot read %1 in %2").arg(QString::fromStdString(name), path));
    return text;
}

// Element order inside a worksheet is fixed: pageSetup follows pageMargins.
pugi::xml_node pageSetupOf(pugi::xml_node worksheet)
{
    if (pugi::xml_node setup = worksheet.child("pageSetup"))
        return setup;
    if (pugi::xml_node margins = worksheet.child("pageMargins"))
        return worksheet.insert_child_after("pageSetup", margins);
    return {};
}

} // namespace

void markSheetsDraft(const QString &xlsxPath, const std::vector<int> &sheetNumbers)
{
    if (sheetNumbers.empty())
        return;
    int error = 0;
    ZipHandle archive(zip_open(QFile::encodeName(xlsxPath).constData(), 0, &error));
    if (!archive)
        throw OfficeError(QStringLiteral("cannot open %1").arg(xlsxPath));

    // libzip reads the replaced entries' sources only at zip_close, so their texts must live until then.
    std::vector<std::string> texts;
    texts.reserve(sheetNumbers.size());
    for (int number : sheetNumbers) {
        const std::string name = "xl/worksheets/sheet" + std::to_string(number) + ".xml";
        const std::string original = readEntry(archive.get(), name, xlsxPath);
        pugi::xml_document document;
        if (!document.load_buffer(original.data(), original.size(), pugi::parse_full))
            throw OfficeError(QStringLiteral("%1 in %2 is not valid XML").arg(QString::fromStdString(name), xlsxPath));
        pugi::xml_node setup = pageSetupOf(document.child("worksheet"));
        if (!setup)
            throw OfficeError(QStringLiteral("%1 in %2 has no page margins").arg(QString::fromStdString(name), xlsxPath));
        (setup.attribute("draft") ? setup.attribute("draft") : setup.append_attribute("draft")).set_value("1");

        std::ostringstream out;
        document.save(out, "", pugi::format_raw);
        texts.push_back(out.str());
        zip_source_t *source = zip_source_buffer(archive.get(), texts.back().data(), texts.back().size(), 0);
        if (!source || zip_file_add(archive.get(), name.c_str(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0) {
            if (source)
                zip_source_free(source);
            throw OfficeError(QStringLiteral("cannot update %1 in %2").arg(QString::fromStdString(name), xlsxPath));
        }
    }
    if (zip_close(archive.get()) != 0)
        throw OfficeError(QStringLiteral("cannot write %1: %2").arg(xlsxPath, QString::fromUtf8(zip_strerror(archive.get()))));
    archive.release();
}
