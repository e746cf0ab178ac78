#include "mainform.h"

#include "SlotWidgets.h"
#include "common/gui/VisualStyles.h"
#include "workspace/Workspace.h"
#include "aboutform.h"
#include "dbparaform.h"
#include "excelformspeed.h"
#include "eventform.h"
#include "markform.h"
#include "paraform.h"
#include "searchform.h"
#include "settingform.h"
#include "worktableform.h"
#include "common/UserError.h"
#include "common/gui/PaintBox.h"
#include "ascanform.h"
#include "rendering/AScanPanel.h"
#include "stdmform.h"
#include "replaylogform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTextEdit>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSlider>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const QString SystemPrompt = QStringLiteral("系统提示");
constexpr int TreePanelWidth = 200;
constexpr int PlayBarHeight = 60;

QString emptySlotCaption(int fileN)
{
    return QStringLiteral("文件%1").arg(fileN + 1);
}

bool isStdPath(const QString &path)
{
    return path.size() > 4 && path.endsWith(QLatin1String(".std"), Qt::CaseInsensitive);
}

// The desktop, or the home folder where a desktop has no folder of its own.
QString defaultTreeRoot()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return QFileInfo(desktop).isDir() ? desktop : QDir::homePath();
}

MouseButton mouseButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::RightButton:
        return MouseButton::Right;
    case Qt::LeftButton:
        return MouseButton::Left;
    default:
        return MouseButton::Middle;
    }
}

} // namespace

QString Tfrm_main::title()
{
    return QStringLiteral("Ostrel回放软件1.9.0");
}

