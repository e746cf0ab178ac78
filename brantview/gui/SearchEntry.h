#pragma once
// The text boxes of the search windows check their entry when the focus leaves them
// for another control of the window: a refused entry is told and the focus returns
// to the box. The messages box of the search windows, replaceable by the tests.

#include <QMessageBox>
#include <QString>

#include <functional>

class QLineEdit;
class QWidget;

// Title, text and icon of a message box.
using SearchMessage = std::function<void(const QString &title, const QString &text, QMessageBox::Icon icon)>;

// Modal message boxes over `parent`.
SearchMessage searchMessageBoxes(QWidget *parent);

// From now on `box` checks its text with `check` (an empty answer accepts it) when the
// focus moves to another control; a refusal is told as an error titled "Error".
void checkOnLeaving(QLineEdit *box, QString (*check)(const QString &), const SearchMessage *tell);

// The focus back into a refused box; the control it leaves is not checked.
void returnFocusTo(QLineEdit *box);
