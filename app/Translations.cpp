#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace verdin {

QString WindowLanguage(const QStringList& uiLanguages)
{
    return !uiLanguages.isEmpty() && uiLanguages.front().startsWith(QStringLiteral("ja")) ? QStringLiteral("ja")
                                                                                          : QStringLiteral("en");
}

bool InstallTranslations(const QString& language)
{
    // Owned by the application, as long as it lives.
    auto* qt = new QTranslator(QCoreApplication::instance());
    if (qt->load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    auto* own = new QTranslator(QCoreApplication::instance());
    if (!own->load(QStringLiteral(":/i18n/verdin_") + language))
        return false;
    QCoreApplication::installTranslator(own);
    return true;
}

}  // namespace verdin
