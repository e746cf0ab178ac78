#include "Workspace.h"

#include "DisplaySetup.h"
#include "rendering/BScanRenderer.h"
#include "common/Conversions.h"
#include "common/IniFile.h"
#include "common/NativePaths.h"

#include <QFileInfo>

#include <algorithm>
#include <functional>
#include <cstdlib>
#include <stdexcept>

namespace {

const QString kNoticeTitle = QStringLiteral("系统提示");

int truncated(double value)
{
    return common::saturatedToInt32(value);
}

// A scale the renderer has not set yet counts as 1.
double usableScale(double scale)
{
    return scale > 0 ? scale : 1.0;
}

// Image pixels from the start of the sub-file of a paint-box point at `position`.
QPoint imagePoint(const StdFrame &frame, int position, QPoint paintBox)
{
    return {paintBox.x() + truncated(2.0 * position * frame.WScale), paintBox.y()};
}

// The first help line within 2 pixels of paint-box row y, or -1.
int helpLineAt(const FileSlot &s, int y)
{
    const auto &lines = s.Recording->HelpLine;
    for (int k = 0; k < int(lines.size()); ++k)
        if (std::abs(truncated(lines[k] * s.Frame.HScale) - y) < 3)
            return k;
    return -1;
}

size_t marksOf(const mystdfile &f)
{
    return f.std_CurFile >= 0 && size_t(f.std_CurFile) < f.std_mark.size() ? f.std_mark[size_t(f.std_CurFile)].size() : 0;
}

std::optional<Notice> noticeOf(const QStringList &messages)
{
    if (messages.isEmpty())
        return std::nullopt;
    return Notice{kNoticeTitle, messages.join(QLatin1Char('\n'))};
}

} // namespace

struct Workspace::FrameKey {
    FrameKey(const FileSlot &s, int position, QSize pane, QSize ascan)
        : position(position), pane(pane), ascan(ascan), subFile(s.Recording->std_CurFile),
          railType(s.Recording->std_systempara.m_RailType),
          marks(marksOf(*s.Recording)),
          bandCollapse(s.Recording->std_bshowhide), helpLines(s.Recording->HelpLine),
          helpLineStyles(s.Recording->settings().helpLineStyles()), style(s.Frame.style), probes(s.Frame.probepara_p),
          tools(s.Frame.tools)
    {
    }
    bool operator==(const FrameKey &) const = default;

    int position;
    QSize pane, ascan;
    int subFile;
    int railType;
    size_t marks;  // marks are only ever added
    bool bandCollapse;
    std::array<int32_t, 6> helpLines, helpLineStyles;
    DisplayStyle style;
    std::array<int32_t, 9> probes;
    DistanceTools tools;
};

Workspace::Workspace(PlayerSettings &settings, ReplayLog &log, PostToWindow post)
    : m_settings(settings), m_log(log), m_post(std::move(post))
{
    PlaySpeed = m_settings.PlaySpeed;
    for (int n = 0; n < int(m_slots.size()); ++n)
        emptySlot(n);
    publishPlaySettings();
}

Workspace::~Workspace()
{
    for (int n = 0; n < int(m_slots.size()); ++n)
        stopWorker(n);
    for (FileSlot &s : m_slots)
        s.Recording.reset();
}

// --- slots ---