Tfrm_main::Tfrm_main(ReplaySession &session, QWidget *parent)
    : QMainWindow(parent), m_session(session), m_settings(session.settings()), m_log(session.replayLog()),
      m_ws(session.workspace())
{
    setObjectName(QStringLiteral("frm_main"));
    askYesNo = [this](const QString &caption, const QString &text) {
        return QMessageBox::question(this, caption, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
               QMessageBox::Yes;
    };
    tell = [this](const QString &caption, const QString &text) { QMessageBox::information(this, caption, text); };

    FormCreate();
    // Every key of this window passes here first (see playKey).
    qApp->installEventFilter(this);

    frm_ascan = new Tfrm_ascan(m_ws, this);
    frm_replaylog = new Tfrm_replaylog(m_log, this);
    frm_about = new Tfrm_about(this);
    frm_para = new Tfrm_para(m_ws, this);
    frm_worktable = new Tfrm_worktable(m_ws, this);
    frm_setting = new Tfrm_setting(m_ws, this);
    frm_dbpara = new Tfrm_dbpara(m_ws, this);
    frm_event = new Tfrm_event(m_ws, this);
    frm_search = new Tfrm_search(m_ws, this);
    frm_mark = new Tfrm_mark(m_ws, this);
    frm_stdm = new Tfrm_stdm(m_settings, this);
    frm_speedexcel = new Tfrm_speedexcel(m_ws, this);

    connect(&tmr, &QTimer::timeout, this, &Tfrm_main::tmrTimer);
    connect(&Timer, &QTimer::timeout, this, &Tfrm_main::TimerTimer);
    tmr.start(100);
    Timer.start(10);
}

Tfrm_main::~Tfrm_main()
{
    tmr.stop();
    Timer.stop();
    runGuarded([this] { m_session.FormDestroy(); });
}

void Tfrm_main::FormCreate()
{
    // An unknown name keeps the style the program started with.
    applyVisualStyle(m_settings.PlayerStyle);

    auto *central = new QWidget(this);
    auto *columns = new QHBoxLayout(central);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(2);
    columns->addWidget(createFolderPanel());

    auto *right = new QVBoxLayout;
    right->setSpacing(0);
    pnl_p = new QWidget(central);
    pnl_p->installEventFilter(this);
    for (int fileN = 0; fileN < 2; ++fileN) {
        QGroupBox *box = new QGroupBox(emptySlotCaption(fileN), pnl_p);
        auto *boxLayout = new QVBoxLayout(box);
        boxLayout->setContentsMargins(2, 2, 2, 2);
        box->setAcceptDrops(true);
        box->installEventFilter(this);
        grp[size_t(fileN)] = box;
    }
    pnl_m = new QWidget(central);
    pnl_m->setFixedHeight(PlayBarHeight);
    pnl_m->installEventFilter(this);
    right->addWidget(pnl_p, 1);
    right->addWidget(pnl_m);
    columns->addLayout(right, 1);
    setCentralWidget(central);

    const QString workdir = m_settings.workdirPath();
    if (!setTreeRoot(workdir)) {
        setTreeRoot(defaultTreeRoot());
        // The desktop is no folder to set again where the desktop has none; the tree
        // shows the home folder then, and says so.
        if (workdir != QStandardPaths::writableLocation(QStandardPaths::DesktopLocation))
            QTimer::singleShot(0, this, [this] { tell(SystemPrompt, QStringLiteral("工作目录不存在，请重新设置！")); });
        else
            statusBar()->showMessage(QStringLiteral("没有桌面文件夹：左边是主文件夹，请用“设置工作目录”选择录像所在的文件夹"));
    }

    InitPlayWidget();
    createMenus();
    createBScanMenu();
    createMarkMenu();
    statusBar();

    setMinimumSize(1024, 675);
    setWindowState(Qt::WindowMaximized);
    setWindowTitle(title());
}

QWidget *Tfrm_main::createFolderPanel()
{
    auto *column = new QWidget(this);
    auto *layout = new QHBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    pnl_tv = new QWidget(column);
    pnl_tv->setFixedWidth(TreePanelWidth);
    auto *treeLayout = new QVBoxLayout(pnl_tv);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    auto *btn_workdir = new QPushButton(QStringLiteral("设置工作目录"), pnl_tv);
    connect(btn_workdir, &QPushButton::clicked, this, &Tfrm_main::btn_workdirClick);
    treeLayout->addWidget(btn_workdir);

    m_tree = new QFileSystemModel(this);
    m_tree->setOption(QFileSystemModel::DontWatchForChanges);
    m_tree->setFilter(QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot);
    m_tree->setNameFilters({QStringLiteral("*.std")});
    m_tree->setNameFilterDisables(false);
    tv = new QTreeView(pnl_tv);
    tv->setObjectName(QStringLiteral("tv"));
    tv->setModel(m_tree);
    tv->setHeaderHidden(true);
    for (int column = 1; column < m_tree->columnCount(); ++column)
        tv->hideColumn(column);
    tv->setDragEnabled(true);
    tv->setDragDropMode(QAbstractItemView::DragOnly);
    connect(tv, &QTreeView::doubleClicked, this, &Tfrm_main::tvDblClick);
    treeLayout->addWidget(tv, 1);
    layout->addWidget(pnl_tv);

    btn_tv = new QPushButton(QStringLiteral("<<"), column);
    btn_tv->setFixedWidth(24);
    btn_tv->setFocusPolicy(Qt::NoFocus);
    connect(btn_tv, &QPushButton::clicked, this, &Tfrm_main::btn_tvClick);
    auto *toggleColumn = new QVBoxLayout;
    toggleColumn->addWidget(btn_tv);
    toggleColumn->addStretch(1);
    layout->addLayout(toggleColumn);
    return column;
}

void Tfrm_main::InitPlayWidget()
{
    struct Button {
        const char *name;
        QString caption;
        std::function<void()> action;
    };
    Workspace &ws = m_ws;
    const Button buttons[8] = {
        {"btn_mode", QStringLiteral("智能"), [&ws] { ws.btnModeClick(); }},
        {"btn_sync", QStringLiteral("同步"), [&ws] { ws.btnSyncClick(); }},
        {"btn_back", QStringLiteral("后退"), [&ws] { ws.btnBackClick(); }},
        {"btn_play", QStringLiteral("播放"), [&ws] { ws.btnPlayClick(); }},
        {"btn_next", QStringLiteral("前进"), [&ws] { ws.btnNextClick(); }},
        {"btn_ascan", QStringLiteral("A显"), [this] {
             frm_ascan->show();
             frm_ascan->raise();
         }},
        {"btn_countdis", QStringLiteral("测距"), [&ws] { ws.btnCountDisClick(); }},
        {"btn_compress", QStringLiteral("缩放"), [this] { btnCompressClick(); }},
    };
    for (int i = 0; i < 8; ++i) {
        auto *button = new QPushButton(buttons[i].caption, pnl_m);
        button->setObjectName(QLatin1String(buttons[i].name));
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this, [this, action = buttons[i].action] {
            action();
            afterCommand();
        });
        m_playButtons[size_t(i)] = button;
    }
    btn_back = m_playButtons[2];
    btn_play = m_playButtons[3];
    btn_next = m_playButtons[4];

    auto makeBar = [this](int maximum, int value) {
        auto *bar = new QSlider(Qt::Horizontal, pnl_m);
        bar->setRange(1, maximum);
        bar->setValue(value);
        bar->setTickPosition(QSlider::NoTicks);
        bar->setFocusPolicy(Qt::NoFocus);
        return bar;
    };
    lbl_dot = new QLabel(QStringLiteral("粗细:"), pnl_m);
    lbl_speed = new QLabel(QStringLiteral("速度:"), pnl_m);
    trb_dot = makeBar(10, m_settings.display.DocSize);
    trb_speed = makeBar(200, m_settings.PlaySpeed);
    trb_dot->setObjectName(QStringLiteral("trb_dot"));
    trb_speed->setObjectName(QStringLiteral("trb_speed"));
    m_ws.setDotSize(trb_dot->value());
    m_ws.setPlaySpeed(trb_speed->value());
    connect(trb_dot, &QSlider::valueChanged, this, [this](int value) { m_ws.setDotSize(value); });
    connect(trb_speed, &QSlider::valueChanged, this, [this](int value) { m_ws.setPlaySpeed(value); });
}

