#pragma once

#include <QString>
#include <QTemporaryDir>

#include <string>
#include <vector>

class QWidget;

namespace verdin::test {

// Points the user's settings at a fresh folder and names the organisation and
// application as the program does. Call before anything reads settings.
void UseTemporarySettings(const QTemporaryDir& dir);

// Forgets every stored setting of the program.
void ClearSettings();

// Removes the translations InstallTranslations installed.
void RemoveTranslations();

// A COB file with the given number of polygon objects.
bool WriteCob(const std::string& path, int meshes);

// Drops the files onto the widget as the desktop does.
void DropFiles(QWidget* target, const std::vector<std::string>& paths);

// The report log's text with "\r\n" shown as one line end.
QString AsShown(const std::string& report);

}  // namespace verdin::test
