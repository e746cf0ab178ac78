#pragma once
// What "Word报告" asks of its surroundings, replaceable where no user answers: the
// message boxes, showing the written document, and the folders the A-scan report
// may go into.

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

struct WordReportHooks {
    std::function<void(QMessageBox::Icon icon, const QString &message)> tell;
    std::function<void(const QString &path)> open;  // throws OfficeError when it cannot
    std::function<QString()> programDir;
    std::function<QString()> documentsDir;
};

// Message boxes over `parent`, the desktop's default application, the executable's
// folder and the user's documents folder.
WordReportHooks wordReportDefaults(QWidget *parent);