std::optional<Notice> Workspace::OpenFile(int fileN, const QString &path)
{
    if (Measuring)
        btnCountDisClick();
    MeasureNextIsStart = true;
    FileSlot &s = slot(fileN);
    s.Opened = false;

    QStringList messages;
    if (const std::optional<QString> failure = retireRecording(fileN, true))
        messages << *failure;
    emptySlot(fileN);

    auto file = std::make_shared<mystdfile>(&m_settings);
    StdFrame frame;
    try {
        file->LoadStdFile(path);
        file->std_OpenTime = QDateTime::currentDateTime();
        applyOpenFileDisplay(*file, frame, m_settings.display);
    } catch (const StdFileError &e) {
        messages << e.text();
        return noticeOf(messages);
    } catch (const StdDataError &e) {
        messages << e.text();
        return noticeOf(messages);
    }
    messages << file->loadWarnings;
    frame.tools.CountDis = Measuring;
    for (int k = 0; k < file->std_filecount; ++k)
        s.comboLines << subFileComboLine(*file, k);
    s.comboIndex = 0;
    s.Recording = std::move(file);
    s.Frame = std::move(frame);
    showRecordingTexts(fileN, s.Recording->GetdBPara());
    resetBar(fileN, s.Recording->std_scandataindex.m_PacketIndexCount - 5);

    s.Opened = true;
    NextOpenSlot = fileN == 0 ? 1 : 0;
    makeOnlyActive(fileN);
    publishPlaySettings();
    startWorker(fileN);
    return noticeOf(messages);
}

void Workspace::SaveClick(mystdfile &file, const QString &path)
{
    file.SaveStdFile(path, false);
}

void Workspace::CloseClick(int fileN)
{
    if (!slot(fileN).hasRecording())
        return;
    const std::optional<QString> failure = retireRecording(fileN, true);
    emptySlot(fileN);
    if (failure)
        throw StdFileError(*failure);
}

void Workspace::cbbChange(int fileN, int index)
{
    FileSlot &s = slot(fileN);
    if (!s.hasRecording() || index < 0 || index >= s.Recording->std_filecount)
        return;
    if (s.Worker)
        s.Worker->pause();
    s.Opened = false;

    mystdfile &file = *s.Recording;
    s.comboIndex = index;
    file.SwitchFile(index);
    s.Frame.startSubFile(file);
    s.Frame.tools.CountDis = Measuring;
    s.Frame.style.std_bshowmode = m_settings.display.std_bshowmode;
    showRecordingTexts(fileN, file.GetdBPara());
    resetBar(fileN, file.std_scandataindex.m_PacketIndexCount - 1);

    s.Opened = true;
    if (s.Worker)
        s.Worker->resume();
}

void Workspace::setPosition(int fileN, int position)
{
    PositionBar &bar = slot(fileN).bar;
    bar.setPosition(position);
    m_workerView[size_t(fileN)].position = bar.position();
}

void Workspace::makeOnlyActive(int fileN)
{
    for (int n = 0; n < int(m_slots.size()); ++n)
        m_slots[size_t(n)].Active = n == fileN;
}

int Workspace::openSlotCount() const
{
    return int(std::count_if(m_slots.begin(), m_slots.end(), [](const FileSlot &s) { return s.Opened.load(); }));
}

// --- play bar ---

void Workspace::btnPlayClick()
{
    if (std::none_of(m_slots.begin(), m_slots.end(), [](const FileSlot &s) { return s.hasRecording(); }))
        return;
    publishPlaySettings();
    Playing = !Playing;
}

void Workspace::btnModeClick()
{
    SmartPlay = !SmartPlay;
}

void Workspace::btnSyncClick()
{
    SyncPlay = !SyncPlay;
}

void Workspace::btnNextClick()
{
    for (int n : movingSlots()) {
        const FileSlot &s = slot(n);
        setPosition(n, stepForward(*s.Recording, s.bar.position(), s.bar.maximum(), SmartPlay,
                                   s.Frame.style.std_OIMG_Width));
    }
}

void Workspace::btnBackClick()
{
    for (int n : movingSlots()) {
        const FileSlot &s = slot(n);
        setPosition(n, stepBack(*s.Recording, s.bar.position(), s.bar.minimum(), SmartPlay, SyncPlay,
                                s.Frame.style.std_OIMG_Width));
    }
}

void Workspace::btnCompressClick()
{
    m_settings.display.WidthCompress = !m_settings.display.WidthCompress;
    applyDisplayStyle();
}

