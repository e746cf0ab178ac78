#include "settingform.h"

#include "probefileform.h"
#include "workspace/PlayerSettings.h"
#include "workspace/Workspace.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>
#include <functional>

namespace {

// Width of a page inside the page control of the 436-wide window.
constexpr int PageWidth = 428;

const QStringList ColourCaptions{
    QStringLiteral("通道1"),  QStringLiteral("通道2"),  QStringLiteral("通道3"),  QStringLiteral("通道4"),
    QStringLiteral("通道5"),  QStringLiteral("通道6"),  QStringLiteral("通道1A"), QStringLiteral("通道2A"),
    QStringLiteral("通道3A"), QStringLiteral("失波"),   QStringLiteral("背景"),   QStringLiteral("边框"),
    QStringLiteral("文字"),   QStringLiteral("标记")};

const QStringList ChannelNames{QStringLiteral("1"),  QStringLiteral("2"),  QStringLiteral("3"),
                               QStringLiteral("4"),  QStringLiteral("5"),  QStringLiteral("6"),
                               QStringLiteral("1A"), QStringLiteral("2A"), QStringLiteral("3A")};

// Where the label of each probe channel stands on a probe tab; its bar is 25 pixels to the right.
constexpr std::array<QPoint, 9> ProbeLabelPositions{QPoint(10, 10),  QPoint(10, 50),  QPoint(10, 90),
                                                    QPoint(10, 130), QPoint(210, 130), QPoint(10, 170),
                                                    QPoint(210, 10), QPoint(210, 50), QPoint(210, 90)};
constexpr int DisabledProbeChannel = 3;

QSlider *bar(int minimum, int maximum, int value, QWidget *parent)
{
    auto *slider = new QSlider(Qt::Horizontal, parent);
    slider->setRange(minimum, maximum);
    slider->setValue(value);
    slider->setTickPosition(QSlider::NoTicks);
    return slider;
}

// A bar 400 × 30 centred on the page, with its label below, also centred.
QSlider *centredBar(int minimum, int maximum, int value, int top, QWidget *page)
{
    QSlider *slider = bar(minimum, maximum, value, page);
    slider->setGeometry((PageWidth - 400) / 2, top, 400, 30);
    return slider;
}

QLabel *centredLabel(const QString &text, int pointSize, int top, QWidget *page)
{
    auto *label = new QLabel(text, page);
    QFont font = label->font();
    font.setPointSize(pointSize);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry((PageWidth - 400) / 2, top, 400, 2 * pointSize + 10);
    return label;
}

QLabel *smallLabel(const QString &text, int pointSize, int width, QPoint at, QWidget *page)
{
    auto *label = new QLabel(text, page);
    QFont font = label->font();
    font.setPointSize(pointSize);
    label->setFont(font);
    // The width given is the least: "1A" in this font needs more than 15 pixels.
    label->setGeometry(at.x(), at.y(), std::max(width, label->sizeHint().width()), 22);
    return label;
}

} // namespace

