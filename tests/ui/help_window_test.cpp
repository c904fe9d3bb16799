// The manual's window over the manual the build copies beside the tests: contents built from
// the pages' headings, back and forward, the search over every page, the language of the
// program, a window that stays usable above a modal window, and the message without a
// manual.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTreeWidget>

#include "base/help_topics.h"
#include "base/process_settings.h"
#include "base/shared_files.h"
#include "support/fake_dialogs.h"
#include "support/modal_window.h"
#include "support/temp_dir.h"
#include "widgets/help_hook.h"
#include "widgets/help_request.h"
#include "widgets/help_window.h"
#include "widgets/text_codec.h"

namespace tarvik {
namespace {

class HelpWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    SetLanguageFlag(1);
    InstallHelpHook(dialogs_);
  }
  void TearDown() override {
    delete OpenHelpWindow();
    SetHelpTopicHandler(nullptr);
    SetSharedFilesDirectory("");
    SetLanguageFlag(1);
  }
  HelpWindow& Show(int topic) {
    EXPECT_TRUE(ShowManual(topic, dialogs_));
    HelpWindow* window = OpenHelpWindow();
    EXPECT_NE(window, nullptr);
    return *window;
  }
  test::FakeDialogs dialogs_;
};

TEST_F(HelpWindowTest, ContentsAreThePagesWithTheirSectionsAndLeadThere) {
  HelpWindow& w = Show(kHelpContentsTopic);
  EXPECT_EQ(w.CurrentUrl().fileName(), QStringLiteral("index.html"));
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Tarvik – Handbuch"));
  QTreeWidget* tree = w.contents();
  // The contents page, then the eleven chapters in the order the contents page lists them.
  ASSERT_EQ(tree->topLevelItemCount(), 12);
  EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("Tarvik – Handbuch"));
  EXPECT_EQ(tree->topLevelItem(1)->text(0), QStringLiteral("Installation und Start"));
  EXPECT_EQ(tree->topLevelItem(4)->text(0), QStringLiteral("QSOs loggen"));
  EXPECT_EQ(tree->topLevelItem(11)->text(0),
            QStringLiteral("Nach einem Absturz oder bei beschädigten Dateien"));
  // A chapter's sections are its children; a click shows the section.
  QTreeWidgetItem* logging = tree->topLevelItem(4);
  QTreeWidgetItem* keys = nullptr;
  for (int i = 0; i < logging->childCount(); ++i)
    if (logging->child(i)->text(0) == QStringLiteral("Tasten"))
      keys = logging->child(i);
  ASSERT_NE(keys, nullptr);
  emit tree->itemClicked(keys, 0);
  EXPECT_EQ(w.CurrentUrl().fileName(), QStringLiteral("logging.html"));
  EXPECT_EQ(w.CurrentUrl().fragment(), QStringLiteral("keys"));
  EXPECT_TRUE(w.browser()->toPlainText().contains(QStringLiteral("QSL senden ja / nein")));
  // A topic shown selects its place in the contents.
  (void)ShowManual(kPrefixChoiceHelpTopic, dialogs_);
  ASSERT_NE(tree->currentItem(), nullptr);
  EXPECT_EQ(tree->currentItem()->data(0, Qt::UserRole).toUrl().fragment(),
            QStringLiteral("choice"));
}

TEST_F(HelpWindowTest, BackForwardAndContentsFollowTheWayThroughThePages) {
  HelpWindow& w = Show(kMainWindowHelpTopic);
  EXPECT_FALSE(w.backAction()->isEnabled());
  (void)ShowManual(kLogWindowHelpTopic, dialogs_);
  w.browser()->setSource(QUrl(QStringLiteral("correcting.html#delete")));
  EXPECT_TRUE(w.backAction()->isEnabled());
  w.backAction()->trigger();
  EXPECT_EQ(w.CurrentUrl().fileName(), QStringLiteral("logging.html"));
  w.backAction()->trigger();
  EXPECT_EQ(w.CurrentUrl().fileName(), QStringLiteral("contest-list.html"));
  EXPECT_FALSE(w.backAction()->isEnabled());
  EXPECT_TRUE(w.forwardAction()->isEnabled());
  w.forwardAction()->trigger();
  EXPECT_EQ(w.CurrentUrl().fileName(), QStringLiteral("logging.html"));
  w.homeAction()->trigger();
  EXPECT_EQ(w.CurrentUrl().fileName(), QStringLiteral("index.html"));
  // A link in the page.
  w.browser()->setSource(QUrl(QStringLiteral("trouble.html")));
  EXPECT_TRUE(w.browser()->toPlainText().contains(QStringLiteral("TARVIK.LCK")));
}

