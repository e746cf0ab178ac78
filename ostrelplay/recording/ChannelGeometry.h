#pragma once
// Where an echo lies on the B-scan: band boundaries per rail type and the
// transform from an echo packet to image millimetres.

#include "STDDataStruct.h"

namespace ChannelGeometry {

// Frame lines 0..4 and rail height (5) for a rail type (0..4), normal or with
// the band between lines 1 and 2 collapsed.
TDataHeight bandHeights(int railType, bool collapsed);

// Depth units removed by the collapse: half of band line 1, or 0.
int32_t collapsedDepth(const TDataHeight &bands, bool collapsed);

// Deepest drawn depth of a 70° echo for the rail type.
int32_t depthLimit(int railType, int channel);

// Image coordinates of an echo of `channel` with time-base start/end data1/data2.
// Throws StdDataError when a coordinate does not fit an integer.
TPos echoPosition(int channel, int railType, int data1, int data2, int startPoint, float range);

} // namespace ChannelGeometry
