// picture: the view written as a Windows bitmap, as "保存图形" writes it.

#include "Commands.h"
#include "ViewOptions.h"

#include "common/cli/CliArgs.h"
#include "viewer/PictureFile.h"

#include <QFileInfo>
#include <QImage>
#include <QJsonObject>

using common::cli::CliCommand;
using namespace brantview;

namespace {

QJsonObject run(const QStringList &args)
{
    const ViewArgs viewArgs = parseViewArgs(args, {{QStringLiteral("out")}});
    const QString out = viewArgs.options.required(QStringLiteral("out"));
    CliView view = loadView(viewArgs);

    QImage image = viewImage(view);
    {
        ViewCanvas canvas(image, view.dpi);
        drawView(view, canvas);
    }
    SavePicture(out, image);
    return QJsonObject{
        {QStringLiteral("out"), out},
        {QStringLiteral("bytes"), QFileInfo(out).size()},
        {QStringLiteral("width"), image.width()},
        {QStringLiteral("height"), image.height()},
    };
}

} // namespace

CliCommand pictureCommand()
{
    return {QStringLiteral("picture"), QStringLiteral("the view saved as a bitmap, as \"保存图形\" saves it"),
            QStringLiteral("Usage: brantview-cli picture ") + viewOptionsUsage()
                + QStringLiteral("\n         --out BMP\n") + viewOptionsHelp()
                + QStringLiteral("Writes the picture to BMP as a 24-bit Windows bitmap, replacing the file only\n"
                                 "once it is written whole. Prints out, bytes (the file's size), width and height\n"
                                 "in pixels.\n"),
            run};
}
