#include "SearchEntry.h"

#include "analysis/NumericEntry.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace {

// Set while a refused box takes the focus back: the control it leaves then is not
// checked, or two refused boxes would pull the focus to and fro.
bool returningFocus = false;

class LeavingCheck : public QObject {
public:
    LeavingCheck(QLineEdit *box, QString (*check)(const QString &), const SearchMessage *tell)
        : QObject(box), m_box(box), m_check(check), m_tell(tell)
    {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_box && event->type() == QEvent::FocusOut && !returningFocus
            && leavesForAnotherControl(static_cast<QFocusEvent *>(event)->reason())) {
            const QString message = m_check(m_box->text());
            if (!message.isEmpty()) {
                (*m_tell)(brantview::entryErrorTitle(), message, QMessageBox::Critical);
                QTimer::singleShot(0, m_box, [box = QPointer<QLineEdit>(m_box)] {
                    if (box)
                        returnFocusTo(box);
                });
            }
        }
        return false;
    }

private:
    // Another window taking the focus (a message box, the main window) is no leaving.
    static bool leavesForAnotherControl(Qt::FocusReason reason)
    {
        return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
    }

    QLineEdit *m_box;
    QString (*m_check)(const QString &);
    const SearchMessage *m_tell;
};

} // namespace

SearchMessage searchMessageBoxes(QWidget *parent)
{
    return [parent](const QString &title, const QString &text, QMessageBox::Icon icon) {
        QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
        box.exec();
    };
}

void returnFocusTo(QLineEdit *box)
{
    returningFocus = true;
    box->setFocus(Qt::OtherFocusReason);
    returningFocus = false;
}

void checkOnLeaving(QLineEdit *box, QString (*check)(const QString &), const SearchMessage *tell)
{
    new LeavingCheck(box, check, tell);
}
