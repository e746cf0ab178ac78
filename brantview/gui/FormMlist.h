#pragma once
// "浏览标记列表": the review marks of one pane's recording, filtered by kind, with
// deleting an operator's mark and the export to a workbook. Modeless, on top; the
// main window rebuilds it whenever the marks change under it.

#include "analysis/MarkList.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

class FormMlist : public QWidget {
    Q_OBJECT
public:
    // `marksChanged` runs after a delete, for the view to show the marks left.
    FormMlist(brantview::RecordingSlots &panes, const brantview::ViewSources &sources,
              std::function<void()> marksChanged, QWidget *parent = nullptr);

    // Shows pane `slot` (0 or 1) from the first filter on.
    void Form_Load(int slot);
    // Rebuilds the list from the pane's marks, keeping the filter.
    void BuildMarkList();

    void Command1_Click();
    void Command2_Click();

    // The export's file dialog (empty: cancelled), its message box and the showing of
    // the written workbook; replaceable where no user answers.
    std::function<QString(QWidget *parent)> askFileName;
    std::function<void(QWidget *parent, const QString &message)> warn;
    std::function<void(const QString &path)> showWorkbook;

private:
    void Combol_list_Click(int index);
    brantview::RecordingSlot &slot() { return m_panes.Slots[size_t(m_slot)]; }

    brantview::RecordingSlots &m_panes;
    const brantview::ViewSources &m_sources;
    std::function<void()> m_marksChanged;
    int m_slot = 0;
    brantview::MarkList m_list;

    QLabel *label1 = nullptr;
    QComboBox *Combol_list = nullptr;
    QListWidget *ListM = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
};
