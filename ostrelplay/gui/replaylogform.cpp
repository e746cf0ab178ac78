#include "replaylogform.h"

#include "common/gui/ListTable.h"
#include "workspace/ReplayLog.h"

#include <QDateTimeEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
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

    lv = new ListTable({{QStringLiteral("序号"), 40},
                        {QStringLiteral("文件名"), 278},
                        {QStringLiteral("开始时间"), 130},
                        {QStringLiteral("持续时间"), 130}},
                       this);

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
    std::vector<QStringList> lines;
    for (const ReplayLogRow &row : m_log.replaylogreflash(DateTimePicker1->dateTime(), DateTimePicker2->dateTime()))
        lines.push_back({QString::number(row.number), row.fileName, row.startTime, row.duration});
    lv->setRows(lines);
}
