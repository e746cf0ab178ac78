#include "BenchFiles.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>

namespace bench {

SampleFile::SampleFile(const QString &name, const QByteArray &bytes)
{
    m_path = m_dir.filePath(name);
    QFile file(m_path);
    if (!m_dir.isValid() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write the sample file %s\n", qPrintable(m_path));
        std::exit(1);
    }
    m_size = bytes.size();
}

qint64 residentBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
    return 0;
}

void readIntoReusedBuffer(benchmark::State &state, const SampleFile &sample)
{
    QByteArray buffer(sample.size(), Qt::Uninitialized);
    for (auto _ : state) {
        QFile file(sample.path());
        if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered) || file.read(buffer.data(), buffer.size()) != buffer.size()) {
            state.SkipWithError("cannot read the sample file");
            break;
        }
        benchmark::DoNotOptimize(buffer.constData());
    }
    state.SetBytesProcessed(state.iterations() * sample.size());
    state.counters["file_MB"] = double(sample.size()) / (1 << 20);
}

void readIntoFreshBuffer(benchmark::State &state, const SampleFile &sample)
{
    for (auto _ : state) {
        QFile file(sample.path());
        if (!file.open(QIODevice::ReadOnly)) {
            state.SkipWithError("cannot open the sample file");
            break;
        }
        const QByteArray bytes = file.readAll();
        benchmark::DoNotOptimize(bytes.constData());
    }
    state.SetBytesProcessed(state.iterations() * sample.size());
    state.counters["file_MB"] = double(sample.size()) / (1 << 20);
}

} // namespace bench
