#include "widgets/qt_translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

#include <vector>

#include "base/process_settings.h"
#include "base/shared_files.h"
#include "widgets/text_codec.h"

namespace tarvik {

namespace {

/// The catalogs in use; owned by the application so that they live as long as it does.
std::vector<QPointer<QTranslator>>& Installed() {
  static std::vector<QPointer<QTranslator>> translators;
  return translators;
}

void RemoveInstalled() {
  for (const QPointer<QTranslator>& translator : Installed()) {
    if (translator) {
      QCoreApplication::removeTranslator(translator);
      delete translator.data();
    }
  }
  Installed().clear();
}

} // namespace

QStringList QtTranslationDirectories() {
  QStringList dirs;
  auto add = [&dirs](const QString& dir) {
    const QString clean = QDir::cleanPath(dir);
    if (!clean.isEmpty() && !dirs.contains(clean))
      dirs << clean;
  };
  add(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  const QString program = QCoreApplication::applicationDirPath();
  if (!program.isEmpty())
    add(program + QStringLiteral("/../share/qt6/translations"));
  for (const std::string& shared : SharedFilesDirectories())
    add(PathToQString(shared) + QStringLiteral("/translations"));
  return dirs;
}

QStringList InstallQtTranslations(bool german) {
  RemoveInstalled();
  // Dates, numbers and paper measures in Qt's dialogs follow the language as well.
  QLocale::setDefault(german ? QLocale(QLocale::German, QLocale::Germany)
                             : QLocale(QLocale::English, QLocale::UnitedKingdom));
  QStringList loaded;
  if (!german)
    return loaded;
  const QStringList dirs = QtTranslationDirectories();
  // qt_de is a meta catalog that names qtbase_de and the other modules' catalogs; qtbase_de
  // alone holds the texts of the widgets and dialogs this program uses.
  for (const QString& name : {QStringLiteral("qtbase_de"), QStringLiteral("qt_de")}) {
    for (const QString& dir : dirs) {
      auto* translator = new QTranslator(QCoreApplication::instance());
      if (translator->load(name, dir)) {
        QCoreApplication::installTranslator(translator);
        Installed().push_back(translator);
        loaded << name;
        break;
      }
      delete translator;
    }
  }
  return loaded;
}

void FollowLanguageWithQtTranslations() {
  // Without catalogs Qt's own texts stay English; the program goes on.
  (void)InstallQtTranslations(IsGerman());
  SetLanguageListener([](int flag) { (void)InstallQtTranslations(flag == 1); });
}

} // namespace tarvik
