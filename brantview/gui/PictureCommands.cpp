#include "PictureCommands.h"

#include "recording/RecordingErrors.h"
#include "viewer/PictureFile.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <algorithm>

namespace brantview {

namespace {

// A picture drawn for the page at no more than this resolution: finer adds memory,
// not detail, to a view drawn in points.
constexpr double MaxPrintDpi = 300;
constexpr double PointsPerInch = 72;

// The window's printer, made on first use and gone with the window.
class WindowPrinter : public QObject {
public:
    explicit WindowPrinter(QObject *owner) : QObject(owner), printer(QPrinter::HighResolution)
    {
        // The view is much wider than high.
        printer.setPageOrientation(QPageLayout::Landscape);
    }
    QPrinter printer;
};

QObject *ownerOf(QWidget *parent)
{
    if (parent)
        return parent->window();
    return QCoreApplication::instance();
}

QPrinter &printerOf(QWidget *parent)
{
    QObject *owner = ownerOf(parent);
    for (QObject *child : owner->children())
        if (auto *held = dynamic_cast<WindowPrinter *>(child))
            return held->printer;
    return (new WindowPrinter(owner))->printer;
}

QString titleOf(QWidget *parent)
{
    return parent ? parent->window()->windowTitle() : QString();
}

// The print picture scaled to fill the page, keeping its proportions.
void paintPage(QPrinter &printer, const PrintRender &render)
{
    QImage sizing;
    render(sizing, PointsPerInch);  // one pixel a point: the picture's size in points
    if (sizing.isNull())
        return;
    QPainter painter(&printer);
    const QRect page = painter.viewport();
    const double pixelsPerPoint =
        std::min(double(page.width()) / sizing.width(), double(page.height()) / sizing.height());
    QImage picture;
    render(picture, std::min(pixelsPerPoint * PointsPerInch, MaxPrintDpi));
    const QSizeF placed(sizing.width() * pixelsPerPoint, sizing.height() * pixelsPerPoint);
    painter.drawImage(QRectF(QPointF(page.left(), page.top()), placed), picture);
}

} // namespace

PictureQuestions pictureDialogs()
{
    PictureQuestions ask;
    ask.fileName = [](QWidget *parent) {
        QFileDialog dialog(parent, QStringLiteral("Save"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilter(QStringLiteral("All Files (*.bmp)"));
        dialog.setDefaultSuffix(QStringLiteral("bmp"));
        // The question is ours, and only for a file that holds something.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().first();
    };
    ask.replaceNonEmptyFile = [](QWidget *parent) {
        return QMessageBox::warning(parent, titleOf(parent), OverwriteQuestionText,
                                    QMessageBox::Yes | QMessageBox::No)
            == QMessageBox::Yes;
    };
    return ask;
}

void savePicture(QWidget *parent, const QImage &picture, const PictureQuestions &ask)
{
    const QString path = ask.fileName(parent);
    if (path.isEmpty())
        return;
    if (PictureTargetOf(path) == PictureTarget::NonEmpty && !ask.replaceNonEmptyFile(parent))
        return;
    try {
        SavePicture(path, picture);
    } catch (const BrantFileError &e) {
        QMessageBox::warning(parent, titleOf(parent), e.text());
    }
}

void printPicture(QWidget *parent, const PrintRender &render)
{
    QPrintPreviewDialog preview(&printerOf(parent), parent);
    preview.setWindowTitle(QStringLiteral("打印图形"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&render](QPrinter *printer) { paintPage(*printer, render); });
    preview.exec();
}

void pageSetup(QWidget *parent)
{
    QPageSetupDialog dialog(&printerOf(parent), parent);
    dialog.setWindowTitle(QStringLiteral("Page Setup"));
    dialog.exec();
}

} // namespace brantview