TEST_F(HelpWindowTest, TheSearchFindsEveryPlaceOnEveryPageAndShowsIt) {
  HelpWindow& w = Show(kHelpContentsTopic);
  w.searchField()->setText(QStringLiteral("tarvik.lck")); // letter case does not matter
  QTest::keyClick(w.searchField(), Qt::Key_Return);
  QListWidget* results = w.searchResults();
  ASSERT_GE(results->count(), 3);
  EXPECT_EQ(w.sideTabs()->currentWidget(), results);
  bool troublePage = false;
  for (int i = 0; i < results->count(); ++i) {
    const QUrl url = results->item(i)->data(Qt::UserRole).toUrl();
    troublePage = troublePage || (url.fileName() == QStringLiteral("trouble.html") &&
                                  url.fragment() == QStringLiteral("lock"));
  }
  EXPECT_TRUE(troublePage);
  // The first place is shown with the word selected; another one follows the list.
  EXPECT_EQ(w.browser()->textCursor().selectedText().toUpper(), QStringLiteral("TARVIK.LCK"));
  results->setCurrentRow(results->count() - 1);
  EXPECT_EQ(w.CurrentUrl().adjusted(QUrl::RemoveFragment).fileName(),
            results->item(results->count() - 1)->data(Qt::UserRole).toUrl().fileName());
  EXPECT_EQ(w.browser()->textCursor().selectedText().toUpper(), QStringLiteral("TARVIK.LCK"));
  // Nothing found says so; an empty search lists nothing.
  EXPECT_EQ(w.Search(QStringLiteral("Xylophonklang")), 0);
  ASSERT_EQ(results->count(), 1);
  EXPECT_EQ(results->item(0)->text(), QStringLiteral("Nichts gefunden."));
  EXPECT_EQ(results->item(0)->flags(), Qt::NoItemFlags);
  EXPECT_EQ(w.Search(QStringLiteral("   ")), 0);
  EXPECT_EQ(results->count(), 0);
}

TEST_F(HelpWindowTest, TheManualSpeaksTheProgramsLanguage) {
  SetLanguageFlag(0);
  HelpWindow& w = Show(kHeaderWindowHelpTopic);
  EXPECT_TRUE(w.ManualDirectory().endsWith(QStringLiteral("/manual/en")));
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Tarvik – Manual"));
  EXPECT_EQ(w.CurrentUrl().fileName(), QStringLiteral("header.html"));
  EXPECT_TRUE(w.browser()->toPlainText().contains(QStringLiteral("The header window")));
  // Back to German: a window of the German manual.
  SetLanguageFlag(1);
  (void)ShowManual(kHeaderWindowHelpTopic, dialogs_);
  ASSERT_NE(OpenHelpWindow(), nullptr);
  EXPECT_TRUE(OpenHelpWindow()->ManualDirectory().endsWith(QStringLiteral("/manual/de")));
  EXPECT_TRUE(
      OpenHelpWindow()->browser()->toPlainText().contains(QStringLiteral("Das Kopfdatenfenster")));
}

TEST_F(HelpWindowTest, AboveAModalWindowTheManualIsItsChildAndSoNotBlocked) {
  QDialog modal;
  modal.setModal(true);
  QWidget* parent = nullptr;
  test::OnModal<QDialog>([&](QDialog& d) {
    (void)RequestHelpTopic(kQsoListsHelpTopic);
    parent = OpenHelpWindow() != nullptr ? OpenHelpWindow()->parentWidget() : nullptr;
    EXPECT_TRUE(OpenHelpWindow()->isWindow());
    d.accept();
  });
  modal.exec();
  EXPECT_EQ(parent, &modal);
}

TEST_F(HelpWindowTest, WithoutTheManualAMessageAndNoWindow) {
  test::TempDataDir empty;
  SetSharedFilesDirectory(empty.path());
  EXPECT_FALSE(ShowManual(kLogWindowHelpTopic, dialogs_));
  EXPECT_EQ(OpenHelpWindow(), nullptr);
  EXPECT_EQ(dialogs_.Informs(), std::vector<std::string>{ManualMissingMessage()});
  // F1 in a window without a topic of its own asks for the contents, and is told too.
  QWidget plain;
  plain.show();
  dialogs_.Clear();
  QTest::keyClick(&plain, Qt::Key_F1);
  EXPECT_EQ(dialogs_.Informs().size(), 1u);
}

} // namespace
} // namespace tarvik