void Workspace::btnCountDisClick()
{
    Measuring = !Measuring;
    for (FileSlot &s : m_slots) {
        if (!s.Opened)
            continue;
        s.Frame.tools.CountDis = Measuring;
        s.Frame.tools.CountDisPoint = 0;
    }
}

void Workspace::setDotSize(int value)
{
    m_settings.display.DocSize = value;
    applyDisplayStyle();
}

void Workspace::applyDisplayStyle()
{
    for (FileSlot &s : m_slots)
        if (s.hasRecording())
            s.Frame.style = m_settings.display;
}

void Workspace::setPlaySpeed(int value)
{
    PlaySpeed = value;
    m_settings.PlaySpeed = value;
}

// --- timers ---

void Workspace::tmrTimer()
{
    publishPlaySettings();
    for (int n = 0; n < int(m_slots.size()); ++n) {
        FileSlot &s = slot(n);
        if (!s.Opened)
            continue;
        mystdfile &file = *s.Recording;
        const int position = s.bar.position();
        try {
            showRecordingTexts(n, file.GetGainPara(position));
            file.setRailType(position);
        } catch (const std::exception &) {
            // The texts of a damaged row are skipped; the row is still shown.
        }
        switch (subFileChangeAt(position, s.bar.minimum(), s.bar.maximum(), s.comboIndex, file.std_filecount)) {
        case SubFileChange::Next:
            MouseDragging = false;
            cbbChange(n, s.comboIndex + 1);
            setPosition(n, 5);  // from row 1 with selection end 0: raises the selection end to 5
            break;
        case SubFileChange::Previous:
            MouseDragging = false;
            cbbChange(n, s.comboIndex - 1);
            setPosition(n, s.bar.maximum() - 5);
            break;
        case SubFileChange::None:
            break;
        }
    }
}

bool Workspace::drawSlot(int fileN, QSize pane, QSize ascan)
{
    FileSlot &s = slot(fileN);
    if (!s.Opened)
        return false;
    const int position = s.bar.position();
    FrameKey key(s, position, pane, ascan);
    std::unique_ptr<FrameKey> &last = m_lastFrame[size_t(fileN)];
    if (last && *last == key)
        return false;
    try {
        s.Frame.DrawBitMap(*s.Recording, pane.width(), pane.height(), ascan.width(), ascan.height(), position);
    } catch (const StdDataError &) {
        drawFailureText(s.Frame);
    }
    last = std::make_unique<FrameKey>(key);
    return true;
}

// --- pointer tools ---

void Workspace::pbMouseDown(int fileN, int x, int y, MouseButton button)
{
    makeOnlyActive(fileN);
    DragStartPoint = QPoint(x, y);
    const FileSlot &pressed = slot(fileN);
    if (!m_settings.helplinelock && pressed.Opened) {
        const int k = helpLineAt(pressed, y);
        if (k >= 0)
            HelpLineDragging[size_t(k)] = true;
    }
    if (button == MouseButton::Left)
        MouseDragging = true;

    for (FileSlot &s : m_slots) {
        if (!s.Opened)
            continue;
        DistanceTools &tools = s.Frame.tools;
        s.DragStartPosition = s.bar.position();
        const QPoint p = imagePoint(s.Frame, s.bar.position(), DragStartPoint);
        if (MeasureNextIsStart) {
            tools.CountDisStart = p;
            tools.CountDisStartXY = DragStartPoint;
        } else {
            tools.CountDisEnd = p;
            tools.CountDisEndXY = DragStartPoint;
        }
        if (Measuring)
            ++tools.CountDisPoint;
    }
    MeasureNextIsStart = !MeasureNextIsStart;

    if (button == MouseButton::Right)
        RightClickPoint = DragStartPoint;
}

