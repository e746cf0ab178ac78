#pragma once
// The list format of the settings files ("parm.dat", "MoveArray.txt") as the BASIC
// statements "Write #" write it and "Input #" read it back: one record a line, fields
// separated by commas, strings in double quotes, Booleans as #TRUE# and #FALSE#,
// numbers in invariant decimal notation, an empty field as nothing between commas.
//
// The reader does not guess: a field that is none of these comes back Malformed with
// the reason, so that the caller can name the line and field that are wrong.

#include <QString>

#include <cstdint>
#include <optional>

namespace brantview {

// What reading a settings file found: a missing file gives defaults, a damaged one is
// reported and left alone on disk until the user changes what it holds.
enum class ListFileState { Loaded, Missing, Damaged };

struct ListField {
    enum class Kind : uint8_t { Empty, Number, String, Boolean, Malformed };
    Kind kind = Kind::Empty;
    // Number: the number as written; String: the text between the quotes;
    // Malformed: why the field cannot be read.
    QString text;
    bool boolean = false;
};

// The value of a Number field; nothing for other kinds and for values beyond the type.
// A fraction in an integer field is rounded to the nearest integer, halves to even.
std::optional<int64_t> integerValue(const ListField &field);
std::optional<float> singleValue(const ListField &field);

// The field as a message quotes it.
QString describeField(const ListField &field);

// Goes through a list file's text line by line, and through each line field by field.
class ListReader {
public:
    explicit ListReader(QString text);

    // Moves to the next line; false when no line is left. A line end at the end of the
    // text starts no further line.
    bool nextLine();
    // 1-based, of the current line.
    qsizetype lineNumber() const { return m_lineNumber; }
    // No field left on the current line. A line of blanks holds no field; a line that
    // ends in a comma holds an empty field after it.
    bool atLineEnd() const { return m_pos < 0; }
    // The next field of the current line; only while !atLineEnd().
    ListField nextField();
    // 1-based, of the field nextField returned last.
    int fieldNumber() const { return m_fieldNumber; }

private:
    qsizetype findInLine(char16_t c, qsizetype from) const;

    QString m_text;
    qsizetype m_next = 0;     // start of the line after the current one
    qsizetype m_lineEnd = 0;  // end of the current line, its line-end characters left out
    qsizetype m_pos = -1;     // start of the next field, or -1 at the end of the line
    qsizetype m_lineNumber = 0;
    int m_fieldNumber = 0;
};

// Builds the text of a list file, field by field and line by line.
class ListWriter {
public:
    void integer(int64_t value);
    // The shortest decimal text that reads back as the same value.
    void single(float value);
    void boolean(bool value);
    // The format has no escapes: a double quote in the text is written as a single
    // quote and a line break as a space, so that the line always reads back.
    void string(const QString &value);
    void empty();
    void endLine();

    const QString &text() const { return m_text; }

private:
    void startField();

    QString m_text;
    bool m_lineHasField = false;
};

// Replaces the file with the text in UTF-8 in one step; a failure leaves the old file as
// it was and throws BrantFileError naming the file and the reason.
void writeListFile(const QString &path, const QString &text);

} // namespace brantview
