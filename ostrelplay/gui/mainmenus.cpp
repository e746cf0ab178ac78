// The menus of the main window: the main menu, the B-scan menu and the mark menu.

#include "mainform.h"

#include "SlotWidgets.h"
#include "common/Resources.h"
#include "common/gui/SaveFileDialog.h"
#include "common/gui/VisualStyles.h"
#include "workspace/Workspace.h"
#include "aboutform.h"
#include "platform/FileAssociation.h"
#include "replaylogform.h"
#include "office/Launch.h"
#include "office/OfficeError.h"
#include "windows/Screenshot.h"
#include "windows/WordReport.h"
#include "excelformspeed.h"
#include "markform.h"
#include "common/gui/PaintBox.h"
#include "stdmform.h"

#include <QFileDialog>

#include <QActionGroup>
#include <QCoreApplication>
#include <QCursor>
#include <QMenu>
#include <QMenuBar>

namespace {

const QStringList SettingsPages{QStringLiteral("颜色和字体"),   QStringLiteral("B显显示设置"),
                                QStringLiteral("探头位置"),     QStringLiteral("智能回放设置"),
                                QStringLiteral("回放信息显示"), QStringLiteral("辅助线"),
                                QStringLiteral("通道过滤")};

} // namespace

void Tfrm_main::createMenus()
{
    QMenuBar *mm = menuBar();
    mm->setObjectName(QStringLiteral("mm"));

    QMenu *file = mm->addMenu(QStringLiteral("文件"));
    const QString numbers[2] = {QStringLiteral("一"), QStringLiteral("二")};
    for (int fileN = 0; fileN < 2; ++fileN) {
        if (fileN > 0)
            file->addSeparator();
        file->addAction(QStringLiteral("打开文件") + numbers[fileN], this, [this, fileN] { OpenClick(fileN); });
        file->addAction(QStringLiteral("保存文件") + numbers[fileN], this, [this, fileN] { SaveClick(fileN); });
        file->addAction(QStringLiteral("关闭文件") + numbers[fileN], this, [this, fileN] { CloseClick(fileN); });
    }
    file->addSeparator();
    file->addAction(QStringLiteral("文件目录"), this, &Tfrm_main::btn_tvClick);

    QMenu *settings = mm->addMenu(QStringLiteral("设置"));
    settings->addAction(SettingsPages.front(), this, [this] { showSettingsPage(0); });
    QMenu *styles = settings->addMenu(QStringLiteral("界面风格"));
    auto *styleGroup = new QActionGroup(styles);
    for (const VisualStyle &style : visualStyles()) {
        QAction *item = styles->addAction(style.caption, this, [this, name = style.name] { setPlayerStyle(name); });
        item->setCheckable(true);
        item->setChecked(style.name == m_settings.PlayerStyle);
        styleGroup->addAction(item);
    }
    for (int page = 1; page < SettingsPages.size(); ++page)
        settings->addAction(SettingsPages[page], this, [this, page] { showSettingsPage(page); });
    settings->addAction(QStringLiteral("关联.std文件"), this, &Tfrm_main::std1Click);

    QMenu *exports = mm->addMenu(QStringLiteral("导出"));
    exports->addAction(QStringLiteral("截图"), this, &Tfrm_main::screenshotClick);
    exports->addAction(QStringLiteral("报告"), this, &Tfrm_main::reportClick);
    exports->addMenu(QStringLiteral("统计表"))
        ->addAction(QStringLiteral("超速统计"), this, [this] { frm_speedexcel->N56Click(); });

    QMenu *log = mm->addMenu(QStringLiteral("回放记录"));
    log->addAction(QStringLiteral("查看回放记录"), this, [this] { frm_replaylog->showLog(); });

    QMenu *help = mm->addMenu(QStringLiteral("帮助"));
    help->addAction(QStringLiteral("关于软件"), this, [this] {
        frm_about->show();
        frm_about->raise();
    });

    mm->addAction(QStringLiteral("打开录像文件"), this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("打开录像文件"), QString(),
                                                          QStringLiteral("stdm文件 (*.stdm)"));
        if (!path.isEmpty())
            frm_stdm->openFile(path);
    });
}

void Tfrm_main::createBScanMenu()
{
    pm = new QMenu(this);
    pm->setObjectName(QStringLiteral("pm"));
    for (int page = 0; page < SettingsPages.size(); ++page)
        pm->addAction(SettingsPages[page], this, [this, page] { showSettingsPage(page); });

    QMenu *hide = pm->addMenu(QStringLiteral("通道隐藏"));
    for (int tag = 0; tag < 10; ++tag) {
        QAction *item = hide->addAction(m_ws.channelHideCaption(tag), this, [this, tag] { ChannelHideClick(tag); });
        item->setObjectName(QStringLiteral("ChannelHide%1").arg(tag));
        m_channelHideItems[size_t(tag)] = item;
    }

    Workspace &ws = m_ws;
    QMenu *cut = pm->addMenu(QStringLiteral("裁剪数据"));
    cut->addAction(QStringLiteral("裁剪数据起点"), this, [&ws] { ws.cutStart(); });
    m_cutEnd = cut->addAction(QStringLiteral("裁剪数据终点"), this, &Tfrm_main::cutEndClick);
    m_cutEnd->setEnabled(false);

    QMenu *measure = pm->addMenu(QStringLiteral("测距"));
    m_measureStart = measure->addAction(QStringLiteral("测距起点"), this, [&ws] { ws.measureStart(); });
    m_measureEnd = measure->addAction(QStringLiteral("测距终点"), this, [&ws] { ws.measureEnd(); });
    m_measureCancel = measure->addAction(QStringLiteral("取消"), this, [&ws] { ws.measureCancel(); });

    QMenu *exports = pm->addMenu(QStringLiteral("导出"));
    exports->addAction(QStringLiteral("截图"), this, &Tfrm_main::screenshotClick);
    exports->addAction(QStringLiteral("报告"), this, &Tfrm_main::reportClick);
    pm->addAction(QStringLiteral("显示/隐藏轨头"), this, [&ws] { ws.toggleRailHead(); });
}

