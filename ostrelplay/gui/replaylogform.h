#pragma once
// "回放记录": the replay log entries whose start time lies between two moments.

#include <QWidget>

class QDateTimeEdit;
class ListTable;
class ReplayLog;

class Tfrm_replaylog : public QWidget {
    Q_OBJECT
public:
    explicit Tfrm_replaylog(const ReplayLog &log, QWidget *parent = nullptr);

    // Menu "查看回放记录": the second picker set to now, the window shown and filled.
    void showLog();
    void replaylogreflash();

    QDateTimeEdit *DateTimePicker1;
    QDateTimeEdit *DateTimePicker2;
    ListTable *lv;

private:
    const ReplayLog &m_log;
};
