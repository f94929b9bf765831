#pragma once

#include <QString>
#include <QStringList>

namespace verdin {

// The language of the window's texts for the user's preferred languages, as
// QLocale::uiLanguages() lists them (LANGUAGE=en or LANGUAGE=ja forces one):
// "ja" when Japanese comes first, "en" otherwise.
QString WindowLanguage(const QStringList& uiLanguages);

// Installs the translations of the window's texts and of Qt's own dialogs
// into `language`; false when the program's are missing. Japanese is the
// language of most source texts, so it needs few.
bool InstallTranslations(const QString& language);

}  // namespace verdin