void Tfrm_main::ResetLayout()
{
    const int height = pnl_p->height();
    const int upper = (height - 7) / 2;
    grp[0]->setGeometry(0, 0, pnl_p->width(), upper);
    grp[1]->setGeometry(0, upper + 3, pnl_p->width(), height - upper - 3);

    const int x0 = (pnl_m->width() - 660) / 2;
    const int top = (pnl_m->height() - 50) / 2;
    for (int i = 0; i < 8; ++i)
        m_playButtons[size_t(i)]->setGeometry(x0 + 60 * i, top, 50, 50);
    const int x = x0 + 480;
    const int t = (pnl_m->height() - 36) / 2;
    lbl_dot->setGeometry(x, t, 30, 16);
    trb_dot->setGeometry(x + 30, t - 5, 200, 22);
    lbl_speed->setGeometry(x, t + 23, 30, 16);
    trb_speed->setGeometry(x + 30, t + 18, 200, 22);

    resetScrollBars();
}

bool Tfrm_main::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && playKey(watched, static_cast<QKeyEvent *>(event)))
        return true;
    if (event->type() == QEvent::Resize && (watched == pnl_p || watched == pnl_m))
        ResetLayout();
    for (int fileN = 0; fileN < 2; ++fileN)
        if (watched == grp[size_t(fileN)] && grpDragDrop(fileN, event))
            return true;
    return QMainWindow::eventFilter(watched, event);
}

// --- folder tree ---

bool Tfrm_main::setTreeRoot(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return false;
    tv->setRootIndex(m_tree->setRootPath(path));
    return true;
}

void Tfrm_main::btn_workdirClick()
{
    const QString dir = QFileDialog::getExistingDirectory(this, QStringLiteral("设置工作目录"), m_tree->rootPath());
    if (dir.isEmpty())
        return;
    m_settings.workdir = dir;
    setTreeRoot(dir);
}

void Tfrm_main::btn_tvClick()
{
    const bool show = !pnl_tv->isVisible();
    pnl_tv->setVisible(show);
    btn_tv->setText(show ? QStringLiteral("<<") : QStringLiteral(">>"));
}

void Tfrm_main::tvDblClick(const QModelIndex &index)
{
    const QString path = m_tree->filePath(index);
    if (!m_tree->isDir(index) && isStdPath(path))
        OpenFile(m_ws.NextOpenSlot, path);
}

bool Tfrm_main::grpDragDrop(int fileN, QEvent *event)
{
    const auto type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto *drop = static_cast<QDropEvent *>(event);
    const QList<QUrl> urls = drop->mimeData()->urls();
    const QString path = urls.size() == 1 ? urls.front().toLocalFile() : QString();
    if (drop->source() != tv || !isStdPath(path)) {
        drop->ignore();
        return true;
    }
    drop->acceptProposedAction();
    if (type == QEvent::Drop)
        OpenFile(fileN, path);
    return true;
}

// --- slots ---

void Tfrm_main::OpenFile(int fileN, const QString &path)
{
    std::optional<Notice> notice;
    runGuarded([&] { notice = m_ws.OpenFile(fileN, path); });
    FreeFileWidget(fileN);
    if (m_ws.slot(fileN).hasRecording()) {
        SetFileWidget(fileN);
        m_slotWidgets[size_t(fileN)]->resetScrollBar();
    }
    afterCommand();
    if (notice)
        tell(notice->title, notice->text);
}

