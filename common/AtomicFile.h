#pragma once
// A file replaced as a whole: the bytes go to a temporary file beside it, which
// takes the file's place only when everything was written, flushed and synced.
// On any failure the file stays exactly as it was and FileError is thrown with
// the path and the system's reason.

#include <QByteArray>
#include <QSaveFile>
#include <QString>

namespace common {

class AtomicFile {
public:
    // Starts the temporary file; throws FileError when the folder takes no new file.
    // QIODevice::Text in `extraMode` writes the platform's line ends.
    explicit AtomicFile(const QString &path, QIODevice::OpenMode extraMode = {});
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    const QString &path() const { return m_path; }
    // For writers that stream into a device; they must check their writes.
    QIODevice &device() { return m_file; }

    void write(const char *data, qint64 size);
    void write(const QByteArray &bytes) { write(bytes.constData(), bytes.size()); }

    // Puts the new content in place. Without a commit the file is left as it was.
    void commit();

private:
    [[noreturn]] void fail(const QString &format) const;

    QString m_path;
    QSaveFile m_file;
};

// The whole content written at once through an AtomicFile.
void writeFileAtomically(const QString &path, const QByteArray &bytes, QIODevice::OpenMode extraMode = {});

} // namespace common
