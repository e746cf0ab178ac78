#pragma once
// Rewriting the end of a file in place, for files that cannot be replaced by a new
// one (a folder where no new file can be made, a file with several hard links).
// Before the new bytes are written, the old ones from the same offset are kept in
// a small recovery file; it is removed once the new bytes are on disk. A write cut
// short by a crash or a full disk is undone by restoreInterruptedTail, which the
// readers of such files call before they read.
//
// The recovery file lies beside the file (".~1a2b3c4d.rcv") when the folder takes
// new files, otherwise in the user's data folder (rail-replay/recovery/).

#include <QByteArray>
#include <QFile>
#include <QString>

#include "platform/FileSystem.h"

namespace common {

class TailRewrite {
public:
    // Opens the file for reading and writing and takes its lock, waiting up to
    // `lockTimeoutMs` for another writer; throws FileError when either fails.
    explicit TailRewrite(const QString &path, int lockTimeoutMs = 10000);

    // The file as it is now, for the caller's checks under the lock.
    QFile &file() { return m_file; }

    // Replaces everything from `offset` to the end with `tail`.
    void write(qint64 offset, const QByteArray &tail);

private:
    [[noreturn]] void fail(const QString &format, const QString &reason) const;

    QString m_path;
    QFile m_file;
    platform::FileLock m_lock;
};

// Whether a new file can take the place of `path`: its folder takes new files and
// no other name shares its data.
bool canReplace(const QString &path);

// Undoes a rewrite of `path` that did not finish; true when it did so. A rewrite
// that finished only left its recovery file, which goes. Throws FileError when
// the old bytes cannot be put back.
bool restoreInterruptedTail(const QString &path);

} // namespace common