void Tfrm_main::createMarkMenu()
{
    pm_mark = new QMenu(this);
    pm_mark->setObjectName(QStringLiteral("pm_mark"));
    Workspace &ws = m_ws;
    const std::pair<QString, char16_t> marks[] = {
        {QStringLiteral("一级报警"), u'?'},
        {QStringLiteral("二级报警"), u'F'},
        {QStringLiteral("伤损复核确认"), u'!'},
    };
    for (const auto &[caption, cmd] : marks)
        pm_mark->addAction(caption, this, [&ws, cmd = cmd] { ws.markMenu(cmd); });
    pm_mark->addAction(QStringLiteral("标记筛选"), this, [this] { frm_mark->showFor(m_ws.MarkSlot); });
}

// The B-scan menu after a right-button press on slot fileN's B-scan.
void Tfrm_main::showBScanMenu(int fileN)
{
    m_cutEnd->setEnabled(m_ws.cutEndEnabled(fileN));
    m_measureStart->setEnabled(m_ws.measureStartEnabled);
    m_measureEnd->setEnabled(m_ws.measureEndEnabled);
    m_measureCancel->setEnabled(m_ws.measureCancelEnabled);
    pm->popup(QCursor::pos());
}

void Tfrm_main::ChannelHideClick(int tag)
{
    m_ws.ChannelHideClick(tag);
    for (int t = 0; t < 10; ++t)
        m_channelHideItems[size_t(t)]->setText(m_ws.channelHideCaption(t));
}

void Tfrm_main::cutEndClick()
{
    for (int fileN : m_ws.cutEndCandidates()) {
        const std::shared_ptr<mystdfile> file = m_ws.slot(fileN).Recording;
        const QString path = askSaveFileName();
        if (path.isEmpty())
            continue;
        const bool withMarks = askYesNo(QStringLiteral("系统提示"), QStringLiteral("是否保存标记?"));
        runGuarded([&] { m_ws.saveCut(*file, path, withMarks); });
    }
}

void Tfrm_main::std1Click()
{
    const FileAssociationResult result = associateStdFiles(QCoreApplication::applicationFilePath());
    tell(QStringLiteral("系统提示"), result.message);
}

void Tfrm_main::setPlayerStyle(const QString &name)
{
    if (applyVisualStyle(name))
        m_settings.PlayerStyle = name;
}

void Tfrm_main::screenshotClick()
{
    const QString jpeg = QStringLiteral("压缩图片 (*.JPG)");
    const QString bitmap = QStringLiteral("无损图片 (*.BMP)");
    for (int fileN = 0; fileN < 2; ++fileN) {
        const FileSlot &slot = m_ws.slot(fileN);
        if (!slot.Opened || !slot.Active || !slot.hasRecording())
            continue;
        // The picture as shown now; the dialog lets play and hand-overs go on.
        const std::shared_ptr<const mystdfile> file = slot.Recording;
        const QImage bscan = slot.Frame.std_BBitMap;
        const QSize pane = slotWidgets(fileN)->pb->size();
        QString filter = jpeg;
        const QString name = askExportFileName(this, QString(), exportDefaultName(*file, slot.Frame.CurPlayPos),
                                               {jpeg, bitmap}, &filter);
        if (name.isEmpty())
            continue;
        const ScreenshotFormat format = filter == jpeg ? ScreenshotFormat::Jpeg : ScreenshotFormat::Bitmap;
        runGuarded([&] {
            saveScreenshot(screenshotPicture(*file, bscan, pane.width(), pane.height()), name, format);
            tell(QStringLiteral("系统提示"), QStringLiteral("图像已经保存到所选位置！"));
        });
    }
}

void Tfrm_main::reportClick()
{
    const QString templatePath = common::findResource(QStringLiteral("report.dom"));
    if (templatePath.isEmpty()) {
        tell(QStringLiteral("警告"), QStringLiteral("找不到报告模板 report.dom，无法导出报告！"));
        return;
    }
    for (int fileN = 0; fileN < 2; ++fileN) {
        const FileSlot &slot = m_ws.slot(fileN);
        if (!slot.Opened || !slot.Active || !slot.hasRecording())
            continue;
        // The frame as shown now; the dialog lets play and hand-overs go on.
        const std::shared_ptr<const mystdfile> file = slot.Recording;
        const StdFrame frame = slot.Frame;
        const QSize pane = slotWidgets(fileN)->pb->size();
        const QString chosen = askExportFileName(this, QString(), exportDefaultName(*file, frame.CurPlayPos),
                                                 {QStringLiteral("Word报告 (*.doc)")});
        if (chosen.isEmpty())
            continue;
        const QString name = reportPath(chosen);
        runGuarded([&] {
            try {
                const QString error = exportReport(*file, frame, pane.width(), pane.height(), templatePath, name);
                if (!error.isEmpty())
                    tell(QStringLiteral("警告"), error);
                tell(QStringLiteral("系统提示"), reportCaption(name));
                openWithDefaultApplication(name);
            } catch (const OfficeError &e) {
                tell(QStringLiteral("警告"), e.text());
            }
        });
    }
}