Tfrm_setting::Tfrm_setting(Workspace &workspace, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_changes(workspace), m_workspace(workspace)
{
    setObjectName(QStringLiteral("frm_setting"));
    setWindowTitle(QStringLiteral("设置"));
    pgc = new QTabWidget(this);
    // Every page's tab in sight: no scroll arrows hiding the last pages.
    pgc->setUsesScrollButtons(false);
    pgc->addTab(buildColourPage(), QStringLiteral("颜色和字体"));
    pgc->addTab(buildBShowPage(), QStringLiteral("B显显示设置"));
    pgc->addTab(buildProbePage(), QStringLiteral("探头位置"));
    pgc->addTab(buildSmartplayPage(), QStringLiteral("智能回放设置"));
    pgc->addTab(buildMessagePage(), QStringLiteral("回放信息显示"));
    pgc->addTab(buildHelpLinePage(), QStringLiteral("辅助线"));
    pgc->addTab(buildChannelFilterPage(), QStringLiteral("通道过滤"));
    // 436 × 275 is the least; the window grows as the tabs need in this font.
    const int width = std::max(436, pgc->tabBar()->sizeHint().width() + 4);
    setFixedSize(width, 275);
    pgc->setGeometry(0, 0, width, 275);

    frm_probefile = new Tfrm_probefile(m_changes, [this] { return selectedProbeSlot(); }, this);
    frm_probefile->hide();
    connect(frm_probefile, &Tfrm_probefile::probesChanged, this, &Tfrm_setting::refreshProbeBars);

    refreshColourButtons();
    refreshProbeBars();
}

void Tfrm_setting::showPage(int page, int activeSlot)
{
    refreshColourButtons();
    refreshProbeBars();
    if (page >= 0 && page < pgc->count())
        pgc->setCurrentIndex(page);
    if (page == 2 && activeSlot >= 0 && activeSlot < pgc_probe->count())
        pgc_probe->setCurrentIndex(activeSlot);
    show();
    raise();
}

void Tfrm_setting::showEvent(QShowEvent *event)
{
    const QSignalBlocker blocker(cbHelpLineLock);
    cbHelpLineLock->setChecked(m_workspace.settings().helplinelock);
    QWidget::showEvent(event);
}

// --- "颜色和字体" ---

QWidget *Tfrm_setting::buildColourPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("ts_colorandfont"));
    QStringList captions = ColourCaptions;
    captions << QStringLiteral("跟随仪器") << QStringLiteral("默认风格") << QStringLiteral("保存颜色方案")
             << QStringLiteral("读取方案");
    int x = 5, y = 5;
    std::vector<QPushButton *> buttons;
    for (const QString &caption : captions) {
        if (x + 75 > PageWidth) {
            x = 5;
            y += 25 + 10;
        }
        auto *button = new QPushButton(caption, page);
        button->setGeometry(x, y, 75, 25);
        buttons.push_back(button);
        x += 75 + 10;
    }
    for (int k = 0; k < ColourCount; ++k) {
        colourButtons[size_t(k)] = buttons[size_t(k)];
        connect(buttons[size_t(k)], &QPushButton::clicked, this, [this, k] { colorbtnClick(k); });
    }
    connect(buttons[ColourCount], &QPushButton::clicked, this, [this] {
        m_changes.followInstrumentColours();
        refreshColourButtons();
    });
    connect(buttons[ColourCount + 1], &QPushButton::clicked, this, [this] {
        m_changes.restoreDefaultColours();
        refreshColourButtons();
    });
    connect(buttons[ColourCount + 2], &QPushButton::clicked, this, [this] {
        m_changes.saveColourScheme();
        QMessageBox::information(this, windowTitle(), QStringLiteral("保存成功！"));
    });
    connect(buttons[ColourCount + 3], &QPushButton::clicked, this, [this] {
        m_changes.readColourScheme();
        refreshColourButtons();
        QMessageBox::information(this, windowTitle(), QStringLiteral("读取成功！"));
    });

    const PlayerSettings &settings = m_workspace.settings();
    trbSignSize = centredBar(2, 6, settings.display.sign_size, 140, page);
    lblSignSize = centredLabel(signSizeLabel(settings.display.sign_size), 9, 160, page);
    trbFontSize = centredBar(6, 22, settings.display.font_size, 200, page);
    lblFontSize = centredLabel(fontSizeLabel(settings.display.font_size), 12, 220, page);
    connect(trbSignSize, &QSlider::valueChanged, this, [this](int value) {
        m_changes.setSignSize(value);
        lblSignSize->setText(signSizeLabel(value));
    });
    connect(trbFontSize, &QSlider::valueChanged, this, [this](int value) {
        m_changes.setFontSize(value);
        lblFontSize->setText(fontSizeLabel(value));
    });
    return page;
}

void Tfrm_setting::colorbtnClick(int k)
{
    const QColor current = m_workspace.settings().display.colourScheme()[size_t(k)];
    const QColor chosen = QColorDialog::getColor(current, this);
    if (chosen.isValid())
        m_changes.setColour(k, chosen);
    else
        m_changes.applyToOpenRecordings();
    refreshColourButtons();
}

void Tfrm_setting::refreshColourButtons()
{
    const ColourScheme colours = m_workspace.settings().display.colourScheme();
    for (int k = 0; k < ColourCount; ++k)
        colourButtons[size_t(k)]->setStyleSheet(QStringLiteral("color: %1").arg(colours[size_t(k)].name()));
}

