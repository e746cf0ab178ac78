#pragma once
// The value texts both header forms share: alarm mode, date, serial, position,
// direction, filter, damage, title and the channels a header names.

#include "HeaderLines.h"

#include <QString>
#include <QStringView>

#include <vector>

namespace brantview {

// Headers list the channels "1", "1A", "2", "2A", "3", "4", "5", "6", "6A".
inline constexpr int HeaderChannelOrder[] = {0, 6, 1, 7, 2, 3, 4, 5, 8};

// "1:40dB(1A:38dB)": channel `k` under `label` ("1:"), `second` after its gain, then
// extra channel `extra`'s gain when that one is fitted.
QString gainWithExtra(const HeaderValues &v, const QString &label, int k, int extra, const QString &second = {});
// "(-12dB)" after channel "5" in reflection mode, else empty.
QString reflectionText(const HeaderValues &v);
// "70(一般)", "70(智能)", "70(分别)" by byte 37 bits 0..1; empty for the unused value 3.
QString alarmModeText(const HeaderValues &v);
// "0(穿透)" or "0(反射)".
QString zeroModeText(const HeaderValues &v);
// The recording date through `pattern`; empty when bytes 7..9 make no date.
QString recordDateText(const HeaderValues &v, QStringView pattern);
// "(" + the seven serial characters [+ "左手车"/"右手车" from firmware 700] + ")".
QString serialText(const HeaderValues &v);
// Line kind, "(" line text "),", rail side; for a record of kind 0 also the post,
// rail number, reference end and distance.
QString positionText(const HeaderValues &v);
// Where a selected-point record was taken: kilometre post "公里", rail number "号轨",
// reference end and the distance from it in metres ("##.0").
QString selectedPointText(const HeaderValues &v);
// "里程增加" or "里程减少".
QString directionText(const HeaderValues &v);
// "(70°<n),", "(37°<n),", "(0°<n)", a family left out of the filter as "…忽略".
QString filterText(const BrantSettings &settings);
// One "*" per degree of damage of a selected-point record (none for 0).
QString damageStars(const HeaderValues &v);
// "过滤设置: " with the filter for a full-course record, "伤损程度: " and the stars otherwise.
QString filterOrDamageText(const HeaderValues &v, const BrantSettings &settings);
QString titleText(const HeaderValues &v);
// The line of the replayer, the work number, serial, alarm mode, date and firmware.
QString operatorLine(const HeaderValues &v);
// The channels a header names, in header order: extra channels only when fitted,
// channels without a name left out.
std::vector<int> namedChannels(const HeaderValues &v);
// The channel line of the full header.
HeaderLine channelLine(const HeaderValues &v);

}  // namespace brantview
