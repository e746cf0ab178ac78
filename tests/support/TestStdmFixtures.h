#pragma once
// Recording-video records built in code: a flat trace on a chosen channel and gates.

#include "TestStdFixtures.h"
#include "recording/StdmFile.h"

#include <memory>

namespace StdTest {

struct StdmRecord {
    TRECORDDATAINDEX index{};
    TSYSTEMPARA para{};
    std::unique_ptr<TMOVIEDATA> movie = std::make_unique<TMOVIEDATA>();

    QByteArray image() const { return stdmRecordImage(index, para, *movie); }
};

// A record of channel ch on rail type 1 whose traces lie flat on the base line.
inline StdmRecord flatRecord(int ch, const QString &version = QStringLiteral("1.7.X"))
{
    StdmRecord record;
    record.para = StdTest::minimalPara(version);
    record.para.m_AutoAmpl = int8_t(ch);
    record.para.m_RailType = 1;
    for (TSTDMFRAME &frame : record.movie->m_Frames)
        for (int32_t &row : frame.m_Trace)
            row = 399;
    return record;
}

inline void setGates(TSYSTEMPARA &para, int ch, int start1, int width1, int start2, int width2, int start3, int width3)
{
    para.m_Gate1Start[1][ch] = start1;
    para.m_Gate1Width[1][ch] = width1;
    para.m_Gate2Start[1][ch] = start2;
    para.m_Gate2Width[1][ch] = width2;
    para.m_Gate3Start[1][ch] = start3;
    para.m_Gate3Width[1][ch] = width3;
}

} // namespace StdTest