// --- "B显显示设置" ---

QWidget *Tfrm_setting::buildBShowPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("ts_Bshowwidth"));
    const PlayerSettings &settings = m_workspace.settings();
    trbBShowWidth = centredBar(1000, 30000, settings.display.std_OIMG_Width, 50, page);
    lblBShowWidth = centredLabel(bShowWidthLabel(settings.display.std_OIMG_Width), 20, 100, page);
    connect(trbBShowWidth, &QSlider::valueChanged, this, [this](int value) {
        m_changes.setBShowWidth(value);
        lblBShowWidth->setText(bShowWidthLabel(value));
    });

    smallLabel(QStringLiteral("显示方式："), 9, 80, QPoint(114, 165), page);
    cb_bshowmode = new QComboBox(page);
    cb_bshowmode->addItems({QStringLiteral("实时拼孔"), QStringLiteral("完全显示")});
    cb_bshowmode->setCurrentIndex(settings.display.std_bshowmode == 1 ? 1 : 0);
    cb_bshowmode->setGeometry(194, 162, 120, 25);
    connect(cb_bshowmode, &QComboBox::currentIndexChanged, this, [this](int mode) { m_changes.setBShowMode(mode); });
    return page;
}

// --- "探头位置" ---

QWidget *Tfrm_setting::buildProbePage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("ts_probe"));
    pgc_probe = new QTabWidget(page);
    pgc_probe->setTabPosition(QTabWidget::South);
    pgc_probe->setGeometry(0, 0, PageWidth, 245);
    pgc_probe->addTab(buildProbeTab(0), QStringLiteral("文件一探头"));
    pgc_probe->addTab(buildProbeTab(1), QStringLiteral("文件二探头"));
    return page;
}

QWidget *Tfrm_setting::buildProbeTab(int fileN)
{
    auto *tab = new QWidget;
    for (int j = 0; j < 9; ++j) {
        const QPoint at = ProbeLabelPositions[size_t(j)];
        smallLabel(ChannelNames[j], 10, 15, at, tab);
        QSlider *slider = bar(0, 1600, 0, tab);
        slider->setGeometry(at.x() + 25, at.y(), 160, 22);
        slider->setEnabled(j != DisabledProbeChannel);
        connect(slider, &QSlider::valueChanged, this,
                [this, j](int value) { m_changes.setProbePosition(selectedProbeSlot(), j, value); });
        trbprobe[size_t(fileN)][size_t(j)] = slider;
    }
    const struct {
        const char16_t *caption;
        int left;
        std::function<void()> click;
    } buttons[] = {
        {u"重置", 210,
         [this] {
             m_changes.resetProbePositions(selectedProbeSlot());
             refreshProbeBars();
         }},
        {u"保存", 275, [this] { frm_probefile->open(ProbeFileMode::Save); }},
        {u"读取", 340, [this] { frm_probefile->open(ProbeFileMode::Load); }},
    };
    for (const auto &b : buttons) {
        auto *button = new QPushButton(QString::fromUtf16(b.caption), tab);
        button->setGeometry(b.left, 170, 60, 25);
        connect(button, &QPushButton::clicked, this, b.click);
    }
    return tab;
}

int Tfrm_setting::selectedProbeSlot() const
{
    return pgc_probe->currentIndex();
}

void Tfrm_setting::refreshProbeBars()
{
    for (int fileN = 0; fileN < 2; ++fileN) {
        const std::optional<std::array<int32_t, 9>> positions = m_changes.probePositions(fileN);
        if (!positions)
            continue;
        for (size_t j = 0; j < positions->size(); ++j) {
            QSlider *slider = trbprobe[size_t(fileN)][j];
            const QSignalBlocker blocker(slider);
            slider->setValue((*positions)[j]);
        }
    }
}

// --- "智能回放设置" ---

