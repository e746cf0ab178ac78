#include "RecordingJson.h"

#include "common/cli/CliJson.h"

QJsonArray jsonGainSet(const TGainSet &set)
{
    QJsonArray array;
    for (const auto &railType : set)
        for (const float offset : railType)
            array.append(common::cli::jsonFloat(offset));
    return array;
}
