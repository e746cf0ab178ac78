#include "searchform.h"

#include "common/gui/ListTable.h"
#include "windows/EventRows.h"
#include "workspace/Workspace.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace {

constexpr int SubFileColumn = 1;
// Nine digits always fit the integers the mileage is compared with.
constexpr int FieldDigits = 9;

QLineEdit *mileageField(QWidget *parent)
{
    auto *edit = new QLineEdit(QStringLiteral("0"), parent);
    edit->setMaxLength(FieldDigits);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    return edit;
}

} // namespace

Tfrm_search::Tfrm_search(Workspace &workspace, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_workspace(workspace)
{
    setObjectName(QStringLiteral("frm_search"));
    setWindowTitle(QStringLiteral("里程定位"));
    resize(474, 366);

    edt1 = mileageField(this);
    edt2 = mileageField(this);
    btn1 = new QPushButton(QStringLiteral("搜索"), this);
    connect(btn1, &QPushButton::clicked, this, &Tfrm_search::btn1Click);

    lv = new ListTable({{QStringLiteral("文件"), 100}, {QStringLiteral("子文件"), 100}}, this);
    connect(lv, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { lvDblClick(row); });

    auto *fields = new QHBoxLayout;
    fields->addWidget(edt1);
    fields->addWidget(new QLabel(QStringLiteral("km"), this));
    fields->addWidget(edt2);
    fields->addWidget(new QLabel(QStringLiteral("m"), this));
    fields->addWidget(btn1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(lv, 1);
}

void Tfrm_search::btnSearchClick(int slot)
{
    if (!m_workspace.slot(slot).Opened)
        return;
    m_slot = slot;
    lv->setRowCount(0);
    setWindowTitle(QStringLiteral("文件") + QString::number(slot + 1) + QStringLiteral("里程定位"));
    show();
    raise();
}

void Tfrm_search::btn1Click()
{
    lv->setRowCount(0);
    edt1->setText(mileageFieldText(edt1->text()));
    edt2->setText(mileageFieldText(edt2->text()));
    m_target = {edt1->text().toInt(), edt2->text().toInt()};
    const FileSlot &s = m_workspace.slot(m_slot);
    if (!s.Opened || !s.hasRecording())
        return;
    std::vector<QStringList> lines;
    for (const int j : subFilesCovering(*s.Recording, m_target))
        lines.push_back({QString::number(m_slot + 1), QString::number(j + 1)});
    lv->setRows(lines);
}

void Tfrm_search::lvDblClick(int row)
{
    const QTableWidgetItem *item = lv->item(row, SubFileColumn);
    if (!item)
        return;
    const int subFile = item->text().toInt() - 1;
    if (!selectSubFile(m_workspace, m_slot, subFile))
        return;
    const FileSlot &s = m_workspace.slot(m_slot);
    const std::optional<int64_t> estimate = estimatedRow(s.Recording->std_systemparas[size_t(subFile)], m_target);
    if (!estimate)
        return;
    const int64_t found = realPos(*s.Recording, subFile, *estimate, m_target, s.bar.minimum(), s.bar.maximum());
    // The bar clamps the row; only the integer range must be respected on the way.
    const int64_t clamped = std::clamp<int64_t>(found, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    m_workspace.setPosition(m_slot, int(clamped));
}