void Tfrm_main::SetFileWidget(int fileN)
{
    if (m_slotWidgets[size_t(fileN)])
        return;
    auto *set = new SlotWidgetSet(m_ws.slot(fileN), grp[size_t(fileN)]);
    grp[size_t(fileN)]->layout()->addWidget(set);
    Workspace &ws = m_ws;
    connect(set->cbb, &QComboBox::activated, this, [this, fileN](int index) { cbbChange(fileN, index); });
    connect(set->btn_mark, &QPushButton::clicked, this, [this, fileN] { btnMarkClick(fileN); });
    connect(set->btn_para, &QPushButton::clicked, this, [this, fileN] { frm_para->btnParaClick(fileN); });
    connect(set->btn_work, &QPushButton::clicked, this, [this, fileN] { frm_worktable->btnWorkClick(fileN); });
    connect(set->btn_db, &QPushButton::clicked, this, [this, fileN] { frm_dbpara->lbldbparaClick(fileN); });
    connect(set->btn_event, &QPushButton::clicked, this, [this, fileN] { frm_event->btnEventClick(fileN); });
    connect(set->btn_search, &QPushButton::clicked, this, [this, fileN] { frm_search->btnSearchClick(fileN); });
    connect(set->trb, &QSlider::valueChanged, this, [&ws, fileN](int value) { ws.setPosition(fileN, value); });
    connect(set->pb, &PaintBox::mouseDown, this,
            [this, fileN](QPoint pos, Qt::MouseButton button) { pbMouseDown(fileN, pos, button); });
    connect(set->pb, &PaintBox::mouseMove, this,
            [this, fileN](QPoint pos) { statusBar()->showMessage(m_ws.pbMouseMove(fileN, pos.x(), pos.y())); });
    connect(set->pb, &PaintBox::mouseUp, this, [&ws] { ws.pbMouseUp(); });
    connect(set->pb, &PaintBox::clicked, this, [&ws, fileN] { ws.pbClick(fileN); });
    connect(set->pb, &PaintBox::doubleClicked, this, [this, fileN](QPoint pos) {
        m_ws.pbDblClick(fileN, pos.y());
        refreshPlayBar();
    });
    m_slotWidgets[size_t(fileN)] = set;
    set->show();
    showSlot(fileN);
}

void Tfrm_main::FreeFileWidget(int fileN)
{
    delete m_slotWidgets[size_t(fileN)];
    m_slotWidgets[size_t(fileN)] = nullptr;
    grp[size_t(fileN)]->setTitle(emptySlotCaption(fileN));
}

void Tfrm_main::showSlot(int fileN)
{
    const FileSlot &slot = m_ws.slot(fileN);
    grp[size_t(fileN)]->setTitle(slot.caption);
    if (SlotWidgetSet *set = m_slotWidgets[size_t(fileN)])
        set->showSlot();
}

void Tfrm_main::resetScrollBars()
{
    for (SlotWidgetSet *set : m_slotWidgets)
        if (set)
            set->resetScrollBar();
}

void Tfrm_main::OpenClick(int fileN)
{
    const QString path = QFileDialog::getOpenFileName(this, QString(), m_tree->rootPath(),
                                                      QStringLiteral("std文件 (*.std)"));
    if (!path.isEmpty())
        OpenFile(fileN, path);
}

void Tfrm_main::SaveClick(int fileN)
{
    const std::shared_ptr<mystdfile> file = m_ws.slot(fileN).Recording;
    if (!file)
        return;
    const QString path = askSaveFileName();
    if (!path.isEmpty())
        runGuarded([&] { m_ws.SaveClick(*file, path); });
}

void Tfrm_main::CloseClick(int fileN)
{
    runGuarded([&] { m_ws.CloseClick(fileN); });
    if (!m_ws.slot(fileN).hasRecording())
        FreeFileWidget(fileN);
    afterCommand();
}

void Tfrm_main::cbbChange(int fileN, int index)
{
    runGuarded([&] { m_ws.cbbChange(fileN, index); });
    showSlot(fileN);
    if (SlotWidgetSet *set = m_slotWidgets[size_t(fileN)])
        set->pb->setFocus();
}

void Tfrm_main::btnMarkClick(int fileN)
{
    SlotWidgetSet *set = m_slotWidgets[size_t(fileN)];
    if (!m_ws.slot(fileN).Opened || !set)
        return;
    m_ws.MarkSlot = fileN;
    pm_mark->popup(set->btn_mark->mapToGlobal(QPoint(0, set->btn_mark->height())));
}

