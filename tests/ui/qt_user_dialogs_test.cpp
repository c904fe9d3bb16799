#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "widgets/qt_user_dialogs.h"

namespace tarvik {
namespace {

struct SeenBox {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
};

// Looks at the message box once it is up, then answers it with `answer` (or Esc).
void AnswerNextBox(SeenBox& seen, std::optional<QMessageBox::StandardButton> answer) {
  QTimer::singleShot(0, [&seen, answer] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
    if (answer)
      box->button(*answer)->click();
    else
      QTest::keyClick(box, Qt::Key_Escape);
  });
}

TEST(QtUserDialogs, MessageBoxesShowTheirTextUnderTheApplicationTitle) {
  QtUserDialogs dialogs;
  SeenBox seen;
  AnswerNextBox(seen, QMessageBox::Ok);
  dialogs.Inform("Achtung: Die Pr\xe4"
                 "fixdatei ist leer.");
  EXPECT_EQ(seen.title, QStringLiteral("Tarvik"));
  EXPECT_EQ(seen.text, QStringLiteral("Achtung: Die Präfixdatei ist leer."));
  EXPECT_EQ(seen.icon, QMessageBox::Information);
  EXPECT_EQ(seen.buttons, QMessageBox::Ok);

  AnswerNextBox(seen, QMessageBox::Yes);
  EXPECT_TRUE(dialogs.Confirm("Programm beenden?"));
  EXPECT_EQ(seen.title, QStringLiteral("Tarvik"));
  EXPECT_EQ(seen.icon, QMessageBox::Question);
  EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);

  AnswerNextBox(seen, QMessageBox::No);
  EXPECT_FALSE(dialogs.Confirm("Programm beenden?"));
  AnswerNextBox(seen, std::nullopt);
  EXPECT_FALSE(dialogs.Confirm("Programm beenden?")) << "Esc answers No";
}

TEST(QtUserDialogs, ConvertsFiltersToQtForm) {
  EXPECT_EQ(
      QtNameFilters("STF-Datei (*.STF)|*.STF|Alle Dateien (*.*)|*.*"),
      (QStringList{QStringLiteral("STF-Datei (*.STF *.stf)"), QStringLiteral("Alle Dateien (*)")}));
  EXPECT_EQ(QtNameFilters("ADIF|*.adi;*.ADIF"),
            (QStringList{QStringLiteral("ADIF (*.adi *.ADI *.ADIF *.adif)")}));
  EXPECT_EQ(QtNameFilters("Text (Windows)|*.txt"),
            (QStringList{QStringLiteral("Text (*.txt *.TXT)")}));
  EXPECT_EQ(QtNameFilters(""), QStringList{});
  EXPECT_EQ(QtNameFilters("*.edi"), (QStringList{QStringLiteral("*.edi *.EDI")}));
}

TEST(QtUserDialogs, ChoosesWhatTheDesktopOpens) {
  EXPECT_EQ(DocumentUrl("MAILTO:dl1abc@darc.de").scheme(), QStringLiteral("mailto"));
  EXPECT_EQ(DocumentUrl("mailto:dl1abc@darc.de").path(), QStringLiteral("dl1abc@darc.de"));
  EXPECT_EQ(DocumentUrl("https://www.darc.de/").toString(), QStringLiteral("https://www.darc.de/"));
  EXPECT_EQ(DocumentUrl("www.darc.de").scheme(), QStringLiteral("http"));
  EXPECT_TRUE(DocumentUrl("/etc/hostname").isLocalFile() || !QFile::exists("/etc/hostname"));
}

} // namespace
} // namespace tarvik
