#pragma once
// The controls of one file slot inside its group box, as SetFileWidget makes them:
// the top bar with the sub-file box, the five window buttons, the view scroll bar
// and the "dB+ΔdB" button, and below it the B-scan paint box over the position
// bar. Deleting the set is FreeFileWidget. The set only shows the slot's state;
// the main window connects its controls to the workspace.

#include <QStringList>
#include <QWidget>

struct FileSlot;
class PaintBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QScrollBar;
class QSlider;

class SlotWidgetSet : public QWidget {
    Q_OBJECT
public:
    SlotWidgetSet(const FileSlot &slot, QWidget *parent);

    // Combo lines, selected sub-file, gain hint and position bar as the slot holds them.
    void showSlot();
    // The view scroll bar: position 0, range from the last frame drawn.
    void resetScrollBar();
    // The range of the view scroll bar follows the width of the frame drawn.
    void fitScrollRange();

    QFrame *pnl_top;
    QComboBox *cbb;
    QPushButton *btn_para, *btn_work, *btn_event, *btn_mark, *btn_search;
    QLabel *lbl_view;
    QScrollBar *sb_view;
    QPushButton *btn_db;
    QFrame *pnl_client;
    QSlider *trb;
    PaintBox *pb;

private:
    void paintBScan(QPainter &painter);
    void endPositionBarDrag();

    const FileSlot &m_slot;
    QStringList m_shownLines;
    int m_shownSubFile = -1;
};
