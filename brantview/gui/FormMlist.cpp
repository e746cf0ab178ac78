#include "FormMlist.h"

#include "SettingsWidgets.h"

#include "analysis/WorkbookExport.h"
#include "common/gui/SaveFileDialog.h"
#include "office/Launch.h"
#include "office/OfficeError.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

using namespace brantview;

namespace {

// The lines line up by their spaces: a font whose Latin letters are half the width
// of its Chinese ones, as 宋体 on the instrument's desktop.
QFont listFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("Noto Sans Mono CJK SC")});
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(10);
    return font;
}

} // namespace

FormMlist::FormMlist(RecordingSlots &panes, const ViewSources &sources, std::function<void()> marksChanged,
                     QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint),
      m_panes(panes),
      m_sources(sources),
      m_marksChanged(std::move(marksChanged))
{
    setObjectName(QStringLiteral("FormMlist"));
    setWindowTitle(QStringLiteral("浏览标记列表"));
    askFileName = [](QWidget *owner) {
        return askExportFileName(owner, QStringLiteral("输入文件名"), QString(),
                                 {QStringLiteral("输出文件 (*.xls)"), QStringLiteral("所有文件(*.*)")});
    };
    warn = [](QWidget *owner, const QString &message) { QMessageBox::warning(owner, owner->windowTitle(), message); };
    showWorkbook = &openWithDefaultApplication;

    label1 = named(new QLabel, "label1");
    Combol_list = named(new QComboBox, "Combol_list");
    Combol_list->addItems(MarkListFilterCaptions());
    ListM = named(new QListWidget, "ListM");
    ListM->setFont(listFont());
    ListM->setMinimumSize(QFontMetrics(ListM->font()).horizontalAdvance(MarkListHeading) * 3 / 2, 360);
    Command1 = named(new QPushButton(QStringLiteral("输出到EXCEL文件")), "Command1");
    Command2 = named(new QPushButton(QStringLiteral("删除当前标记")), "Command2");

    auto *top = new QHBoxLayout;
    top->addWidget(label1);
    top->addStretch();
    top->addWidget(new QLabel(QStringLiteral("筛选条件：")));
    top->addWidget(Combol_list);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(ListM);
    layout->addLayout(buttons);

    connect(Combol_list, &QComboBox::currentIndexChanged, this, &FormMlist::Combol_list_Click);
    connect(Command1, &QPushButton::clicked, this, &FormMlist::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FormMlist::Command2_Click);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().topLeft());
}

void FormMlist::Form_Load(int slot)
{
    m_slot = slot;
    label1->setText(slot == 0 ? QStringLiteral("文件1浏览标记列表") : QStringLiteral("文件2浏览标记列表"));
    {
        const QSignalBlocker quiet(Combol_list);
        Combol_list->setCurrentIndex(0);
    }
    BuildMarkList();
}

void FormMlist::BuildMarkList()
{
    m_list = brantview::BuildMarkList(slot(), Combol_list->currentIndex(), m_sources);
    ListM->clear();
    ListM->addItems(m_list.lines);
}

void FormMlist::Combol_list_Click(int)
{
    BuildMarkList();
}

void FormMlist::Command1_Click()
{
    const QString path = askFileName(this);
    if (path.isEmpty())
        return;
    try {
        ExportMarkList(path, slot(), m_list);
        showWorkbook(path);
    } catch (const OfficeError &) {
        warn(this, ExcelTroubleMessage);
    }
}

void FormMlist::Command2_Click()
{
    if (!DeleteListedMark(slot(), m_list, ListM->currentRow()))
        return;
    BuildMarkList();
    if (m_marksChanged)
        m_marksChanged();
}
