#include "Form_MarkFind.h"

#include "SettingsWidgets.h"
#include "frmMain.h"

#include "analysis/NumericEntry.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace brantview;

namespace {

const char16_t *const Check1Captions[] = {
    u">   拉车校对标记", u"*",      u"△",           u"！  主动退出校对", u"#   选点储存位置标记",
    u"L   里程校对标记", u"S   仪器重启标记", u"$   时钟错误点", u"X   储存器错误点",  u"M   M标记",
};

} // namespace

Form_MarkFind::Form_MarkFind(frmMain &main) : QDialog(&main), tell(searchMessageBoxes(this)), m_main(main)
{
    setObjectName(QStringLiteral("Form_MarkFind"));
    setWindowTitle(QStringLiteral("标记查找"));
    setModal(false);

    auto box = [](const QString &name, const char16_t *caption) {
        auto *check = new QCheckBox(QString::fromUtf16(caption));
        check->setObjectName(name);
        return check;
    };
    auto counter = [](const QString &name) {
        auto *label = new QLabel(QStringLiteral("0"));
        label->setObjectName(name);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("00000000(00000000)")));
        return label;
    };
    for (int k = 0; k < 10; ++k)
        Check1[size_t(k)] = box(QStringLiteral("Check1_%1").arg(k), Check1Captions[k]);
    CheckQX = box(QStringLiteral("CheckQX"), u"    进出曲线");
    CheckG = box(QStringLiteral("CheckG"), u"G   股号标记");
    CheckC = box(QStringLiteral("CheckC"), u"C   道岔标记");
    CheckdB = box(QStringLiteral("CheckdB"), u"　　轨型,dB值,MG");
    CheckE = box(QStringLiteral("CheckE"), u".　点统计");
    for (int k = 0; k < 13; ++k)
        LabelCnt[size_t(k)] = counter(QStringLiteral("LabelCnt_%1").arg(k));
    LabelQX = counter(QStringLiteral("LabelQX"));
    LabeldB = counter(QStringLiteral("LabeldB"));

    auto *rows = new QGridLayout;
    rows->setColumnMinimumWidth(1, 12);
    int row = 0;
    auto addRow = [&](QCheckBox *check, QLabel *count) {
        rows->addWidget(check, row, 0);
        rows->addWidget(count, row, 2);
        ++row;
    };
    for (int k = 0; k < 10; ++k)
        addRow(Check1[size_t(k)], LabelCnt[size_t(k)]);
    addRow(CheckQX, LabelQX);
    addRow(CheckG, LabelCnt[MarkCountIndex::Track]);
    addRow(CheckC, LabelCnt[MarkCountIndex::Switch]);
    addRow(CheckdB, LabeldB);
    addRow(CheckE, LabelCnt[MarkCountIndex::Error]);

    Text_Cnum = named(new QLineEdit, "Text_Cnum");
    Text_Cnum->setMinimumWidth(Text_Cnum->fontMetrics().horizontalAdvance(QStringLiteral("000000000")));
    checkOnLeaving(Text_Cnum, SwitchNumberEntryError, &tell);
    auto *number = new QHBoxLayout;
    number->addWidget(new QLabel(QStringLiteral("道岔编号：")));
    number->addWidget(Text_Cnum);
    number->addStretch();

    CommandFind_Next = named(new QPushButton(QStringLiteral("向前查找")), "CommandFind_Next");
    CommandFind_Prev = named(new QPushButton(QStringLiteral("向后查找")), "CommandFind_Prev");
    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {CommandFind_Next, CommandFind_Prev}) {
        // A click does not take the focus: the switch number is checked by the click itself.
        button->setFocusPolicy(Qt::TabFocus);
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    connect(CommandFind_Next, &QPushButton::clicked, this, &Form_MarkFind::CommandFind_Next_Click);
    connect(CommandFind_Prev, &QPushButton::clicked, this, &Form_MarkFind::CommandFind_Prev_Click);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(rows);
    layout->addLayout(number);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    showCounts(main.panes().current());
    placeOnScreen(this, 1000, 3000);
}

void Form_MarkFind::showCounts(const RecordingSlot &slot)
{
    const MarkFindCounts counts = MarkFindCountsOf(slot);
    for (size_t k = 0; k < LabelCnt.size(); ++k)
        LabelCnt[k]->setText(counts.LabelCnt[k]);
    LabelQX->setText(counts.LabelQX);
    LabeldB->setText(counts.LabeldB);
}

MarkFindCriteria Form_MarkFind::criteria() const
{
    MarkFindCriteria criteria;
    for (size_t k = 0; k < Check1.size(); ++k)
        criteria.Check1[k] = Check1[k]->isChecked();
    criteria.CheckQX = CheckQX->isChecked();
    criteria.CheckG = CheckG->isChecked();
    criteria.CheckC = CheckC->isChecked();
    criteria.CheckdB = CheckdB->isChecked();
    criteria.CheckE = CheckE->isChecked();
    criteria.switchNumber = SwitchNumberOf(Text_Cnum->text());
    return criteria;
}

void Form_MarkFind::CommandFind_Next_Click()
{
    search(MarkFindDirection::Forward);
}

void Form_MarkFind::CommandFind_Prev_Click()
{
    search(MarkFindDirection::Backward);
}

void Form_MarkFind::search(MarkFindDirection direction)
{
    const QString refused = SwitchNumberEntryError(Text_Cnum->text());
    if (!refused.isEmpty()) {
        tell(entryErrorTitle(), refused, QMessageBox::Critical);
        returnFocusTo(Text_Cnum);
        return;
    }
    const RecordingSlot &slot = m_main.panes().current();
    const MarkFindStep step = FindMark(slot, criteria(), direction, m_main.viewState().R);
    if (step.outcome == MarkFindStep::Outcome::Found)
        m_main.moveView(step.viewStart);
    else if (step.outcome == MarkFindStep::Outcome::End)
        tell(QString(), step.message, QMessageBox::NoIcon);
}
