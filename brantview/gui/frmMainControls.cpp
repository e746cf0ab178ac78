// frmMain's controls and menus, with the captions of the instrument's desktop.

#include "frmMain.h"

#include "common/gui/PaintBox.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QStatusBar>
#include <QVBoxLayout>

using namespace brantview;

namespace {

QPushButton *button(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QScrollBar *bar(const QString &name, QWidget *parent, int minimumWidth)
{
    auto *s = new QScrollBar(Qt::Horizontal, parent);
    s->setObjectName(name);
    s->setMinimumWidth(minimumWidth);
    return s;
}

QLabel *label(const QString &name, const QString &caption, QWidget *parent)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(name);
    return l;
}

} // namespace

void frmMain::buildControls()
{
    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(2);

    m_navigation = new QWidget(central);
    auto *rows = new QVBoxLayout(m_navigation);
    rows->setContentsMargins(0, 0, 0, 0);
    auto *buttons = new QHBoxLayout;
    auto *bars = new QHBoxLayout;
    rows->addLayout(buttons);
    rows->addLayout(bars);

    Command_index = button(QStringLiteral("Command_index"), QStringLiteral("文件1"), m_navigation);
    Command_TB = button(QStringLiteral("Command_TB"), QStringLiteral("异步"), m_navigation);
    Disp_Command = button(QStringLiteral("Disp_Command"), QStringLiteral("自动"), m_navigation);
    Command_dir = button(QStringLiteral("Command_dir"), QStringLiteral("向前"), m_navigation);
    Mbackward = button(QStringLiteral("Mbackward"), QStringLiteral("<"), m_navigation);
    MForward = button(QStringLiteral("MForward"), QStringLiteral(">"), m_navigation);
    Magnify = button(QStringLiteral("Magnify"), QStringLiteral("放大镜"), m_navigation);
    Option_show[0] = new QRadioButton(QStringLiteral("精"), m_navigation);
    Option_show[1] = new QRadioButton(QStringLiteral("拼"), m_navigation);
    Option_show[0]->setObjectName(QStringLiteral("Option_show0"));
    Option_show[1]->setObjectName(QStringLiteral("Option_show1"));
    Label2 = label(QStringLiteral("Label2"), QStringLiteral("拼孔选择"), m_navigation);
    Combo1_MChoose = new QComboBox(m_navigation);
    Combo1_MChoose->setObjectName(QStringLiteral("Combo1_MChoose"));
    for (int i = 0; i <= 4; ++i)
        Combo1_MChoose->addItem(QString::number(i));
    Text3 = label(QStringLiteral("Text3"), QStringLiteral("点大小"), m_navigation);
    Slider1 = new QSlider(Qt::Horizontal, m_navigation);
    Slider1->setObjectName(QStringLiteral("Slider1"));
    Slider1->setRange(SettingRanges::PointSize.min, SettingRanges::PointSize.max);
    Slider1->setMinimumWidth(100);
    for (QWidget *w : std::initializer_list<QWidget *>{Command_index, Command_TB, Disp_Command, Command_dir, Mbackward,
                                                       MForward, Magnify, Option_show[0], Option_show[1], Label2,
                                                       Combo1_MChoose, Text3, Slider1})
        buttons->addWidget(w);
    buttons->addStretch(1);

    for (int i = 0; i < 2; ++i) {
        Text_HScroll[size_t(i)] = new QLineEdit(m_navigation);
        Text_HScroll[size_t(i)]->setObjectName(QStringLiteral("Text_HScroll%1").arg(i));
        Text_HScroll[size_t(i)]->setReadOnly(true);
        Text_HScroll[size_t(i)]->setFocusPolicy(Qt::NoFocus);
        Text_HScroll[size_t(i)]->setMaximumWidth(120);
    }
    HScroll_Pos = bar(QStringLiteral("HScroll_Pos"), m_navigation, 300);
    Text_dis = label(QStringLiteral("Text_dis"), QStringLiteral("浏览位置:"), m_navigation);
    Text2 = label(QStringLiteral("Text2"), QStringLiteral("速度"), m_navigation);
    HScroll_Interval = bar(QStringLiteral("HScroll_Interval"), m_navigation, 80);
    HScroll_Interval->setRange(SettingRanges::Speed.min, SettingRanges::Speed.max);
    Text1 = label(QStringLiteral("Text1"), QStringLiteral("自动步长"), m_navigation);
    HScroll_Length = bar(QStringLiteral("HScroll_Length"), m_navigation, 80);
    Text4 = label(QStringLiteral("Text4"), QStringLiteral("手动步长"), m_navigation);
    HScroll_lenHand = bar(QStringLiteral("HScroll_lenHand"), m_navigation, 80);
    bars->addWidget(label(QStringLiteral("browseCaption"), QStringLiteral("浏览:"), m_navigation));
    bars->addWidget(Text_HScroll[0]);
    bars->addWidget(Text_HScroll[1]);
    bars->addWidget(HScroll_Pos, 4);
    bars->addWidget(Text_dis);
    for (QWidget *w : std::initializer_list<QWidget *>{Text2, HScroll_Interval, Text1, HScroll_Length, Text4,
                                                       HScroll_lenHand})
        bars->addWidget(w, w->inherits("QScrollBar") ? 1 : 0);
    column->addWidget(m_navigation);
    m_navigation->setVisible(false);

    m_view = new PaintBox([this](QPainter &painter) { m_view->drawPicture(painter, QPoint(0, 0), m_image); }, central);
    m_view->setObjectName(QStringLiteral("view"));
    m_view->setMouseTracking(true);
    m_view->setMinimumSize(640, 360);
    column->addWidget(m_view, 1);

    label1 = new QLabel(m_view);
    label1->setObjectName(QStringLiteral("label1"));
    label1->setAutoFillBackground(true);
    label1->hide();
    LineA = new QFrame(m_view);
    LineA->setObjectName(QStringLiteral("LineA"));
    LineA->setFrameShape(QFrame::VLine);
    LineA->hide();

    setCentralWidget(central);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setMaximumWidth(300);
    ProgressBar1->hide();
    statusBar()->setObjectName(QStringLiteral("sbStatusBar"));
    statusBar()->addPermanentWidget(ProgressBar1);

    connect(Command_index, &QPushButton::clicked, this, &frmMain::FileSet);
    connect(Command_TB, &QPushButton::clicked, this, &frmMain::Command_TB_Click);
    connect(Disp_Command, &QPushButton::clicked, this, [this] { setAutoPlay(!m_state.AutoPlay); });
    connect(Command_dir, &QPushButton::clicked, this, &frmMain::Command_dir_Click);
    connect(Mbackward, &QPushButton::clicked, this, [this] { StepView(m_settings.ManualStep); });
    connect(MForward, &QPushButton::clicked, this, [this] { StepViewBack(m_settings.ManualStep); });
    connect(Magnify, &QPushButton::clicked, this, &frmMain::Magnify_Click);
    connect(Option_show[0], &QRadioButton::clicked, this, [this] { Option_show_Click(false); });
    connect(Option_show[1], &QRadioButton::clicked, this, [this] { Option_show_Click(true); });
    connect(Slider1, &QSlider::valueChanged, this, &frmMain::Slider1_Change);
    connect(Combo1_MChoose, &QComboBox::activated, this, &frmMain::Combo1_MChoose_Click);
    connect(HScroll_Pos, &QScrollBar::valueChanged, this, &frmMain::HScroll_Pos_Change);
    connect(HScroll_Interval, &QScrollBar::valueChanged, this, [this](int v) {
        if (m_settingScroll)
            return;
        m_settings.Speed = v;
        Text2->setText(QStringLiteral("速度：%1").arg(v));
        Timer1.setInterval(3000 / std::max(v, 1));
        saveSettings();
    });
    connect(HScroll_Length, &QScrollBar::valueChanged, this, [this](int v) {
        if (m_settingScroll)
            return;
        m_settings.AutoStep = v;
        Text1->setText(QStringLiteral("自动步长：%1").arg(v));
        saveSettings();
    });
    connect(HScroll_lenHand, &QScrollBar::valueChanged, this, [this](int v) {
        if (m_settingScroll)
            return;
        m_settings.ManualStep = v;
        Text4->setText(QStringLiteral("手动步长：%1").arg(v));
        saveSettings();
    });

    connect(m_view, &PaintBox::mouseDown, this, [this](QPoint pos, Qt::MouseButton b) {
        const int code = b == Qt::LeftButton ? PointerButton::Left
            : b == Qt::RightButton           ? PointerButton::Right
            : b == Qt::MiddleButton          ? PointerButton::Middle
                                             : 0;
        const double k = pointsPerPixel();
        Form_MouseDown(code, shiftMask(), pos.x() * k, pos.y() * k);
    });
    connect(m_view, &PaintBox::mouseMove, this, [this](QPoint pos) {
        const Qt::MouseButtons held = QGuiApplication::mouseButtons();
        const int code = held & Qt::LeftButton ? PointerButton::Left
            : held & Qt::MiddleButton          ? PointerButton::Middle
            : held & Qt::RightButton           ? PointerButton::Right
                                               : 0;
        const double k = pointsPerPixel();
        Form_MouseMove(code, shiftMask(), pos.x() * k, pos.y() * k);
    });
    connect(m_view, &PaintBox::mouseUp, this, [this](Qt::MouseButton b) {
        Form_MouseUp(b == Qt::LeftButton ? PointerButton::Left : b == Qt::RightButton ? PointerButton::Right
                                                                                      : PointerButton::Middle);
    });
    connect(m_view, &PaintBox::doubleClicked, this, [this](QPoint) { Form_DblClick(); });
}

