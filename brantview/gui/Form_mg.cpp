#include "Form_mg.h"

#include "analysis/WorkbookExport.h"
#include "office/Launch.h"
#include "office/OfficeError.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace brantview;

namespace {

template <typename Widget>
Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QCheckBox *checked(QCheckBox *box)
{
    box->setChecked(true);
    return box;
}

} // namespace

Form_mg::Form_mg(int firmwareVersion, QWidget *parent) : QDialog(parent), m_firmwareVersion(firmwareVersion)
{
    setObjectName(QStringLiteral("Form_mg"));
    setWindowTitle(QStringLiteral("管理报告生成"));
    setModal(true);

    Command1 = named(new QPushButton(QStringLiteral("开始")), "Command1");
    Check_detail = checked(named(new QCheckBox(QStringLiteral("流水纪录")), "Check_detail"));
    Check_time = checked(named(new QCheckBox(QStringLiteral("避车详细纪录")), "Check_time"));
    Check_speed = checked(named(new QCheckBox(QStringLiteral("超速详细记录")), "Check_speed"));
    ProgressBar1 = named(new QProgressBar, "ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setMinimumWidth(300);

    auto *checks = new QHBoxLayout;
    checks->addWidget(Check_detail);
    checks->addWidget(Check_time);
    checks->addWidget(Check_speed);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(checks);
    layout->addWidget(ProgressBar1);
    layout->addWidget(Command1, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    askFileName = [this] {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Open"), QString(),
                                            QStringLiteral("管理文件 (MG*.DAT);;所有文件(*.DAT)"));
    };
    tell = [this](QMessageBox::Icon icon, const QString &text) {
        QMessageBox box(icon, windowTitle(), text, QMessageBox::Ok, this);
        box.exec();
    };
    openWorkbook = [](const QString &path) { openWithDefaultApplication(path); };

    connect(Command1, &QPushButton::clicked, this, &Form_mg::Command1_Click);
}

void Form_mg::Command1_Click()
{
    const QString path = askFileName();
    if (path.isEmpty())
        return;
    ManagementReportOptions options;
    options.Check_detail = Check_detail->isChecked();
    options.Check_time = Check_time->isChecked();
    options.Check_speed = Check_speed->isChecked();
    options.FirmwareVersion = m_firmwareVersion;

    ProgressBar1->setValue(0);
    const auto progress = [this](int percent) {
        ProgressBar1->setValue(percent);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    ManagementExportResult result;
    try {
        result = ManagementExport(path, options, progress);
    } catch (const ManagementFileError &e) {
        tell(QMessageBox::Warning, e.text());
        return;
    } catch (const ManagementWorkbookError &) {
        tell(QMessageBox::Warning, ExcelTroubleMessage);
        accept();
        return;
    } catch (const common::UserError &e) {
        // The file could not be read or its dump not written: another file may do.
        tell(QMessageBox::Warning, e.text());
        return;
    }
    try {
        openWorkbook(result.workbookPath);
    } catch (const OfficeError &e) {
        tell(QMessageBox::Warning, e.text());
    }
    accept();
}
