#pragma once
// "保存图形", "打印图形" and "Page Set&up..." of the main window: the dialogs around
// the picture file and the printer. The pictures come from the viewer core; the page
// set-up chosen here is the one the next print uses, for as long as the window lives.

#include <QImage>

#include <functional>

class QWidget;

namespace brantview {

// Draws the print picture into `picture`, which it makes, at `dpi` pixels per inch.
using PrintRender = std::function<void(QImage &picture, double dpi)>;

// The questions "保存图形" asks, replaceable where no user answers them.
struct PictureQuestions {
    std::function<QString(QWidget *parent)> fileName;          // empty: cancelled
    std::function<bool(QWidget *parent)> replaceNonEmptyFile;  // "文件已经存在，要覆盖吗？"
};
PictureQuestions pictureDialogs();

// Asks for a bitmap file name and writes `picture` there, asking first before it
// replaces a file that is not empty; a failure is shown as a warning.
void savePicture(QWidget *parent, const QImage &picture, const PictureQuestions &ask = pictureDialogs());

// A print preview of the print picture fitted onto the page, from which it goes to a
// printer or a PDF file.
void printPicture(QWidget *parent, const PrintRender &render);

// The page set-up dialog, titled "Page Setup"; cancelling it changes nothing.
void pageSetup(QWidget *parent);

} // namespace brantview
