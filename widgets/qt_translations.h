#pragma once
// Qt's own texts in the program's language: the standard buttons of message boxes ("Ja",
// "Nein", "Abbrechen"), the file, print and page-setup dialogs and the text fields' menus
// come from Qt's translation catalogs (Debian: qt6-translations-l10n); the default
// locale follows the language too, for the dates and measures those dialogs show. German loads
// qtbase_de (and qt_de when present); English needs no catalog.

#include <QStringList>

namespace tarvik {

/// The folders the catalogs are looked for in: Qt's own translations folder, then the
/// folders of the program's installation prefix (share/qt6/translations) and shared files
/// (share/tarvik/translations).
QStringList QtTranslationDirectories();

/// Loads the catalogs for German (`german`) or removes them for English. Returns the names
/// of the catalogs loaded ("qtbase_de", "qt_de"; empty for English or when none was found).
/// Needs a QCoreApplication.
[[nodiscard]] QStringList InstallQtTranslations(bool german);

/// Loads the catalogs for the current language flag and follows every later change of it
/// (the family setup's language, a contest that forces English).
void FollowLanguageWithQtTranslations();

} // namespace tarvik