QString Workspace::pbMouseMove(int fileN, int x, int y)
{
    FileSlot &under = slot(fileN);
    if (!under.Opened)
        return {};
    mystdfile &file = *under.Recording;
    const StdFrame &frame = under.Frame;
    const double hScale = usableScale(frame.HScale);

    const size_t railType = size_t(std::clamp<int>(file.std_systempara.m_RailType, 0, int(m_settings.HelpLinePos.size()) - 1));
    for (size_t k = 0; k < HelpLineDragging.size(); ++k) {
        if (!HelpLineDragging[k])
            continue;
        const int depth = truncated(y / hScale);
        m_settings.HelpLinePos[railType][k] = depth;
        file.HelpLine[k] = depth;
    }

    if (MouseDragging) {
        const int dx = x - DragStartPoint.x();
        for (int n = 0; n < int(m_slots.size()); ++n) {
            const FileSlot &s = slot(n);
            if (!s.Opened || (!SyncPlay && n != fileN))
                continue;
            const double rows = dx / usableScale(s.Frame.WScale) / 2;
            setPosition(n, truncated(double(s.DragStartPosition) + truncated(rows)));
        }
    }

    int height = truncated(y / hScale);
    if (height >= file.std_OIMG_Height[1])
        height -= file.std_OIMG_Height[1];
    const DistanceTools &tools = frame.tools;
    const int across = truncated(std::abs(tools.CountDisStart.x() - tools.CountDisEnd.x()) / usableScale(frame.WScale));
    const int down = truncated(std::abs(tools.CountDisStart.y() - tools.CountDisEnd.y()) / hScale);
    return QStringLiteral("当前高度：") + QString::number(height) + QStringLiteral("  →:") + QString::number(across)
        + QStringLiteral("  ↓:") + QString::number(down);
}

void Workspace::pbMouseUp()
{
    MouseDragging = false;
    HelpLineDragging.fill(false);
}

void Workspace::pbClick(int fileN)
{
    makeOnlyActive(fileN);
}

void Workspace::pbDblClick(int fileN, int y)
{
    makeOnlyActive(fileN);
    const FileSlot &s = slot(fileN);
    if (!m_settings.helplinelock && s.Opened) {
        const int k = helpLineAt(s, y);
        if (k >= 0) {
            int32_t &style = m_settings.HelpLineStyle[size_t(k)];
            style = (style + 1) % 5;
            return;
        }
    }
    btnPlayClick();
}

// --- B-scan menu and mark menu ---

void Workspace::ChannelHideClick(int tag)
{
    auto &hidden = m_settings.display.channelhide;
    if (tag < 0 || tag >= int(hidden.size()))
        return;
    hidden[size_t(tag)] = !hidden[size_t(tag)];
    applyDisplayStyle();
}

QString Workspace::channelHideCaption(int tag) const
{
    static const char *const names[10] = {"隐藏通道1",  "隐藏通道2",  "隐藏通道3",  "隐藏通道4",  "隐藏通道5",
                                          "隐藏通道6",  "隐藏通道1A", "隐藏通道2A", "隐藏通道3A", "通道隐藏失波"};
    const auto &hidden = m_settings.display.channelhide;
    if (tag < 0 || tag >= int(hidden.size()))
        return {};
    const QString name = QString::fromUtf8(names[tag]);
    return hidden[size_t(tag)] ? name + QStringLiteral("√") : name;
}

bool Workspace::cutEndEnabled(int fileN) const
{
    const FileSlot &s = slot(fileN);
    return s.hasRecording() && s.Recording->Cutting;
}

void Workspace::cutStart()
{
    for (FileSlot &s : m_slots) {
        if (!s.Opened || !s.Active)
            continue;
        s.Recording->Cutting = true;
        s.Recording->CutStartPos = std::max(0, s.bar.position() - m_settings.display.std_OIMG_Width);
    }
}

