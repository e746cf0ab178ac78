// "保存图形" through its dialogs: the ".bmp" added to a bare name, no question for a
// new file, the warning question before a non-empty one, whose No keeps the file.

#include "PictureCommands.h"

#include "viewer/PictureFile.h"

#include "TestFiles.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

#include <gtest/gtest.h>

using namespace brantview;

namespace {

// Handles the next modal dialog of type Dialog once it shows; the dialogs run their
// own event loops.
template <typename Dialog>
void whenShown(std::function<void(Dialog *)> handle)
{
    auto *poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, handle] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        // Only once the dialog's own event loop runs: a dialog closed while it is
        // still being shown would leave its exec() waiting for ever.
        if (!dialog || !dialog->isVisible() || QThread::currentThread()->loopLevel() < 1)
            return;
        poll->stop();
        poll->deleteLater();
        handle(dialog);
    });
    poll->start();
}

void chooseFile(const QString &name, QString *title = nullptr)
{
    whenShown<QFileDialog>([name, title](QFileDialog *dialog) {
        if (title)
            *title = dialog->windowTitle();
        dialog->selectFile(name);
        static_cast<QDialog *>(dialog)->accept();  // as the "Save" button does
    });
}

QImage picture()
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(qRgb(255, 255, 255));
    image.setPixel(3, 4, qRgb(0, 0, 0));
    return image;
}

TEST(PictureCommands, ABareNameBecomesABitmapWithoutAQuestion)
{
    TestFiles::TestDir dir;
    QWidget window;
    QString title;
    chooseFile(dir.path("view"), &title);
    savePicture(&window, picture());
    EXPECT_EQ(title, QStringLiteral("Save"));
    EXPECT_EQ(QImage(dir.path("view.bmp"), "BMP").convertToFormat(QImage::Format_RGB32), picture());
}

TEST(PictureCommands, OnlyANonEmptyFileIsAskedForAndReplacedOnlyOnYes)
{
    TestFiles::TestDir dir;
    const QByteArray old("an older picture");
    const QString full = dir.write("old.bmp", old);
    const QString empty = dir.write("empty.bmp", QByteArray());
    QWidget window;
    for (const bool yes : {false, true}) {
        int asked = 0;
        const PictureQuestions ask{[&](QWidget *) { return full; }, [&](QWidget *) { return ++asked, yes; }};
        savePicture(&window, picture(), ask);
        EXPECT_EQ(asked, 1);
        if (!yes)
            EXPECT_EQ(TestFiles::readBytes(full), old);
        else
            EXPECT_EQ(QImage(full, "BMP").convertToFormat(QImage::Format_RGB32), picture());
    }
    int asked = 0;
    savePicture(&window, picture(), {[&](QWidget *) { return empty; }, [&](QWidget *) { return ++asked, false; }});
    EXPECT_EQ(asked, 0) << "an empty file is written without a question";
    EXPECT_EQ(QImage(empty, "BMP").convertToFormat(QImage::Format_RGB32), picture());
}

TEST(PictureCommands, TheOverwriteQuestionIsAWarningWithYesAndNo)
{
    QWidget window;
    QString question;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenShown<QMessageBox>([&](QMessageBox *box) {
        question = box->text();
        icon = box->icon();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_FALSE(pictureDialogs().replaceNonEmptyFile(&window));
    EXPECT_EQ(question, OverwriteQuestionText);
    EXPECT_EQ(icon, QMessageBox::Warning);
}

TEST(PictureCommands, PageSetupIsTitledAndACancelChangesNothing)
{
    QWidget window;
    QString title;
    whenShown<QPageSetupDialog>([&title](QPageSetupDialog *dialog) {
        title = dialog->windowTitle();
        dialog->reject();
    });
    pageSetup(&window);
    EXPECT_EQ(title, QStringLiteral("Page Setup"));
}

// The preview draws the picture once in points to learn its size, then for the page.
TEST(PictureCommands, ThePreviewDrawsThePictureForThePage)
{
    QWidget window;
    std::vector<double> dpis;
    const PrintRender render = [&dpis](QImage &image, double dpi) {
        dpis.push_back(dpi);
        image = QImage(int(1000 * dpi / 72), int(500 * dpi / 72), QImage::Format_RGB32);
        image.fill(qRgb(255, 255, 255));
    };
    whenShown<QPrintPreviewDialog>([](QPrintPreviewDialog *dialog) { dialog->reject(); });
    printPicture(&window, render);
    ASSERT_GE(dpis.size(), 2u);
    EXPECT_EQ(dpis[0], 72);
    EXPECT_GT(dpis[1], 0);
    EXPECT_LE(dpis[1], 300);  // finer would only cost memory
}

} // namespace
