// mark: one review session as the viewer runs it: open, mark at a mileage post, leave.

#include "CliRecording.h"
#include "Commands.h"

#include "common/cli/CliArgs.h"
#include "recording/OpenRecording.h"
#include "recording/ParamsInEffect.h"
#include "recording/RecordingErrors.h"

using common::cli::CliArgs;
using common::cli::CliCommand;
using common::cli::UsageError;
using common::cli::parseInt;
using namespace brantview;

namespace {

QDateTime timeOption(const QString &name, const QString &text)
{
    const QDateTime time = QDateTime::fromString(text, Qt::ISODate);
    if (!time.isValid())
        throw UsageError(QStringLiteral("--%1: '%2' is no ISO date and time (2026-12-10T09:05:07)").arg(name, text));
    return time;
}

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("post")},
                                 {QStringLiteral("kind"), true, true},
                                 {QStringLiteral("operator")},
                                 {QStringLiteral("now")},
                                 {QStringLiteral("opened")},
                                 {QStringLiteral("view-start")}});
    const QString path = options.file();
    const int post = options.requiredInt(QStringLiteral("post"));
    std::vector<int> kinds;
    for (const QString &text : options.values(QStringLiteral("kind"))) {
        const int kind = parseInt(QStringLiteral("--kind"), text);
        if (kind < ReviewMarkKind::Read || kind > ReviewMarkKind::Watch4)
            throw UsageError(QStringLiteral("--kind: %1 is outside 1 to 8").arg(kind));
        kinds.push_back(kind);
    }
    if (kinds.empty())
        throw UsageError(QStringLiteral("missing option --kind"));
    const QString name = options.required(QStringLiteral("operator"));
    const QDateTime now = timeOption(QStringLiteral("now"), options.required(QStringLiteral("now")));
    const QDateTime opened = options.value(QStringLiteral("opened"))
        ? timeOption(QStringLiteral("opened"), *options.value(QStringLiteral("opened")))
        : now;

    RecordingSlots panes;
    OpenRecordingHooks hooks;
    hooks.chooseFile = [&] { return path; };
    hooks.askOperatorName = [&] { return name; };
    hooks.now = [&] { return opened; };
    OpenRecording(panes, 0, hooks);
    RecordingSlot &slot = panes.Slots[0];
    if (!slot.isStream())
        throw BrantFileError(QStringLiteral("%1 是A超记录，不是B超记录").arg(path));
    if (post < 0 || size_t(post) >= slot.MileageTable.size())
        throw UsageError(QStringLiteral("--post: %1 is outside 0 to %2").arg(post).arg(qint64(slot.MileageTable.size()) - 1));

    slot.CurrentPost = MileagePost::of(slot.MileageTable[size_t(post)]);
    slot.ViewStart = options.value(QStringLiteral("view-start"))
        ? positionOption(QStringLiteral("view-start"), *options.value(QStringLiteral("view-start")))
        : slot.CurrentPost.position;
    TakeParamsInEffect(slot);

    QJsonArray refused;
    for (const int kind : kinds)
        if (!AddReviewMark(slot, kind, now, hooks.askOperatorName))
            refused.append(kind);
    FinishReviewMarks(slot, now, hooks.askOperatorName);

    return QJsonObject{
        {QStringLiteral("file"), slot.FileName},
        {QStringLiteral("created"), slot.FileName != path},
        {QStringLiteral("caption"), streamCaption(slot)},
        {QStringLiteral("ReplayerName"), replayerNameText(slot.ReplayerName)},
        {QStringLiteral("ReviewMarks"), jsonReviewMarks(slot.ReviewMarks)},
        {QStringLiteral("refused"), refused},
    };
}

} // namespace

CliCommand markCommand()
{
    return {QStringLiteral("mark"),
            QStringLiteral("set review marks at a mileage post and save them as the viewer does"),
            QStringLiteral("Usage: brantview-cli mark FILE --post N --kind K [--kind K ...] --operator NAME --now TIME\n"
                           "                         [--opened TIME] [--view-start P]\n"
                           "Opens FILE (adding the browse-start mark), takes mileage entry N as the current post,\n"
                           "the parameters in effect at P (default: the post's position), adds a review mark of\n"
                           "each kind K (1 阅, 2 怀疑, 3 鱼鳞纹始点, 4 鱼鳞纹终点, 5..8 关注1..4) made at TIME and\n"
                           "saves it, then closes as leaving the viewer does (browse-end mark). The first saving\n"
                           "of a file without review marks writes a reviewed copy beside it, named with NAME and\n"
                           "the opening time (--opened, default --now); later ones update that copy in place.\n"
                           "TIME is ISO 8601: 2026-12-10T09:05:07. A post holding two marks refuses more.\n"),
            run};
}