std::vector<int> Workspace::cutEndCandidates()
{
    std::vector<int> candidates;
    for (int n = 0; n < int(m_slots.size()); ++n) {
        FileSlot &s = slot(n);
        if (!s.Opened || !s.Active || !s.Recording->Cutting)
            continue;
        s.Recording->CutEndPos = s.bar.position();
        if (s.Recording->CutStartPos < s.Recording->CutEndPos)
            candidates.push_back(n);
    }
    return candidates;
}

void Workspace::saveCut(mystdfile &file, const QString &path, bool withMarks)
{
    if (withMarks)
        file.SaveCutedStdFile(path);
    else
        file.SaveCutedMarkedlessStdFile(path);
}

void Workspace::measureStart()
{
    measureEndEnabled = true;
    measureCancelEnabled = true;
    for (FileSlot &s : m_slots) {
        if (!s.Opened || !s.Active)
            continue;
        DistanceTools &tools = s.Frame.tools;
        tools.CountDisPro = true;
        tools.CountDisProStart = imagePoint(s.Frame, s.bar.position(), RightClickPoint);
        tools.CountDisProStartXY = RightClickPoint;
        tools.CountDisProCompleted = false;
    }
}

void Workspace::measureEnd()
{
    measureStartEnabled = false;
    measureEndEnabled = false;
    for (FileSlot &s : m_slots) {
        if (!s.Opened || !s.Active)
            continue;
        DistanceTools &tools = s.Frame.tools;
        tools.CountDisProEnd = imagePoint(s.Frame, s.bar.position(), RightClickPoint);
        tools.CountDisProEndXY = RightClickPoint;
        tools.CountDisProCompleted = true;
    }
}

void Workspace::measureCancel()
{
    measureStartEnabled = true;
    measureEndEnabled = false;
    measureCancelEnabled = false;
    for (FileSlot &s : m_slots) {
        if (!s.Opened || !s.Active)
            continue;
        s.Frame.tools.CountDisPro = false;
        s.Frame.tools.CountDisProCompleted = false;
    }
}

void Workspace::toggleRailHead()
{
    m_settings.BShowHide = !m_settings.BShowHide;
    for (FileSlot &s : m_slots) {
        if (!s.Opened)
            continue;
        s.Opened = false;
        s.Recording->std_bshowhide = m_settings.BShowHide;
        s.Recording->resetStdHeigh();
        s.Opened = true;
    }
}

void Workspace::markMenu(char16_t cmd)
{
    FileSlot &s = slot(MarkSlot);
    if (!s.Opened)
        return;
    // AddMark refuses the negative rows of a view that starts before the sub-file.
    s.Recording->AddMark(cmd, s.bar.position() - s.Frame.style.std_OIMG_Width / 4);
}

// --- leaving ---

bool Workspace::hasUnsavedChanges() const
{
    return std::any_of(m_slots.begin(), m_slots.end(),
                       [](const FileSlot &s) { return s.hasRecording() && !s.Recording->std_FileSaved; });
}

void Workspace::FormDestroy(const QString &settingsFile, const QString &replayLogFile)
{
    for (int n = 0; n < int(m_slots.size()); ++n) {
        retireRecording(n, false);
        emptySlot(n);
    }
    // Both files are written even when the first cannot be; what failed is reported.
    QStringList failures;
    for (const auto &save : {std::function<void()>([&] { m_settings.savesetting(settingsFile); }),
                             std::function<void()>([&] { m_log.savereplaylog(replayLogFile); })}) {
        try {
            save();
        } catch (const common::UserError &e) {
            failures << e.text();
        }
    }
    if (!failures.isEmpty())
        throw common::IniFileError(failures.join(QLatin1Char('\n')));
}

// --- private ---

