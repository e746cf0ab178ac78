#include "probefileform.h"

#include "common/gui/ListTable.h"
#include "windows/SettingsChanges.h"
#include "common/IniFile.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

Tfrm_probefile::Tfrm_probefile(SettingsChanges &changes, std::function<int()> probeSlot, QWidget *parent,
                               const QString &iniPath)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_changes(changes), m_probeSlot(std::move(probeSlot)),
      m_iniPath(iniPath)
{
    setObjectName(QStringLiteral("frm_probefile"));
    setWindowTitle(QStringLiteral("探头文件"));
    resize(250, 400);

    lv = new ListTable({{QStringLiteral("序号"), 50}, {QStringLiteral("仪器编号"), 180}}, this);
    lv->setSelectionMode(QAbstractItemView::SingleSelection);
    lv->setToolTip(QStringLiteral("单击后输入文件名保存，双击可直接读取"));

    edt1 = new QLineEdit(this);
    edt1->setToolTip(QStringLiteral("输入文件名"));
    btnsave = new QPushButton(probeFileButton(m_mode), this);

    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QStringLiteral("文件名："), this));
    nameRow->addWidget(edt1, 1);
    nameRow->addWidget(btnsave);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lv, 1);
    layout->addLayout(nameRow);

    connect(lv, &QTableWidget::itemSelectionChanged, this, &Tfrm_probefile::lvClick);
    connect(lv, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { lvDblClick(row); });
    connect(btnsave, &QPushButton::clicked, this, &Tfrm_probefile::btnsaveClick);
}

Tfrm_probefile::~Tfrm_probefile() = default;

void Tfrm_probefile::open(ProbeFileMode mode)
{
    m_mode = mode;
    setWindowTitle(probeFileTitle(mode));
    btnsave->setText(probeFileButton(mode));
    m_file = std::make_unique<ProbeFile>(m_iniPath);
    {
        std::vector<QStringList> lines;
        for (int row = 0; row < ProbeFile::EntryCount; ++row)
            lines.push_back({QString::number(row + 1), m_file->entry(row).name});
        // Refilling clears the selection without reporting a click.
        const QSignalBlocker blocker(lv);
        lv->setRows(lines);
    }
    show();
    raise();
}

std::optional<int> Tfrm_probefile::selectedRow() const
{
    const QList<QTableWidgetItem *> items = lv->selectedItems();
    if (items.isEmpty())
        return std::nullopt;
    return items.first()->row();
}

void Tfrm_probefile::lvClick()
{
    if (const std::optional<int> row = selectedRow(); row && m_file)
        edt1->setText(m_file->entry(*row).name);
}

void Tfrm_probefile::lvDblClick(int row)
{
    if (!m_file || row < 0 || row >= ProbeFile::EntryCount)
        return;
    ProbePositions *probes = m_changes.openProbePositions(m_probeSlot());
    if (!probes)
        return;
    applyProbeEntry(m_file->entry(row), probes);
    emit probesChanged();
}

void Tfrm_probefile::btnsaveClick()
{
    if (!m_file)
        return;
    ProbePositions *probes = m_changes.openProbePositions(m_probeSlot());
    if (m_mode == ProbeFileMode::Save) {
        const std::optional<int> row = selectedRow();
        try {
            if (const std::optional<QString> message = saveProbeEntry(*m_file, row, edt1->text(), probes)) {
                QMessageBox::information(this, windowTitle(), *message);
                return;
            }
        } catch (const common::IniFileError &e) {
            QMessageBox::warning(this, windowTitle(), e.text());
            return;
        }
        if (row)
            lv->item(*row, 1)->setText(m_file->entry(*row).name);
        return;
    }
    const ProbeEntryLookup found = loadProbeEntry(*m_file, edt1->text(), probes);
    if (!found.row) {
        QMessageBox::information(this, windowTitle(), found.message);
        return;
    }
    lv->selectRow(*found.row);
    emit probesChanged();
}
