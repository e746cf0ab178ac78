#include "ToolkitTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool installToolkitTranslation()
{
    // Owned by the application: it must live as long as the texts are shown.
    auto *translator = new QTranslator(QCoreApplication::instance());
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    if (!translator->load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