std::optional<int> Workspace::nextWorkerPosition(int fileN, int &dwellMs)
{
    dwellMs = 0;
    const FileSlot &s = m_slots[size_t(fileN)];
    if (MouseDragging || !s.Opened || !Playing || !(SyncPlay || s.Active))
        return std::nullopt;
    PlaySettings play;
    play.smartPlay = SmartPlay;
    play.smartplayMode = m_smartplayMode;
    play.smartplayTime = m_smartplayTime;
    play.bShowWidth = m_bShowWidth;
    play.speed = PlaySpeed;
    const WorkerView &view = m_workerView[size_t(fileN)];
    const int position = view.position;
    const int maximum = view.maximum;
    const Advance next = workerAdvance(*s.Recording, position, maximum, play, &Playing);
    // At the end of the sub-file there is nothing to hand over until the status timer switches.
    const int target = std::min(next.position, maximum);
    if (target == position)
        return std::nullopt;
    dwellMs = next.dwellMs;
    return target;
}

void Workspace::startWorker(int fileN)
{
    SlotWorker::Host host;
    host.nextPosition = [this, fileN](int &dwellMs) { return nextWorkerPosition(fileN, dwellMs); };
    host.postToWindow = m_post;
    host.applyPosition = [this, fileN](int position) {
        if (slot(fileN).Opened)
            setPosition(fileN, position);
    };
    FileSlot &s = slot(fileN);
    s.Worker = std::make_unique<SlotWorker>(std::move(host));
    s.Worker->start();
}

void Workspace::stopWorker(int fileN)
{
    FileSlot &s = slot(fileN);
    if (s.Worker) {
        s.Worker->stop();
        s.Worker.reset();
    }
}

std::optional<QString> Workspace::retireRecording(int fileN, bool save)
{
    FileSlot &s = slot(fileN);
    s.Opened = false;
    stopWorker(fileN);
    if (!s.Recording)
        return std::nullopt;

    mystdfile &file = *s.Recording;
    file.std_CloseTime = QDateTime::currentDateTime();
    const ReplayLogEntry entry = replayLogEntry(file.std_FilePath, file.std_OpenTime, file.std_CloseTime);
    m_log.addreplaylog(entry.fileName, entry.startTime, entry.duration);
    std::optional<QString> failure;
    if (save) {
        try {
            file.SaveStdFile(file.std_FilePath, true);
        } catch (const StdFileError &e) {
            failure = e.text();
        }
    }
    s.Recording.reset();
    m_lastFrame[size_t(fileN)].reset();
    return failure;
}

void Workspace::emptySlot(int fileN)
{
    FileSlot &s = slot(fileN);
    s.comboLines.clear();
    s.comboIndex = 0;
    s.caption = QStringLiteral("文件") + QString::number(fileN + 1);
    s.dBHint.clear();
    s.bar = PositionBar();
    s.DragStartPosition = 0;
    m_workerView[size_t(fileN)].position = s.bar.position();
    m_workerView[size_t(fileN)].maximum = s.bar.maximum();
}

void Workspace::showRecordingTexts(int fileN, const QString &gainText)
{
    FileSlot &s = slot(fileN);
    s.dBHint = gainText;
    s.caption = common::displayName(QFileInfo(s.Recording->std_FilePath).fileName()) + QStringLiteral("     ") + gainText;
}

void Workspace::resetBar(int fileN, int maximum)
{
    PositionBar &bar = slot(fileN).bar;
    bar.setRange(0, maximum);
    bar.setPosition(1);
    bar.setSelectionEnd(0);
    m_workerView[size_t(fileN)].position = bar.position();
    m_workerView[size_t(fileN)].maximum = bar.maximum();
}

void Workspace::publishPlaySettings()
{
    m_smartplayMode = m_settings.SmartplayMode;
    m_smartplayTime = m_settings.SmartplayTime;
    m_bShowWidth = m_settings.display.std_OIMG_Width;
}

std::vector<int> Workspace::movingSlots() const
{
    std::vector<int> moving;
    for (int n = 0; n < int(m_slots.size()); ++n) {
        const FileSlot &s = slot(n);
        if (s.Opened && (SyncPlay || s.Active))
            moving.push_back(n);
    }
    return moving;
}