// The save dialog: "std文件" filter, ".std" added to a name without extension.
QString Tfrm_main::askSaveFileName()
{
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("std文件 (*.std)"));
    dialog.setDefaultSuffix(QStringLiteral("std"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

// --- play bar and keys ---

void Tfrm_main::refreshPlayBar()
{
    const Workspace &ws = m_ws;
    m_playButtons[0]->setText(ws.SmartPlay ? QStringLiteral("智能") : QStringLiteral("普通"));
    m_playButtons[1]->setText(ws.SyncPlay ? QStringLiteral("同步") : QStringLiteral("异步"));
    btn_play->setText(ws.Playing ? QStringLiteral("暂停") : QStringLiteral("播放"));
    m_playButtons[6]->setText(ws.Measuring ? QStringLiteral("测距中") : QStringLiteral("测距"));
    if (m_compressToggled)
        m_playButtons[7]->setText(ws.settings().display.WidthCompress ? QStringLiteral("压缩") : QStringLiteral("原图"));
}

// Commands change flags, captions and positions: show them at once rather than
// at the next timer tick.
void Tfrm_main::afterCommand()
{
    refreshPlayBar();
    for (int fileN = 0; fileN < 2; ++fileN)
        showSlot(fileN);
}

void Tfrm_main::btnCompressClick()
{
    m_ws.btnCompressClick();
    m_compressToggled = true;
    resetScrollBars();
}

// Space, Left and Right play and step wherever the focus is in this window: a
// focused button or the folder tree would otherwise take them for themselves.
// Only a field being typed into keeps them.
bool Tfrm_main::playKey(QObject *receiver, QKeyEvent *event)
{
    auto *widget = qobject_cast<QWidget *>(receiver);
    if (!widget || widget->window() != this || event->modifiers() != Qt::NoModifier)
        return false;
    QPushButton *button = event->key() == Qt::Key_Space ? btn_play
        : event->key() == Qt::Key_Left                  ? btn_back
        : event->key() == Qt::Key_Right                 ? btn_next
                                                        : nullptr;
    if (!button)
        return false;
    const auto *combo = qobject_cast<const QComboBox *>(widget);
    if (qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QAbstractSpinBox *>(widget)
        || qobject_cast<const QTextEdit *>(widget) || qobject_cast<const QPlainTextEdit *>(widget)
        || (combo && combo->isEditable()))
        return false;
    button->click();
    return true;
}

// --- B-scan pointer ---

void Tfrm_main::pbMouseDown(int fileN, QPoint pos, Qt::MouseButton button)
{
    m_ws.pbMouseDown(fileN, pos.x(), pos.y(), mouseButton(button));
    if (button == Qt::RightButton)
        showBScanMenu(fileN);
}

// --- timers ---

void Tfrm_main::tmrTimer()
{
    m_ws.tmrTimer();
    for (int fileN = 0; fileN < 2; ++fileN) {
        showSlot(fileN);
        // The described 734 is the least: the gain texts of this font need more.
        const FileSlot &slot = m_ws.slot(fileN);
        if (slot.Active && slot.hasRecording())
            frm_ascan->growTo(AScanPanelWidthForTexts(*slot.Recording, slot.Frame.style));
    }
}

void Tfrm_main::TimerTimer()
{
    for (int fileN = 0; fileN < 2; ++fileN) {
        const FileSlot &slot = m_ws.slot(fileN);
        SlotWidgetSet *set = m_slotWidgets[size_t(fileN)];
        if (!slot.Opened || !set)
            continue;
        if (m_ws.drawSlot(fileN, set->pb->size(), frm_ascan->pb_ascan->size())) {
            set->fitScrollRange();
            set->pb->update();
            if (slot.Active)
                frm_ascan->pb_ascan->update();
        }
        set->showSlot();
    }
}

// --- leaving ---

void Tfrm_main::closeEvent(QCloseEvent *event)
{
    if (m_ws.hasUnsavedChanges() && !askYesNo(SystemPrompt, QStringLiteral("数据改动未保存，确认要退出吗?"))) {
        event->ignore();
        return;
    }
    event->accept();
}

void Tfrm_main::runGuarded(const std::function<void()> &command)
{
    try {
        command();
    } catch (const common::UserError &e) {
        tell(SystemPrompt, e.text());
    }
}

void Tfrm_main::showSettingsPage(int page)
{
    int active = 0;
    for (int fileN = 0; fileN < 2; ++fileN)
        if (m_ws.slot(fileN).Active)
            active = fileN;
    frm_setting->showPage(page, active);
}
