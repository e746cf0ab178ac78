#pragma once
// Small streams for the tests, laid out by position: filler columns of 10
// Steps that feed nothing, and records placed into the column closing at a position.

#include "recording/ParamsInEffect.h"
#include "recording/RecordingLoader.h"
#include "recording/StreamWriter.h"

#include "TestFiles.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace streamtest {

using Records = std::vector<std::pair<int, int>>;  // code, data byte

class Track {
public:
    // Filler columns up to `position`.
    Track &to(int position)
    {
        while (m_position < position) {
            const int step = std::min(position - m_position, 10);
            m_writer.record(0, step, 0);
            m_position += step;
        }
        return *this;
    }
    // `records` in the column at `position`, beyond the current one.
    Track &at(int position, const Records &records)
    {
        to(position - 10);
        for (const auto &[code, data] : records)
            m_writer.record(code, 0, data);
        return to(position);
    }
    // Columns of the largest step up to `position`, for long recordings.
    Track &far(int position)
    {
        while (m_position < position) {
            const int step = std::min(position - m_position, 500);
            m_writer.record(0, step, 0);
            m_position += step;
        }
        return *this;
    }
    brantview::StreamWriter &writer() { return m_writer; }
    const QByteArray &bytes() const { return m_writer.bytes(); }

private:
    brantview::StreamWriter m_writer;
    int m_position = 0;
};

// A run of `length` rising data bytes on `code`.
inline Records run(int code, int length, int from = 10)
{
    Records records;
    for (int k = 0; k < length; ++k)
        records.push_back({code, from + k});
    return records;
}

// Loaded as opening it does, its view one scroll unit before the start.
inline brantview::RecordingSlot load(const QByteArray &bytes)
{
    TestFiles::TestDir dir;
    brantview::RecordingSlot slot = brantview::LoadRecordingFile(dir.write(QStringLiteral("QC0001.D01"), bytes), true,
                                                                 QDateTime::currentDateTime());
    brantview::SetInitialView(slot);
    return slot;
}

inline brantview::RecordingSlot load(const Track &track)
{
    return load(track.bytes());
}

} // namespace streamtest
