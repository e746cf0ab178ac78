#pragma once
// "探头文件": the 100 entries of "probefile.ini", opened by the probe page of the
// settings window to save the positions of a recording under a name or to load a
// named set into a recording.

#include "windows/ProbeFile.h"

#include <QWidget>

#include <functional>
#include <memory>

class QLineEdit;
class QPushButton;
class ListTable;
class SettingsChanges;

class Tfrm_probefile : public QWidget {
    Q_OBJECT
public:
    // `probeSlot` names the slot of the settings window's selected probe tab.
    Tfrm_probefile(SettingsChanges &changes, std::function<int()> probeSlot, QWidget *parent = nullptr,
                   const QString &iniPath = probeFilePath());
    ~Tfrm_probefile() override;

    // Reads the file, lists its entries and shows the window in the given mode.
    void open(ProbeFileMode mode);

    ListTable *lv;
    QLineEdit *edt1;
    QPushButton *btnsave;

signals:
    // The recording of the selected probe tab took new positions.
    void probesChanged();

private:
    void lvClick();
    void lvDblClick(int row);
    void btnsaveClick();
    std::optional<int> selectedRow() const;

    SettingsChanges &m_changes;
    std::function<int()> m_probeSlot;
    QString m_iniPath;
    ProbeFileMode m_mode = ProbeFileMode::Save;
    std::unique_ptr<ProbeFile> m_file;
};
