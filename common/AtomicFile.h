#pragma once
// A file replaced as a whole: the bytes go to a temporary file beside it, which
// takes the file's place only when everything was written, flushed and synced.
// On any failure the file stays exactly as it was and FileError is thrown with
// the path and the system's reason.
//
// Writers of one file take turns: each holds a lock beside the file from start to
// commit. The temporary and lock files have short names derived from the file's
// (".~1a2b3c4d-XXXXXX.tmp", ".~1a2b3c4d.lck"), so any name the file system takes
// can be written; a temporary file left by a writer that died is removed by the next.
// The new file keeps the mode, group and (where permitted) owner of the old one.

#include <QByteArray>
#include <QFile>
#include <QLockFile>
#include <QString>

#include <memory>

namespace common {

class AtomicFile {
public:
    // Takes the lock (waiting up to `lockTimeoutMs` for another writer) and starts
    // the temporary file; throws FileError when the folder takes no new file or the
    // other writer does not finish. QIODevice::Text in `extraMode` writes the
    // platform's line ends.
    explicit AtomicFile(const QString &path, QIODevice::OpenMode extraMode = {}, int lockTimeoutMs = 10000);
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;
    ~AtomicFile();

    const QString &path() const { return m_path; }
    // For writers that stream into a device; they must check their writes.
    QIODevice &device() { return m_temp; }

    void write(const char *data, qint64 size);
    void write(const QByteArray &bytes) { write(bytes.constData(), bytes.size()); }

    // For libraries that write a file by its name: closes the temporary file and
    // names it. The library may replace it; commit() takes whatever stands there.
    QString pathForWriter();

    // Puts the new content in place. Without a commit the file is left as it was.
    void commit();

private:
    [[noreturn]] void fail(const QString &format, const QString &reason) const;

    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    QString m_tempPath;
    QFile m_temp;
    QIODevice::OpenMode m_mode;
    bool m_committed = false;
};

// The whole content written at once through an AtomicFile.
void writeFileAtomically(const QString &path, const QByteArray &bytes, QIODevice::OpenMode extraMode = {});

// Copies the next `size` bytes of `source` into `out`, in pieces; throws FileError
// naming `sourcePath` when the source ends early or cannot be read.
void copyInto(AtomicFile &out, QIODevice &source, const QString &sourcePath, qint64 size);

// The short tag the helper files of `path` are named by: eight hex digits of its name.
QString fileTag(const QString &path);

} // namespace common
