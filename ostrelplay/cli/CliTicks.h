#pragma once
// A list option naming the ticked boxes of a filter window: "--kinds 0,1,15".

#include "common/cli/CliArgs.h"

#include <QJsonArray>
#include <QString>

#include <array>
#include <cstddef>
#include <optional>

// The boxes named by comma-separated indices 0..N-1 ("" ticks none); every box
// when the option is absent. Throws UsageError on an index outside the boxes.
template <size_t N>
std::array<bool, N> tickedBoxes(const common::cli::CliArgs &options, const QString &name)
{
    std::array<bool, N> ticks{};
    const std::optional<QString> list = options.value(name);
    if (!list) {
        ticks.fill(true);
        return ticks;
    }
    const QString option = QStringLiteral("--") + name;
    for (const QString &entry : list->split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const int index = common::cli::parseInt(option, entry.trimmed());
        if (index < 0 || index >= int(N))
            throw common::cli::UsageError(QStringLiteral("%1: box %2 does not exist; the boxes are 0 to %3")
                                 .arg(option)
                                 .arg(index)
                                 .arg(N - 1));
        ticks[size_t(index)] = true;
    }
    return ticks;
}

// The indices of the ticked boxes, as the option names them.
template <size_t N>
QJsonArray tickedIndices(const std::array<bool, N> &ticks)
{
    QJsonArray indices;
    for (size_t k = 0; k < N; ++k)
        if (ticks[k])
            indices.append(qint64(k));
    return indices;
}
