// render: one redraw of the B-scan view into a PNG, with what it drew as JSON.

#include "Commands.h"
#include "ViewOptions.h"

#include "common/cli/CliArgs.h"
#include "common/cli/CliFiles.h"
#include "common/cli/CliJson.h"
#include "viewer/Redraw.h"

#include <QImage>

using common::cli::CliArgs;
using common::cli::CliCommand;
using namespace brantview;

namespace {

QJsonValue jsonPost(const std::optional<MileagePost> &post)
{
    if (!post)
        return QJsonValue::Null;
    return QJsonArray{post->position, qint64(post->mileageValue())};
}

QJsonObject jsonSlot(const SlotDrawReport &report)
{
    return QJsonObject{
        {QStringLiteral("slot"), report.slot},
        {QStringLiteral("T"), report.T},
        {QStringLiteral("L"), report.L},
        {QStringLiteral("ViewStart"), report.ViewStart},
        {QStringLiteral("CurrentPost"), jsonPost(report.CurrentPost)},
        {QStringLiteral("browseText"), report.browseText},
        {QStringLiteral("dotsPerChannel"), common::cli::jsonInts(report.dotsPerChannel)},
    };
}

void addLists(QJsonObject &result, const ViewCanvas &canvas)
{
    QJsonArray dots;
    for (const DotItem &d : canvas.dots())
        dots.append(QJsonArray{d.x, d.y, colourName(d.colour), d.size});
    QJsonArray texts;
    for (const TextItem &t : canvas.texts())
        texts.append(QJsonArray{t.x, t.y, t.text, colourName(t.colour)});
    result.insert(QStringLiteral("dotList"), dots);
    result.insert(QStringLiteral("textList"), texts);
}

QJsonObject run(const QStringList &args)
{
    const ViewArgs viewArgs = parseViewArgs(args, {{QStringLiteral("out")}, {QStringLiteral("lists"), false}});
    const CliArgs &options = viewArgs.options;
    const QString out = options.required(QStringLiteral("out"));
    CliView view = loadView(viewArgs);

    QImage image = viewImage(view);
    const bool lists = options.has(QStringLiteral("lists"));
    ViewCanvas canvas(image, view.dpi, lists);
    const RedrawReport report = drawView(view, canvas);

    QJsonArray slotList;
    for (const SlotDrawReport &slot : report.slotReports)
        slotList.append(jsonSlot(slot));
    QJsonObject result{
        {QStringLiteral("path"), view.path},
        {QStringLiteral("out"), out},
        {QStringLiteral("R"), report.R},
        {QStringLiteral("slots"), slotList},
        {QStringLiteral("headerLines"), QJsonArray::fromStringList(report.headerLines)},
    };
    if (lists)
        addLists(result, canvas);
    common::cli::writeOutputFiles({{out, common::cli::pngBytes(image, out)}});
    return result;
}

} // namespace

CliCommand renderCommand()
{
    return {QStringLiteral("render"), QStringLiteral("one redraw of the B-scan view into a PNG"),
            QStringLiteral("Usage: brantview-cli render ") + viewOptionsUsage()
                + QStringLiteral("\n         --out PNG [--lists]\n") + viewOptionsHelp()
                + QStringLiteral(
                    "Writes the picture to PNG. Prints R (the width in points), per slot drawn its T, L,\n"
                    "ViewStart, CurrentPost ([position, mileage in 0.1 m] or null), browseText and\n"
                    "dotsPerChannel, and the header lines; with --lists also dotList [x, y, colour, size] and\n"
                    "textList [x, y, text, colour] in points, in drawing order.\n"),
            run};
}
