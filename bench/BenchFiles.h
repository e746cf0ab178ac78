#pragma once
// What the loading benchmarks share: a sample file written once to a temporary
// folder, the process's resident memory, and the two baselines of reading the
// file from the page cache (into a reused buffer, and into fresh memory).

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace bench {

class SampleFile {
public:
    // Exits the benchmark program when the file cannot be written.
    SampleFile(const QString &name, const QByteArray &bytes);

    const QString &path() const { return m_path; }
    qint64 size() const { return m_size; }

private:
    QTemporaryDir m_dir;
    QString m_path;
    qint64 m_size = 0;
};

// Resident set of this process in bytes, 0 where /proc is not there.
qint64 residentBytes();

// The file read whole into a buffer made once: no fresh pages to fault in.
void readIntoReusedBuffer(benchmark::State &state, const SampleFile &file);
// The file read whole into fresh memory each time.
void readIntoFreshBuffer(benchmark::State &state, const SampleFile &file);

} // namespace bench
