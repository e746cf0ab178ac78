#include "SaveFileDialog.h"

#include <QFileDialog>
#include <QFileInfo>

QString askExportFileName(QWidget *parent, const QString &title, const QString &proposedName,
                        const QStringList &filters, QString *chosenFilter)
{
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    if (chosenFilter && filters.contains(*chosenFilter))
        dialog.selectNameFilter(*chosenFilter);
    // After the filter: choosing a filter rewrites the name's "extension".
    dialog.selectFile(proposedName);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &proposedName](const QString &) {
        const QStringList typed = dialog.selectedFiles();
        // The toolkit turned the untouched proposal into "<part before the last dot>.<type>".
        const QString base = QFileInfo(proposedName).completeBaseName();
        if (!typed.isEmpty() && QFileInfo(typed.first()).completeBaseName() == base)
            dialog.selectFile(proposedName);
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    if (chosenFilter)
        *chosenFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().first();
}
