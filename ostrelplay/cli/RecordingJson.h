#pragma once
// JSON values of recording data that only Ostrelplay's recordings hold.

#include "recording/STDDataOperation.h"

#include <QJsonArray>

// The 36 offsets of a gain set, rail type major.
QJsonArray jsonGainSet(const TGainSet &set);
