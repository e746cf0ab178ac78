// find-mileage: the searches of "位置查找", pressing "查找" again and again.

#include "CliRecording.h"
#include "Commands.h"

#include "analysis/MileageFind.h"

#include "common/cli/CliArgs.h"

using common::cli::CliArgs;
using common::cli::CliCommand;
using common::cli::UsageError;
using namespace brantview;

namespace {

// An entry refused as the window refuses it.
QString checkedEntry(const CliArgs &options, const QString &name, QString (*error)(const QString &))
{
    const QString text = options.required(name);
    const QString message = error(text);
    if (!message.isEmpty())
        throw UsageError(QStringLiteral("--%1: %2").arg(name, message.trimmed()));
    return text;
}

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("km")}, {QStringLiteral("m")}, {QStringLiteral("count")}});
    const QString path = options.file();
    const int km = MileageEntryValue(checkedEntry(options, QStringLiteral("km"), KilometresEntryError));
    const int m = MileageEntryValue(checkedEntry(options, QStringLiteral("m"), MetresEntryError));
    const int count = options.optionalInt(QStringLiteral("count")).value_or(1);
    if (count < 1)
        throw UsageError(QStringLiteral("--count: %1 is below 1").arg(count));

    const RecordingSlot slot = loadStream(path);
    const int64_t target = MileageTarget(km, m);
    int cursor = 0;
    QJsonArray searches;
    for (int k = 0; k < count; ++k) {
        const MileageFindStep step = FindMileage(slot, target, cursor);
        cursor = step.cursor;
        QJsonObject search{{QStringLiteral("cursor"), cursor}};
        switch (step.outcome) {
        case MileageFindStep::Outcome::Found: search.insert(QStringLiteral("ViewStart"), step.viewStart); break;
        case MileageFindStep::Outcome::End: search.insert(QStringLiteral("message"), MileageFindEndMessage()); break;
        case MileageFindStep::Outcome::Nothing: search.insert(QStringLiteral("message"), QString()); break;
        }
        searches.append(search);
    }
    return {
        {QStringLiteral("file"), path},
        {QStringLiteral("km"), km},
        {QStringLiteral("m"), m},
        {QStringLiteral("target"), qint64(target)},
        {QStringLiteral("samples"), qint64(slot.MileageTable.size())},
        {QStringLiteral("searches"), searches},
    };
}

} // namespace

CliCommand findMileageCommand()
{
    return {
        QStringLiteral("find-mileage"),
        QStringLiteral("the places a mileage is passed, as \"查找\" of \"位置查找\" finds them one after the other"),
        QStringLiteral("Usage: brantview-cli find-mileage FILE --km K --m M [--count N]\n"
                       "Searches FILE N times (default 1) for K kilometres + M metres (K 0..2500, M 0..999,\n"
                       "numbers as the window takes them, rounded to whole ones) between successive mileage\n"
                       "samples, each search going on after the last hit, the first from sample 0. Prints per\n"
                       "search the ViewStart the view moves to (position of the sample − 200) or the message\n"
                       "\" 查找结束\" (then the next search starts again from sample 0), and the cursor after it.\n"
                       "With two samples or fewer nothing happens: the message is empty.\n"),
        run};
}
