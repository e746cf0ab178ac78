#pragma once
// The save dialog of the export commands. It proposes the name it is given as it
// stands: the toolkit's own dialog takes everything after a name's last dot for a
// type extension and replaces it with the filter's ("A.std (844Km+50m)" would be
// proposed as "A.JPG"), here when it opens and again when the user picks another type.

#include <QString>
#include <QStringList>

class QWidget;

// The name chosen, empty when the dialog was cancelled; `chosenFilter`, when
// given, receives the filter in effect (and its value is the one preselected).
QString askExportFileName(QWidget *parent, const QString &title, const QString &proposedName,
                        const QStringList &filters, QString *chosenFilter = nullptr);
