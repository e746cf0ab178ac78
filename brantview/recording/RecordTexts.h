#pragma once
// The texts of coded values the instrument stores: rail side, reference end, line
// kind, rail type, track or line number.

#include <QString>

namespace brantview {

// 1 "右股钢轨", 0 "左股钢轨", anything else "错误数据".
QString railSideText(int code);
// 0 "距顺端", 1 "据逆端", 255 "(自录数据)", anything else "错误数据".
QString referenceEndText(int code);
// 0..3 "43轨", "50轨", "60轨", "75轨"; empty otherwise.
QString railTypeText(int code);
// 0..5 "站线", "下行"/"上行", "上行"/"下行", "联线", "单线", "其它": kinds 1 and 2 name
// the first word above firmware 703, the second otherwise. Empty for other codes.
QString lineKindText(int kind, int firmwareVersion);
// The number followed by "号股" on a station track (line kind 0), "号线" otherwise.
QString trackOrLineText(int number, int lineKind);

} // namespace brantview
