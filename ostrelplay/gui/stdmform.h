#pragma once
// "录像播放": lists the records of a .stdm recording video and plays the chosen
// one frame by frame, ten frames a second.

#include "recording/StdmFile.h"
#include "rendering/StdmRenderer.h"

#include <QWidget>

#include <memory>

class PaintBox;
class PlayerSettings;
class QComboBox;
class QProgressBar;
class QPushButton;
class QTimer;
class ListTable;

class Tfrm_stdm : public QWidget {
    Q_OBJECT
public:
    explicit Tfrm_stdm(PlayerSettings &settings, QWidget *parent = nullptr);
    ~Tfrm_stdm() override;

    // Shows the window with the file's records; a file that cannot be read is
    // reported in a message box and the file shown before stays open.
    void openFile(const QString &path);
    // Loads the file and fills the list and the combo box; throws StdFileError.
    void OpenStdmFile(const QString &FilePath);

    ListTable *lv_list;
    PaintBox *pb_stdm;
    QComboBox *cbb_stdm;
    QPushButton *btn_stdm;
    QProgressBar *pgb_stdm;
    QTimer *tmr_stdm;

    // One tick of tmr_stdm: advances while playing and not dragging, draws the frame.
    void tmr_stdmTimer();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void btn_stdmClick();
    void cbb_stdmChange(int index);
    void pgb_stdmMouseDown(int x);
    void pgb_stdmMouseMove(int x);
    void pgb_stdmMouseUp();
    void fillList();
    int barPositionAt(int x) const;

    PlayerSettings &m_settings;
    std::unique_ptr<mystdmfile> m_file;
    StdmPlayer m_player;
    bool m_dragging = false;
};
