#pragma once
// "拼图设置": the channel, background and foreground colours, and the channel offsets
// of the current file for the composite ("拼") picture. Modeless: the main window
// keeps it up to date when the current file, its offset selection or the splice
// switch changes. Every change is stored at once and reported through `changed`,
// which rewrites "parm.dat" and redraws the view; the offset table is written to
// its file when the window closes.

#include "ColourSwatch.h"

#include "recording/BrantSettings.h"
#include "recording/OffsetTable.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <functional>

class QGroupBox;
class QLabel;
class QScrollBar;

// Where the offset bars store: the current file's slot and its row of the offset table.
struct OffsetTarget {
    int slot = 0;
    int64_t serialKey = 0;
    int selection = 0;  // "拼孔选择": 0 keeps the offsets out of the table
};

class FormColor : public QDialog {
    Q_OBJECT
public:
    FormColor(brantview::BrantSettings &settings, brantview::OffsetTable &offsets, QString offsetTablePath,
              const OffsetTarget &target, bool spliceOn, std::function<void()> changed, QWidget *parent = nullptr);

    // The current file, or its selection, changed: its offsets are shown and stored.
    void setOffsetTarget(const OffsetTarget &target);

    // Replaced by the tests; the platform's dialogs otherwise.
    ColourChooser chooseColour;
    std::function<void(const QString &)> warn;

public slots:
    // The splice switch of the main window: the offsets take input only while it is on.
    void setOffsetsEnabled(bool spliceOn);

    void done(int result) override;

private:
    void LabelColor_Click(int index);
    void Command_Color_Reset_Click();
    void HScroll_Change(int channel, int value);
    void showColours();
    void showOffsets();
    int32_t &colourSetting(int index);

    brantview::BrantSettings &m_settings;
    brantview::OffsetTable &m_offsets;
    QString m_offsetTablePath;
    OffsetTarget m_target;
    std::function<void()> m_changed;
    bool m_showingOffsets = false;

    std::array<ColourSwatch *, 11> LabelColor{};
    std::array<QScrollBar *, 9> HScroll{};  // HScroll1 … HScroll6A
    std::array<QLabel *, 9> m_offsetValues{};
    QGroupBox *m_offsetFrame = nullptr;
};
