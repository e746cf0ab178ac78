#include "ProbeFile.h"

#include "common/ConfigFiles.h"
#include "common/IniFile.h"

namespace {

const QString NamesSection = QStringLiteral("probefilename");

} // namespace

ProbeFile::ProbeFile(const QString &path) : m_path(path)
{
    const common::IniFile ini(path);
    for (int i = 0; i < EntryCount; ++i) {
        ProbeEntry &e = m_entries[size_t(i)];
        const QString number = QString::number(i);
        e.name = ini.readString(NamesSection, number, QStringLiteral("未命名"));
        for (size_t c = 0; c < e.positions.size(); ++c)
            e.positions[c] = ini.readInt(number, QString::number(c), 0);
    }
}

std::optional<int> ProbeFile::find(const QString &name) const
{
    for (int i = 0; i < EntryCount; ++i)
        if (m_entries[size_t(i)].name == name)
            return i;
    return std::nullopt;
}

void ProbeFile::write() const
{
    common::IniFile ini(m_path);
    for (int i = 0; i < EntryCount; ++i) {
        const ProbeEntry &e = m_entries[size_t(i)];
        const QString number = QString::number(i);
        ini.writeString(NamesSection, number, e.name);
        for (size_t c = 0; c < e.positions.size(); ++c)
            ini.writeInt(number, QString::number(c), e.positions[c]);
    }
    ini.save();
}

QString probeFilePath()
{
    return common::configFilePath(QStringLiteral("probefile.ini"));
}

QString probeFileTitle(ProbeFileMode mode)
{
    return mode == ProbeFileMode::Save ? QStringLiteral("保存探头位置") : QStringLiteral("读取探头位置");
}

QString probeFileButton(ProbeFileMode mode)
{
    return mode == ProbeFileMode::Save ? QStringLiteral("保存") : QStringLiteral("读取");
}

void applyProbeEntry(const ProbeEntry &entry, ProbePositions *probes)
{
    if (probes)
        *probes = entry.positions;
}

std::optional<QString> saveProbeEntry(ProbeFile &file, std::optional<int> selectedRow, const QString &name,
                                      const ProbePositions *probes)
{
    if (name.isEmpty())
        return QStringLiteral("请输入文件名！！");
    if (selectedRow && probes) {
        ProbeEntry &e = file.entry(*selectedRow);
        e.name = name;
        e.positions = *probes;
    }
    file.write();
    return std::nullopt;
}

ProbeEntryLookup loadProbeEntry(const ProbeFile &file, const QString &name, ProbePositions *probes)
{
    const std::optional<int> row = file.find(name);
    if (!row)
        return {std::nullopt, QStringLiteral("未找到探头文件，请确定改文件名是否存在！")};
    applyProbeEntry(file.entry(*row), probes);
    return {row, QString()};
}
