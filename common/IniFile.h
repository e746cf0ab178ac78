#pragma once
// The program's INI files, read and written with the semantics of the Windows
// profile-file functions: section and key names are found regardless of case, a
// missing file, section or key gives the caller's default, and a value is the
// text after the first '=' with the line's outer blanks removed. Writing a value
// keeps every other line of the file and adds the section and key when missing.
//
// The file is read once when the object is made and written back as a whole by
// save(); reads and writes in between only touch memory. Files are written in
// UTF-8 and read as decodeText reads them (UTF-8, UTF-16 with its mark, GB18030).

#include "UserError.h"

#include <QHash>
#include <QString>

#include <utility>
#include <vector>

namespace common {

// An INI file that could not be written.
class IniFileError : public UserError {
public:
    using UserError::UserError;
};

class IniFile {
public:
    // Reads the file; a missing or unreadable file reads as empty.
    explicit IniFile(const QString &path);

    const QString &path() const { return m_path; }
    // Number of lines the file held when read, plus those added since.
    qsizetype lineCount() const;

    bool hasKey(const QString &section, const QString &key) const;
    QString readString(const QString &section, const QString &key, const QString &defaultValue) const;
    // Decimal text; anything else (blank, letters, out of range) gives the default.
    int readInt(const QString &section, const QString &key, int defaultValue) const;
    // Any nonzero integer reads as true.
    bool readBool(const QString &section, const QString &key, bool defaultValue) const;

    // A value is one line: line breaks in it are written as spaces.
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInt(const QString &section, const QString &key, int value);
    void writeBool(const QString &section, const QString &key, bool value);

    // Writes the whole file in one step: a failure leaves the old file as it was.
    // Throws IniFileError when the file cannot be written.
    void save() const;

private:
    struct Section {
        std::vector<QString> lines;  // the "[name]" line first, then the section's lines
    };

    void parse();
    const QString *findLine(const QString &section, const QString &key) const;
    size_t sectionForWriting(const QString &section);  // its index, made when missing

    QString m_path;
    QString m_text;                       // the file as read; the lines read from it refer to it
    std::vector<QString> m_leadingLines;  // lines before the first section, kept as they are
    std::vector<Section> m_sections;
    QHash<QString, size_t> m_sectionIndex;  // folded section name -> index in m_sections, first occurrence
    // (section index, folded key name) -> index in that section's lines, first occurrence.
    // One table for all sections keeps a file of many small sections small in memory.
    QHash<std::pair<size_t, QString>, qsizetype> m_keyIndex;
};

} // namespace common
