#include "aboutform.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

const QString History = QStringLiteral(
    "Ostrel回放软件1.9.0\n"
    "\n"
    "本版本包含：\n"
    "· 回放 .std 数据文件：两个文件窗口，可同时打开两个文件对比回放；\n"
    "· B显与A显：按当前位置实时绘制，可压缩到窗口宽度或按原图显示；\n"
    "· 播放：智能与普通播放、同步与异步、前进与后退、速度与点的粗细调节，空格键和左右方向键操作；\n"
    "· 分段文件切换：播放到分段末尾自动进入下一段；\n"
    "· 在B显上拖动定位、测距、辅助线拖动与线型切换、通道隐藏、显示/隐藏轨头；\n"
    "· 打标记（一级报警、二级报警、伤损复核确认），关闭文件时保存标记；\n"
    "· 另存文件与裁剪数据（可选择是否保存标记）；\n"
    "· 文件目录浏览、双击或拖动打开文件，命令行与再次启动时打开文件；\n"
    "· 回放记录查看、界面风格选择、关联.std文件。\n");

} // namespace

Tfrm_about::Tfrm_about(QWidget *parent)
    : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("frm_about"));
    setWindowTitle(QStringLiteral("关于软件"));
    resize(480, 320);
    auto *text = new QPlainTextEdit(History, this);
    text->setReadOnly(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
}
