#pragma once
// Helpers shared by the recording tests: a parameter block the loader accepts,
// files in a private temporary folder, loading, and reading bytes back.

#include "recording/STDDataOperation.h"
#include "recording/StdFileImage.h"
#include "TestFiles.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <array>
#include <ostream>
#include <memory>
#include <span>
#include <vector>

namespace StdTest {

// Version text, 250 mm on every channel, a date and a start time; all else zero.
TSYSTEMPARA minimalPara(const QString &version = QStringLiteral("1.7.X"));
SubFileImage minimalSubFile(const QString &version = QStringLiteral("1.7.X"));

// A short run as the instrument writes it: echoes on changing channels, '@' and '#'
// heads, mileage records every fifth row and a "轻伤" event every seventh, a little
// back data, and a named trailer record with file times. The seed varies the contents.
SubFileImage scanRun(const QString &version, int rows, int seed);

using TestFiles::readBytes;

// A test's private folder that also takes recording images.
class StdFileDir : public TestFiles::TestDir {
public:
    using TestDir::write;
    QString write(const QString &name, const StdFileImage &image) const;
};

// Loads as the main window does: LoadStdFile, then sub-file 0 made current.
std::unique_ptr<mystdfile> loadStd(const QString &path, const RecordingSettings *settings = nullptr);

int32_t int32At(const QByteArray &bytes, qsizetype offset);
void setInt32At(QByteArray &bytes, qsizetype offset, int32_t value);

// Where the counts of a sub-file block start, relative to the block.
qsizetype countsOffset(const TSYSTEMPARA &para);
// Where the trailer starts, from the count in the last 4 bytes.
qsizetype trailerOffset(const QByteArray &bytes);

// Packets and row indexes as plain values, so that failures print readably.
using PacketValues = std::array<int, 3>;
std::vector<PacketValues> packetValues(std::span<const TPACKET> packets);
std::vector<int32_t> indexValues(std::span<const TPacketIndex> index);

} // namespace StdTest
