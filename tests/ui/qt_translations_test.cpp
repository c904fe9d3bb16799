// Qt's own texts in the program's language: the buttons of a question ("Ja"/"Nein" or
// "Yes"/"No"), the standard buttons of the file dialog, following every change of the
// language flag.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

#include "base/process_settings.h"
#include "widgets/qt_translations.h"

namespace tarvik {
namespace {

QString Plain(QString text) {
  return text.remove(QLatin1Char('&'));
}

QStringList QuestionButtons() {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Tarvik"), QStringLiteral("?"),
                  QMessageBox::Yes | QMessageBox::No);
  return {Plain(box.button(QMessageBox::Yes)->text()), Plain(box.button(QMessageBox::No)->text())};
}

class QtTranslationsTest : public ::testing::Test {
protected:
  void TearDown() override {
    SetLanguageListener({});
    SetLanguageFlag(1);
    (void)InstallQtTranslations(false);
    QLocale::setDefault(QLocale::system()); // as the other window tests expect it
  }
};

TEST_F(QtTranslationsTest, GermanQuestionsSayJaAndNeinEnglishOnesYesAndNo) {
  const QStringList loaded = InstallQtTranslations(true);
  ASSERT_TRUE(loaded.contains(QStringLiteral("qtbase_de")))
      << "Qt's German catalogs are missing (qt6-translations-l10n) in "
      << QtTranslationDirectories().join(QStringLiteral(", ")).toStdString();
  EXPECT_EQ(QuestionButtons(), (QStringList{QStringLiteral("Ja"), QStringLiteral("Nein")}));
  QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Close |
                           QDialogButtonBox::Save);
  EXPECT_EQ(Plain(buttons.button(QDialogButtonBox::Cancel)->text()), QStringLiteral("Abbrechen"));
  EXPECT_EQ(Plain(buttons.button(QDialogButtonBox::Close)->text()), QStringLiteral("Schließen"));
  EXPECT_EQ(Plain(buttons.button(QDialogButtonBox::Save)->text()), QStringLiteral("Speichern"));
  // Qt's own file dialog ("Suchen in:" rather than "Look in:").
  QFileDialog files;
  files.setOption(QFileDialog::DontUseNativeDialog);
  const QLabel* lookIn = files.findChild<QLabel*>(QStringLiteral("lookInLabel"));
  ASSERT_NE(lookIn, nullptr);
  EXPECT_EQ(Plain(lookIn->text()), QStringLiteral("Suchen in:"));

  EXPECT_TRUE(InstallQtTranslations(false).isEmpty());
  EXPECT_EQ(QuestionButtons(), (QStringList{QStringLiteral("Yes"), QStringLiteral("No")}));
}

TEST_F(QtTranslationsTest, TheTextsFollowTheLanguageFlag) {
  SetLanguageFlag(1);
  FollowLanguageWithQtTranslations();
  EXPECT_EQ(QuestionButtons().front(), QStringLiteral("Ja"));
  SetLanguageFlag(0); // the family setup says English, or a contest forces it
  EXPECT_EQ(QuestionButtons(), (QStringList{QStringLiteral("Yes"), QStringLiteral("No")}));
  SetLanguageFlag(1);
  EXPECT_EQ(QuestionButtons(), (QStringList{QStringLiteral("Ja"), QStringLiteral("Nein")}));
}

} // namespace
} // namespace tarvik
