#include "PlaybackRules.h"

bool isEmptyRow(const mystdfile &file, int row)
{
    const StdFormat::RowPackets packets = file.rowPackets(row);
    return packets.valid() && file.std_packet[size_t(packets.head)].m_Data1 == 0;
}

int skipEmptyRowsForward(const mystdfile &file, int position, int maximum, const std::atomic<bool> *keepGoing)
{
    while (position < maximum && isEmptyRow(file, position) && (keepGoing == nullptr || keepGoing->load()))
        ++position;
    return position;
}

int skipEmptyRowsBackward(const mystdfile &file, int position, int minimum)
{
    while (position > minimum && isEmptyRow(file, position))
        --position;
    return position;
}

Advance workerAdvance(const mystdfile &file, int position, int maximum, const PlaySettings &play,
                      const std::atomic<bool> *playing)
{
    if (!play.smartPlay)
        return {position + play.speed, 0};
    const int skipped = skipEmptyRowsForward(file, position, maximum, playing);
    if (play.smartplayMode != 0)
        return {skipped + play.speed, 0};
    return {skipped + play.bShowWidth / 6, play.smartplayTime};
}

int stepForward(const mystdfile &file, int position, int maximum, bool smartPlay, int windowWidth)
{
    if (smartPlay)
        position = skipEmptyRowsForward(file, position, maximum);
    return position + windowWidth / 4;
}

int stepBack(const mystdfile &file, int position, int minimum, bool smartPlay, bool syncPlay, int windowWidth)
{
    // Without sync the skip is left out at the very start and in the rows kept back
    // at the end of a sub-file.
    const bool skip = smartPlay
        && (syncPlay || (position > 0 && position < file.std_scandataindex.m_PacketIndexCount - 5));
    if (skip)
        position = skipEmptyRowsBackward(file, position, minimum);
    return position - windowWidth / 4;
}

SubFileChange subFileChangeAt(int position, int minimum, int maximum, int currentSubFile, int subFileCount)
{
    if (position == maximum && currentSubFile < subFileCount - 1)
        return SubFileChange::Next;
    if (position == minimum && currentSubFile > 0)
        return SubFileChange::Previous;
    return SubFileChange::None;
}
