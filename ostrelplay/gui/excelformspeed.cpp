#include "excelformspeed.h"

#include "common/gui/ListTable.h"
#include "office/Launch.h"
#include "office/OfficeError.h"
#include "windows/OverspeedExport.h"
#include "workspace/Workspace.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace {

const QString SystemPrompt = QStringLiteral("系统提示");
constexpr int64_t RowsPerMetre = 500;

// The typed character of a key press; backspace counts as '\b'.
QChar typedKey(const QKeyEvent &event)
{
    if (event.key() == Qt::Key_Backspace)
        return QChar(u'\b');
    return event.text().isEmpty() ? QChar() : event.text().front();
}

} // namespace

Tfrm_speedexcel::Tfrm_speedexcel(Workspace &workspace, QWidget *parent)
    : QWidget(parent, Qt::Window), m_workspace(workspace)
{
    setObjectName(QStringLiteral("frm_speedexcel"));
    setWindowTitle(QStringLiteral("超速统计"));
    resize(754, 626);

    tell = [this](const QString &title, const QString &text) { QMessageBox::information(this, title, text); };
    askSaveFileName = [this] {
        return QFileDialog::getSaveFileName(this, QStringLiteral("保存到"), QString(),
                                            QStringLiteral("EXCEL电子表格 (*.xls)"));
    };
    openSaved = openWithDefaultApplication;

    cb_file = new QComboBox(this);
    edt_speed = new QLineEdit(this);
    edt_speed->installEventFilter(this);
    edt_dis = new QLineEdit(this);
    edt_dis->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edt_dis));
    btn_count = new QPushButton(QStringLiteral("统计"), this);
    btn_export = new QPushButton(QStringLiteral("导出"), this);
    connect(btn_count, &QPushButton::clicked, this, &Tfrm_speedexcel::btn_countClick);
    connect(btn_export, &QPushButton::clicked, this, &Tfrm_speedexcel::btn_exportClick);

    lv_main = new ListTable({{QStringLiteral("序号"), 100},
                             {QStringLiteral("起始里程"), 150},
                             {QStringLiteral("结束里程"), 150},
                             {QStringLiteral("超速距离"), 150},
                             {QStringLiteral("平均速度"), 150}},
                            this);

    lbl_stat = new QLabel(QStringLiteral("状态"), this);
    pgb_stat = new QProgressBar(this);

    auto *top = new QHBoxLayout;
    top->addWidget(cb_file);
    top->addWidget(new QLabel(QStringLiteral("速度（km/s）："), this));
    top->addWidget(edt_speed);
    top->addWidget(new QLabel(QStringLiteral("连续超速距离（m）："), this));
    top->addWidget(edt_dis);
    top->addWidget(btn_count);
    top->addWidget(btn_export);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(lbl_stat);
    bottom->addWidget(pgb_stat, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(lv_main, 1);
    layout->addLayout(bottom);
}

void Tfrm_speedexcel::N56Click()
{
    cb_file->clear();
    for (int slot = 0; slot < 2; ++slot) {
        if (!m_workspace.slot(slot).hasRecording())
            continue;
        cb_file->addItem(QStringLiteral("文件%1").arg(slot + 1), slot);
        if (m_workspace.slot(slot).Active)
            cb_file->setCurrentIndex(cb_file->count() - 1);
    }
    show();
    raise();
}

bool Tfrm_speedexcel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == edt_speed && event->type() == QEvent::KeyPress) {
        const auto &key = static_cast<const QKeyEvent &>(*event);
        const QChar typed = typedKey(key);
        if (!typed.isNull() && !speedKeyAccepted(edt_speed->text(), typed))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Tfrm_speedexcel::btn_countClick()
{
    if (cb_file->count() == 0) {
        tell(SystemPrompt, QStringLiteral("未打开任何文件！"));
        return;
    }
    bool speedOk = false;
    bool distanceOk = false;
    const double speed = edt_speed->text().toDouble(&speedOk);
    const qlonglong metres = edt_dis->text().toLongLong(&distanceOk);
    const int slot = cb_file->currentData().toInt();
    if (!speedOk || !distanceOk || metres > std::numeric_limits<qlonglong>::max() / RowsPerMetre) {
        tell(SystemPrompt, QStringLiteral("请输入有效数字"));
        return;
    }
    // The scan lets events run: a hand-over may replace the slot's recording meanwhile,
    // so the scan keeps its own hold on the one it reads.
    const std::shared_ptr<const mystdfile> file = m_workspace.slot(slot).Recording;
    if (!file) {
        tell(SystemPrompt, QStringLiteral("未打开任何文件！"));
        return;
    }

    m_rows.clear();
    lv_main->setRowCount(0);
    pgb_stat->setMinimum(0);
    OverspeedProgress progress;
    progress.subFileStarted = [this](int subFile, int64_t maximum) {
        pgb_stat->setMaximum(int(std::min<int64_t>(maximum, std::numeric_limits<int>::max())));
        pgb_stat->setValue(0);
        lbl_stat->setText(overspeedSubFileStatus(subFile));
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    progress.advanced = [this](int64_t position) {
        pgb_stat->setValue(int(std::min<int64_t>(position, pgb_stat->maximum())));
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    const OverspeedResult result = overspeedScan(*file, rawSpeedThreshold(speed), metres, progress);
    // The scan reports in steps; the last part of the last sub-file ends it full.
    pgb_stat->setValue(pgb_stat->maximum());
    std::vector<QStringList> lines;
    for (const OverspeedRow &row : result.rows)
        lines.push_back({row.caption, row.startMileage, row.endMileage, row.distance, row.averageSpeed});
    lv_main->setRows(lines);
    m_rows = result.rows;
    lbl_stat->setText(overspeedTotalStatus(result));
}

void Tfrm_speedexcel::btn_exportClick()
{
    if (m_rows.empty()) {
        tell(SystemPrompt, QStringLiteral("列表为空，无法导出！"));
        return;
    }
    const QString name = askSaveFileName();
    if (name.isEmpty())
        return;
    const QString path = withXlsExtension(name);
    try {
        const OverspeedExport outcome = exportOverspeed(m_rows, path);
        const QString message = overspeedExportMessage(outcome);
        if (!message.isEmpty())
            tell(overspeedExportTitle(outcome), message);
        if (outcome == OverspeedExport::Saved)
            openSaved(path);
    } catch (const OfficeError &e) {
        tell(QStringLiteral("警告"), e.text());
    }
}