QWidget *Tfrm_setting::buildSmartplayPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("ts_stoptime"));
    const PlayerSettings &settings = m_workspace.settings();
    trbSmartplayTime = centredBar(200, 5000, settings.SmartplayTime, 50, page);
    lblSmartplayTime = centredLabel(smartplayTimeLabel(settings.SmartplayTime), 20, 100, page);
    connect(trbSmartplayTime, &QSlider::valueChanged, this, [this](int value) {
        m_changes.setSmartplayTime(value);
        lblSmartplayTime->setText(smartplayTimeLabel(value));
    });

    cb_smartplaymode = new QComboBox(page);
    cb_smartplaymode->addItems({QStringLiteral("跳半个屏播放"), QStringLiteral("连续播放")});
    cb_smartplaymode->setCurrentIndex(settings.SmartplayMode == 1 ? 1 : 0);
    cb_smartplaymode->setGeometry((PageWidth - 140) / 2, 162, 140, 25);
    connect(cb_smartplaymode, &QComboBox::currentIndexChanged, this,
            [this](int mode) { m_changes.setSmartplayMode(mode); });
    return page;
}

// --- "回放信息显示" ---

QWidget *Tfrm_setting::buildMessagePage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("ts_messagecontrol"));
    const PlayerSettings &settings = m_workspace.settings();
    cbSpeedShow = new QCheckBox(QStringLiteral("即时速度显示开关"), page);
    cbSpeedShow->setGeometry(20, 20, 200, 25);
    cbSpeedShow->setChecked(settings.display.std_SpeedShow);
    connect(cbSpeedShow, &QCheckBox::toggled, this, [this](bool on) { m_changes.setSpeedShow(on); });
    cbColorShow = new QCheckBox(QStringLiteral("通道颜色显示开关"), page);
    cbColorShow->setGeometry(20, 60, 200, 25);
    cbColorShow->setChecked(settings.display.std_ColorShow);
    connect(cbColorShow, &QCheckBox::toggled, this, [this](bool on) { m_changes.setColorShow(on); });
    return page;
}

// --- "辅助线" ---

QWidget *Tfrm_setting::buildHelpLinePage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("ts_helpline"));
    cbHelpLineLock = new QCheckBox(QStringLiteral("锁定辅助线"), page);
    cbHelpLineLock->setGeometry(20, 20, 200, 25);
    cbHelpLineLock->setChecked(m_workspace.settings().helplinelock);
    connect(cbHelpLineLock, &QCheckBox::toggled, this, [this](bool locked) { m_changes.setHelpLineLock(locked); });
    return page;
}

// --- "通道过滤" ---

QWidget *Tfrm_setting::buildChannelFilterPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("ts_channelfilter"));
    const PlayerSettings &settings = m_workspace.settings();
    QStringList names = ChannelNames;
    names << QStringLiteral("70度");
    int x = 5, y = 15;
    for (int k = 0; k < int(trbChannelFilter.size()); ++k) {
        if (x + 30 + 160 > PageWidth) {
            x = 5;
            y += 25;
        }
        smallLabel(names[k], 10, 30, QPoint(x, y), page);
        QSlider *slider = bar(0, 10, settings.display.ChannelFilter[size_t(k)], page);
        slider->setGeometry(x + 30, y, 160, 30);
        connect(slider, &QSlider::valueChanged, this, [this, k](int value) {
            m_changes.setChannelFilter(k, value);
            if (k == SeventyDegreeFilterTag)
                refreshChannelFilterBars();
        });
        trbChannelFilter[size_t(k)] = slider;
        x += 180;
    }
    cbChannelFilter = new QCheckBox(QStringLiteral("70度统一修改"), page);
    cbChannelFilter->setGeometry(250, 220, 150, 22);
    cbChannelFilter->setChecked(settings.channelfilter);
    connect(cbChannelFilter, &QCheckBox::toggled, this, [this](bool unified) {
        m_changes.setChannelFilterUnified(unified);
        refreshChannelFilterBars();
    });
    refreshChannelFilterBars();
    return page;
}

void Tfrm_setting::refreshChannelFilterBars()
{
    const PlayerSettings &settings = m_workspace.settings();
    for (int k = 0; k < int(trbChannelFilter.size()); ++k) {
        QSlider *slider = trbChannelFilter[size_t(k)];
        const QSignalBlocker blocker(slider);
        slider->setValue(settings.display.ChannelFilter[size_t(k)]);
        slider->setEnabled(channelFilterBarEnabled(k, settings.channelfilter));
    }
}
