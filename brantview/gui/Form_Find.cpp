#include "Form_Find.h"

#include "SettingsWidgets.h"
#include "frmMain.h"

#include "analysis/NumericEntry.h"

#include "analysis/MileageFind.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace brantview;

Form_Find::Form_Find(frmMain &main) : QDialog(&main), tell(searchMessageBoxes(this)), m_main(main)
{
    setObjectName(QStringLiteral("Form_Find"));
    setWindowTitle(QStringLiteral("搜索窗口"));
    setModal(false);

    Text_km = named(new QLineEdit, "Text_km");
    Text_m = named(new QLineEdit, "Text_m");
    for (QLineEdit *box : {Text_km, Text_m}) {
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000000")));
        connect(box, &QLineEdit::textChanged, this, [this] { MileageFindCursor = 0; });
    }
    checkOnLeaving(Text_km, KilometresEntryError, &tell);
    checkOnLeaving(Text_m, MetresEntryError, &tell);

    Command1 = named(new QPushButton(QStringLiteral("查找")), "Command1");
    // A click does not take the focus: the entries are checked by the click itself.
    Command1->setFocusPolicy(Qt::TabFocus);
    Command1->setAutoDefault(false);
    connect(Command1, &QPushButton::clicked, this, &Form_Find::Command1_Click);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("搜索位置：")));
    layout->addWidget(Text_km);
    layout->addWidget(new QLabel(QStringLiteral("+")));
    layout->addWidget(Text_m);
    layout->addWidget(new QLabel(QStringLiteral("米")));
    layout->addSpacing(12);
    layout->addWidget(Command1);
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    placeOnScreen(this, 1000, 3000);
}

bool Form_Find::entriesAccepted()
{
    const std::pair<QLineEdit *, QString (*)(const QString &)> boxes[] = {{Text_km, KilometresEntryError},
                                                                          {Text_m, MetresEntryError}};
    for (const auto &[box, check] : boxes) {
        const QString message = check(box->text());
        if (!message.isEmpty()) {
            tell(entryErrorTitle(), message, QMessageBox::Critical);
            returnFocusTo(box);
            return false;
        }
    }
    return true;
}

void Form_Find::Command1_Click()
{
    if (!entriesAccepted())
        return;
    const RecordingSlot &slot = m_main.panes().current();
    if (!slot.isStream())
        return;
    const int64_t target = MileageTarget(MileageEntryValue(Text_km->text()), MileageEntryValue(Text_m->text()));
    const MileageFindStep step = FindMileage(slot, target, MileageFindCursor);
    MileageFindCursor = step.cursor;
    if (step.outcome == MileageFindStep::Outcome::Found)
        m_main.moveView(step.viewStart);
    else if (step.outcome == MileageFindStep::Outcome::End)
        tell(QString(), MileageFindEndMessage(), QMessageBox::NoIcon);
}