void frmMain::buildMenus()
{
    auto item = [this](QMenu *menu, const QString &name, const QString &caption, bool later = false) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(name);
        // Windows of features still to come are shown, not offered.
        a->setEnabled(!later);
        return a;
    };

    mnuFile = menuBar()->addMenu(QStringLiteral("文件1"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    connect(item(mnuFile, QStringLiteral("mnuFileOpen"), QStringLiteral("打开文件")), &QAction::triggered, this,
            [this] { mnuFileOpen_Click(0); });
    mnuFile->addSeparator();
    item(mnuFile, QStringLiteral("mnuFilePageSetup"), QStringLiteral("Page Set&up..."), true);
    mnuFile->addSeparator();
    connect(item(mnuFile, QStringLiteral("mnuFileExit"), QStringLiteral("退出(&X)")), &QAction::triggered, this,
            &QWidget::close);

    mnuFile2 = menuBar()->addMenu(QStringLiteral("文件2"));
    mnuFile2->setObjectName(QStringLiteral("mnuFile2"));
    mnuFileOpen2 = item(mnuFile2, QStringLiteral("mnuFileOpen2"), QStringLiteral("打开文件"));
    connect(mnuFileOpen2, &QAction::triggered, this, [this] { mnuFileOpen_Click(1); });
    mnuFile2->setEnabled(false);

    mnuFormat = menuBar()->addMenu(QStringLiteral("设置"));
    mnuFormat->setObjectName(QStringLiteral("mnuFormat"));
    item(mnuFormat, QStringLiteral("mnuStyle"), QStringLiteral("数据显示与过滤设置"), true);
    item(mnuFormat, QStringLiteral("mnuColor"), QStringLiteral("拼图设置"), true);

    mnuTools = menuBar()->addMenu(QStringLiteral("工具"));
    mnuTools->setObjectName(QStringLiteral("mnuTools"));
    mnuLineSet = item(mnuTools, QStringLiteral("mnuLineSet"), QStringLiteral("辅助线设置"), true);
    item(mnuTools, QStringLiteral("mnudBMap"), QStringLiteral("dB全程变化曲线"), true);
    item(mnuTools, QStringLiteral("mnuPrint"), QStringLiteral("打印图形"), true);
    item(mnuTools, QStringLiteral("mnuPicture"), QStringLiteral("保存图形"), true);
    item(mnuTools, QStringLiteral("mnuWord"), QStringLiteral("Word报告"), true);
    item(mnuTools, QStringLiteral("mnuGPS"), QStringLiteral("GPS"), true);
    item(mnuTools, QStringLiteral("mnuFindMark"), QStringLiteral("标记查找"), true);
    item(mnuTools, QStringLiteral("mnuFind"), QStringLiteral("位置查找"), true);
    mnuSave = item(mnuTools, QStringLiteral("mnuSave"), QStringLiteral("储存"));
    mnuPos1 = item(mnuTools, QStringLiteral("mnuPos1"), QStringLiteral("起点"));
    mnuPos2 = item(mnuTools, QStringLiteral("mnuPos2"), QStringLiteral("终点"));
    mnuPos_Flag = item(mnuTools, QStringLiteral("mnuPos_Flag"), QStringLiteral("清除标记"));
    static const char *const markNames[] = {"munRewMark",     "munRewMark_HY",  "munRewMark_YLWS", "munRewMark_YLWE",
                                            "munRewMark_GZ1", "munRewMark_GZ2", "munRewMark_GZ3",  "munRewMark_GZ4"};
    static const char16_t *const markCaptions[] = {u"F1-阅",   u"F2-怀疑",  u"F3-鱼鳞纹始点", u"F4-鱼鳞纹终点",
                                                   u"F5-关注1", u"F6-关注2", u"F7-关注3",      u"F8-关注4"};
    for (int k = 0; k < 8; ++k) {
        munRewMark[size_t(k)] = item(mnuTools, QString::fromLatin1(markNames[k]), QString::fromUtf16(markCaptions[k]));
        connect(munRewMark[size_t(k)], &QAction::triggered, this, [this, k] { addReviewMark(k + 1); });
    }
    munMlist = item(mnuTools, QStringLiteral("munMlist"), QStringLiteral("浏览标记列表"), true);
    connect(mnuSave, &QAction::triggered, this, &frmMain::mnuSave_Click);
    connect(mnuPos1, &QAction::triggered, this, [this] { mnuPos_Click(1); });
    connect(mnuPos2, &QAction::triggered, this, [this] { mnuPos_Click(2); });
    connect(mnuPos_Flag, &QAction::triggered, this, [this] { mnuPos_Click(0); });
    for (QAction *a : popupOnlyItems())
        a->setVisible(false);
    mnuTools->setEnabled(false);

    auto topItem = [this](const QString &name, const QString &caption) {
        QAction *a = menuBar()->addAction(caption);
        a->setObjectName(name);
        a->setEnabled(false);
        return a;
    };
    mnuReport = topItem(QStringLiteral("mnuReport"), QStringLiteral("管理报告"));
    mnuAdisplay = topItem(QStringLiteral("mnuAdisplay"), QStringLiteral("A显校对"));
    mnuAdisplay2 = topItem(QStringLiteral("mnuAdisplay2"), QStringLiteral("A显校对2"));
    mnuSpeed = topItem(QStringLiteral("mnuSpeed"), QStringLiteral("速度统计"));
}

std::vector<QAction *> frmMain::popupOnlyItems() const
{
    std::vector<QAction *> items{mnuSave, mnuPos1, mnuPos2, mnuPos_Flag, mnuLineSet, munMlist};
    items.insert(items.end(), munRewMark.begin(), munRewMark.end());
    return items;
}
