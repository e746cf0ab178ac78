#include "FormSpeed.h"

#include "SettingsWidgets.h"

#include "analysis/WorkbookExport.h"
#include "office/Launch.h"
#include "office/OfficeError.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

using namespace brantview;

namespace {

const QFont &totalsFont()
{
    static const QFont font = [] {
        QFont f(QStringLiteral("宋体"), 12);
        f.setBold(true);
        return f;
    }();
    return font;
}

// The export's dialog is an open dialog: the name is taken exactly as typed.
QString askSpeedFileName(QWidget *parent)
{
    QFileDialog dialog(parent, QStringLiteral("输入文件名"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({QStringLiteral("输出文件 (*.xls)"), QStringLiteral("所有文件(*.*)")});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QLineEdit *input(const char *name, const char *text)
{
    auto *edit = named(new QLineEdit(QString::fromUtf8(text)), name);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000000")));
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000000000")));
    return edit;
}

} // namespace

FormSpeed::FormSpeed(CurrentSlot currentSlot, MoveView moveView, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint),
      tell([this](QMessageBox::Icon icon, const QString &message) {
          QMessageBox box(icon, windowTitle(), message, QMessageBox::Ok, this);
          box.exec();
      }),
      askFileName(askSpeedFileName), m_currentSlot(std::move(currentSlot)), m_moveView(std::move(moveView))
{
    setObjectName(QStringLiteral("FormSpeed"));
    setWindowTitle(QStringLiteral("速度统计"));

    Tspeed = input("Tspeed", "2.5");
    TLen = input("TLen", "5");
    TextPrev = input("TextPrev", "1");
    TextNext = input("TextNext", "2");
    Label2 = named(new QLabel(QStringLiteral("连续超速距离：")), "Label2");
    auto *inputs = new QGridLayout;
    auto place = [&](int row, int column, QWidget *caption, QLineEdit *edit, const QString &unit) {
        inputs->addWidget(caption, row, column, Qt::AlignRight);
        inputs->addWidget(edit, row, column + 1);
        inputs->addWidget(new QLabel(unit), row, column + 2);
    };
    place(0, 0, new QLabel(QStringLiteral("限速：")), Tspeed, QStringLiteral("公里/小时"));
    place(0, 3, Label2, TLen, QStringLiteral("米以上"));
    place(1, 0, new QLabel(QStringLiteral("标记前：")), TextPrev, QStringLiteral("米"));
    place(1, 3, new QLabel(QStringLiteral("标记后：")), TextNext, QStringLiteral("米"));
    inputs->setColumnMinimumWidth(2, fontMetrics().horizontalAdvance(QStringLiteral("公里/小时  ")));
    inputs->setColumnStretch(6, 1);
    connect(TLen, &QLineEdit::textChanged, this, &FormSpeed::TLen_Change);

    auto *frame = named(new QGroupBox(QStringLiteral("查询选择")), "Frame1");
    OptionAll = named(new QRadioButton(QStringLiteral("全线")), "OptionAll");
    OptionQX = named(new QRadioButton(QStringLiteral("曲线")), "OptionQX");
    OptionZX = named(new QRadioButton(QStringLiteral("直线")), "OptionZX");
    OptionBJ = named(new QRadioButton(QStringLiteral("*，△，M附近")), "OptionBJ");
    auto *options = new QHBoxLayout(frame);
    for (QRadioButton *option : {OptionAll, OptionQX, OptionZX, OptionBJ}) {
        options->addWidget(option);
        connect(option, &QRadioButton::clicked, this, &FormSpeed::Option_Click);
    }
    options->addStretch();
    OptionAll->setChecked(true);

    Command1 = named(new QPushButton(QStringLiteral("查询")), "Command1");
    Command2 = named(new QPushButton(QStringLiteral("查询并输出到Excel")), "Command2");
    connect(Command1, &QPushButton::clicked, this, &FormSpeed::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FormSpeed::Command2_Click);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    buttons->addStretch();

    ListS = named(new QListWidget, "ListS");
    // The lines line up by spaces: a font with half-width Latin and full-width Chinese.
    QFont listFont(QStringLiteral("宋体"), 10);
    listFont.setFamilies({QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("宋体")});
    listFont.setStyleHint(QFont::Monospace);
    ListS->setFont(listFont);
    const QFontMetrics listMetrics(listFont);
    const int lineWidth = std::max(listMetrics.horizontalAdvance(QStringLiteral("  超速开始位置    连续超速距离    超速平均速度")),
                                   listMetrics.horizontalAdvance(QStringLiteral("   0000+000.0         000米         00.00km/h")));
    ListS->setMinimumSize(lineWidth + listMetrics.height() * 2, listMetrics.height() * 18);
    connect(ListS, &QListWidget::itemDoubleClicked, this, &FormSpeed::ListS_DblClick);
    // Room right of the list for the totals, 10 points away.
    const QFontMetrics totalsMetrics(totalsFont());
    const int totalsWidth = int(pointsToPixels(20)) + totalsMetrics.horizontalAdvance(QStringLiteral("标记米前后有超速: 000000000"));
    auto *results = new QHBoxLayout;
    results->addWidget(ListS, 1);
    results->addSpacing(totalsWidth);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(inputs);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    layout->addLayout(results, 1);

    if (const QScreen *screen = QWidget::screen())
        move(screen->availableGeometry().topLeft());
}

double FormSpeed::pointsToPixels(double points) const
{
    return points * logicalDpiY() / 72.0;
}

SpeedStatistic FormSpeed::selected() const
{
    if (OptionQX->isChecked())
        return SpeedStatistic::Curve;
    if (OptionZX->isChecked())
        return SpeedStatistic::Straight;
    if (OptionBJ->isChecked())
        return SpeedStatistic::MarkVicinity;
    return SpeedStatistic::WholeLine;
}

std::optional<SpeedInputs> FormSpeed::inputsToRun()
{
    if (const QString why = SpeedStatisticUnavailable(m_currentSlot()); !why.isEmpty()) {
        tell(QMessageBox::Information, why);
        return std::nullopt;
    }
    const auto parsed =
        ParseSpeedInputs({Tspeed->text(), TLen->text(), TextPrev->text(), TextNext->text()}, selected());
    if (const QString *message = std::get_if<QString>(&parsed)) {
        tell(QMessageBox::Warning, *message);
        return std::nullopt;
    }
    return std::get<SpeedInputs>(parsed);
}

void FormSpeed::showReport(const SpeedReport &report)
{
    ListS->clear();
    ListS->addItems(report.listLines);
    m_totals = report.totals;
    update();
}

void FormSpeed::Command1_Click()
{
    const std::optional<SpeedInputs> inputs = inputsToRun();
    if (!inputs)
        return;
    showReport(RunSpeedStatistic(selected(), m_currentSlot(), *inputs, false));
}

void FormSpeed::Command2_Click()
{
    const std::optional<SpeedInputs> inputs = inputsToRun();
    if (!inputs)
        return;
    const QString path = askFileName(this);
    if (path.isEmpty())
        return;
    const SpeedReport report = RunSpeedStatistic(selected(), m_currentSlot(), *inputs, true);
    showReport(report);
    try {
        ExportSpeedReport(path, report);
    } catch (const OfficeError &) {
        tell(QMessageBox::Warning, ExcelTroubleMessage);
        return;
    }
    // Written: a desktop that cannot show it says so, not that the writing failed.
    try {
        openWithDefaultApplication(path);
    } catch (const OfficeError &error) {
        tell(QMessageBox::Warning, error.text());
    }
}

void FormSpeed::ListS_DblClick()
{
    const RecordingSlot &slot = m_currentSlot();
    if (!SpeedStatisticUnavailable(slot).isEmpty() || !ListS->currentItem())
        return;
    if (const std::optional<int32_t> viewStart = SpeedJumpTarget(ListS->currentRow(), ListS->currentItem()->text(), slot.MileageTable))
        m_moveView(*viewStart);
}

void FormSpeed::TLen_Change()
{
    bool ok = false;
    if (TLen->text().trimmed().toDouble(&ok) < 0 && ok)
        TLen->setText(QStringLiteral("0"));
}

void FormSpeed::Option_Click()
{
    Label2->setText(OptionBJ->isChecked() ? QStringLiteral("  超速米个数:") : QStringLiteral("连续超速距离:"));
}

void FormSpeed::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (m_totals.isEmpty())
        return;
    QPainter painter(this);
    painter.setFont(totalsFont());
    painter.setPen(Qt::black);
    const QRect list = ListS->geometry();
    const double x = list.x() + list.width() + pointsToPixels(10);
    for (qsizetype i = 0; i < m_totals.size(); ++i) {
        const double y = list.y() + pointsToPixels(20.0 * double(i + 1));
        painter.drawText(QRectF(x, y, width() - x, pointsToPixels(20)), Qt::AlignLeft | Qt::AlignTop, m_totals[i]);
    }
}
