#include "replaylogform.h"

#include "workspace/ReplayLog.h"

#include <QDateTimeEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
const QString PickerFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

QDateTimeEdit *picker(const QDateTime &start, QWidget *parent)
{
    auto *edit = new QDateTimeEdit(start, parent);
    edit->setDisplayFormat(PickerFormat);
    edit->setCalendarPopup(true);
    return edit;
}
} // namespace

Tfrm_replaylog::Tfrm_replaylog(const ReplayLog &log, QWidget *parent)
    : QWidget(parent, Qt::Tool), m_log(log)
{
    setObjectName(QStringLiteral("frm_replaylog"));
    setWindowTitle(QStringLiteral("回放记录"));
    resize(600, 400);

    DateTimePicker1 = picker(QDateTime(QDate(2015, 1, 1), QTime(15, 50, 38)), this);
    DateTimePicker2 = picker(QDateTime::currentDateTime(), this);

    lv = new QTableWidget(0, 4, this);
    lv->setHorizontalHeaderLabels({QStringLiteral("序号"), QStringLiteral("文件名"), QStringLiteral("开始时间"),
                                   QStringLiteral("持续时间")});
    const int widths[] = {40, 278, 130, 130};
    for (int c = 0; c < 4; ++c)
        lv->setColumnWidth(c, widths[c]);
    lv->setShowGrid(true);
    lv->verticalHeader()->hide();
    lv->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lv->setSelectionBehavior(QAbstractItemView::SelectRows);

    auto *pickers = new QHBoxLayout;
    pickers->addWidget(new QLabel(QStringLiteral("从"), this));
    pickers->addWidget(DateTimePicker1);
    pickers->addWidget(new QLabel(QStringLiteral("到"), this));
    pickers->addWidget(DateTimePicker2);
    pickers->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(pickers);
    layout->addWidget(lv, 1);

    connect(DateTimePicker1, &QDateTimeEdit::dateTimeChanged, this, &Tfrm_replaylog::replaylogreflash);
    connect(DateTimePicker2, &QDateTimeEdit::dateTimeChanged, this, &Tfrm_replaylog::replaylogreflash);
}

void Tfrm_replaylog::showLog()
{
    {
        const QSignalBlocker block(DateTimePicker2);
        DateTimePicker2->setDateTime(QDateTime::currentDateTime());
    }
    show();
    raise();
    replaylogreflash();
}

void Tfrm_replaylog::replaylogreflash()
{
    const std::vector<ReplayLogRow> rows =
        m_log.replaylogreflash(DateTimePicker1->dateTime(), DateTimePicker2->dateTime());
    lv->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        const ReplayLogRow &row = rows[size_t(r)];
        const QString cells[] = {QString::number(row.number), row.fileName, row.startTime, row.duration};
        for (int c = 0; c < 4; ++c)
            lv->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
}
