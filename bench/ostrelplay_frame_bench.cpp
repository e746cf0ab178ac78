// One B-scan frame of a dense recording at 1600 x 500 with a 3000 mm window,
// beside a plain fill of an image of the same size (the baseline).

#include "recording/STDDataOperation.h"
#include "recording/StdFileImage.h"
#include "rendering/BScanRenderer.h"
#include "workspace/DisplaySetup.h"
#include "workspace/PlayerSettings.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kPaneWidth = 1600;
constexpr int kPaneHeight = 500;
constexpr int kRows = 20000;

// Every row carries an echo on each of the nine channels, a lost wave every
// tenth row, and mileage and speed once a metre.
QByteArray denseRecording()
{
    SubFileImage sub;
    sub.setVersion(QStringLiteral("1.7.X"));
    sub.para.m_RailType = 2;
    sub.para.m_Date = 20240312;
    sub.para.m_Time = 93005;
    for (int ch = 0; ch < 9; ++ch) {
        sub.para.m_Range[ch] = 250.0f;
        sub.para.m_StartPoint[ch] = 200 + 150 * ch;
    }
    for (int row = 0; row < kRows; ++row) {
        std::vector<TPACKET> echoes;
        for (int ch = 0; ch < 9; ++ch) {
            const int16_t start = int16_t(40 + (row * 7 + ch * 31) % 120);
            echoes.push_back(makePacket(char16_t(u'0' + ch), start, int16_t(start + 4)));
        }
        if (row % 10 == 0)
            echoes.push_back(makePacket(u'9'));
        std::vector<TPACKET> records;
        if (row % 500 == 0) {
            records.push_back(makePacket(u'M', 120, int16_t(row / 500)));
            records.push_back(makePacket(u'O', 600, 570));
        }
        sub.addRow(echoes, records);
    }
    StdFileImage image;
    image.subFiles.push_back(std::move(sub));
    return image.build();
}

class DenseFrame {
public:
    DenseFrame() : file(&settings)
    {
        const QString path = dir.filePath(QStringLiteral("dense.std"));
        QFile out(path);
        const QByteArray bytes = denseRecording();
        if (!dir.isValid() || !out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot write the dense recording\n");
            std::exit(1);
        }
        out.close();
        file.LoadStdFile(path);
        applyOpenFileDisplay(file, frame, settings.display);
    }

    QTemporaryDir dir;
    PlayerSettings settings;
    mystdfile file;
    StdFrame frame;
};

DenseFrame &dense()
{
    static DenseFrame frame;
    return frame;
}

void BM_PlainFill(benchmark::State &state)
{
    QImage image(kPaneWidth, kPaneHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(QColor(1, 78, 106));
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PlainFill)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_DrawBitMap(benchmark::State &state)
{
    const mystdfile &file = dense().file;
    StdFrame &frame = dense().frame;
    int row = 2000;
    size_t lines = 0;
    for (auto _ : state) {
        frame.DrawBitMap(file, kPaneWidth, kPaneHeight, 734, 311, row);
        row = row < kRows - 2000 ? row + 7 : 2000;
        for (const auto &list : frame.BScanLists.lines)
            lines += list.size();
    }
    state.counters["lines_per_frame"] = double(lines) / double(state.iterations());
}
BENCHMARK(BM_DrawBitMap)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
