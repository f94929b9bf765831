#pragma once

#include <QString>
#include <QStringList>

namespace verdin {

// The language of the window's texts for the user's preferred languages, as
// QLocale::uiLanguages() lists them (LANGUAGE=en or LANGUAGE=ja forces one):
// "ja" when Japanese comes first, "en" otherwise.
QString WindowLanguage(const QStringList& uiLanguages);

// Installs the translations of the window's texts and of Qt's own dialogs
// into `language`; false when the program's are missing.
bool InstallTranslations(const QString& language);

// The proportional Japanese font for a Japanese window, when it is installed;
// the desktop's own fallback for Japanese may be a monospaced one. True when
// the window's font was changed.
bool UseFontFor(const QString& language);

}  // namespace verdin
