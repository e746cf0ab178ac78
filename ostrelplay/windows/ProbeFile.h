#pragma once
// "probefile.ini": up to 100 named sets of probe start positions, so that a set
// measured on one instrument can be applied to other recordings. The probe-file
// window saves the probe positions an open recording is drawn with into an entry,
// or loads an entry's positions into them.

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// Probe start points of channels "1" .. "6", "1A", "2A", "3A", in mm.
using ProbePositions = std::array<int32_t, 9>;

struct ProbeEntry {
    QString name;
    ProbePositions positions{};
};

class ProbeFile {
public:
    static constexpr int EntryCount = 100;

    // Reads all entries; a missing file, entry or key gives "未命名" and 0.
    explicit ProbeFile(const QString &path);

    const QString &path() const { return m_path; }
    // Rows outside 0 .. EntryCount - 1 are refused with std::out_of_range.
    const ProbeEntry &entry(int row) const { return m_entries.at(size_t(row)); }
    ProbeEntry &entry(int row) { return m_entries.at(size_t(row)); }
    // The first entry named exactly `name`.
    std::optional<int> find(const QString &name) const;

    // Writes all entries, keeping whatever else the file holds. Throws IniFileError.
    void write() const;

private:
    QString m_path;
    std::array<ProbeEntry, EntryCount> m_entries;
};

// "probefile.ini" where common::configFilePath keeps it: beside the executable,
// or in the user's configuration folder when that folder is not writable.
QString probeFilePath();

enum class ProbeFileMode { Save, Load };

// Window title and button caption of each mode.
QString probeFileTitle(ProbeFileMode mode);
QString probeFileButton(ProbeFileMode mode);

// Copies an entry's positions into `probes`; none given, no change.
void applyProbeEntry(const ProbeEntry &entry, ProbePositions *probes);

// The save-mode button. An empty name is refused with its message and nothing is
// written. Otherwise the selected row, when there is one and positions to take,
// gets the name and the positions; then the whole file is written (throws IniFileError).
std::optional<QString> saveProbeEntry(ProbeFile &file, std::optional<int> selectedRow, const QString &name,
                                      const ProbePositions *probes);

// The load-mode button: the row named `name`, its positions copied into `probes`;
// or the message that no entry has that name.
struct ProbeEntryLookup {
    std::optional<int> row;
    QString message;
};
ProbeEntryLookup loadProbeEntry(const ProbeFile &file, const QString &name, ProbePositions *probes);
