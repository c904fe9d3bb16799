// The log window's events: typing, Enter, focus moves, the keys the window sees first, the
// band and mode lists, the list state, the clock, and showing the session's state in the
// controls after each of them.

#include <QApplication>
#include <QKeyEvent>

#include <QLabel>
#include <QListWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "logging/log_list.h"
#include "logging/ui/contest_log_window.h"
#include "logging/ui/evaluation_panel.h"
#include "logging/ui/log_window_style.h"
#include "logging/ui/multiplier_panel.h"
#include "recordfile/fileblock.h"
#include "recordfile/key_codec.h"
#include "recordfile/ui/trk_brow.h"
#include "widgets/help_request.h"
#include "widgets/text_codec.h"
#include "widgets/trk_bit_btn.h"
#include "widgets/trk_edit.h"

namespace tarvik {

using namespace logwindow;

namespace {

using F = EntryField;

void SetVisible(QWidget* widget, bool visible) {
  if (widget != nullptr && widget->isHidden() == visible)
    widget->setVisible(visible);
}

void SetLabelText(QLabel* label, const std::string& text) {
  const QString shown = ToQString(text);
  if (label->text() != shown)
    label->setText(shown);
}

/// Writes a text into an edit field without disturbing the typing: the cursor stays where
/// it was (at the end when it was there).
void SetEditText(TrkEdit* edit, const QString& text) {
  if (edit->text() == text)
    return;
  const int position = edit->cursorPosition();
  const bool atEnd = position >= edit->text().size();
  edit->setText(text);
  edit->setCursorPosition(atEnd ? static_cast<int>(text.size())
                                : std::min(position, static_cast<int>(text.size())));
}

bool IsReceivedField(EntryField field) {
  return field == F::eRSTr1 || field == F::eRSTr2 || field == F::eRSTr3 || field == F::eRSTr4;
}

} // namespace

// ---------------------------------------------------------------------------------------
// Forwarding to the session

void ContestLogWindow::Run(const std::function<void()>& action) {
  // One action at a time: a message box of the session runs its own event loop, in which
  // the clock or a focus change must not start a second one.
  if (busy_ || !opened_ || finished_)
    return;
  busy_ = true;
  action();
  busy_ = false;
  ShowSession();
}

std::optional<EntryField> ContestLogWindow::FieldOf(const QWidget* widget) const {
  for (EntryField field : kAllEntryFields)
    if (Edit(field) == widget)
      return field;
  return std::nullopt;
}

void ContestLogWindow::FieldEdited(EntryField field, const QString& text) {
  if (showing_)
    return;
  Run([&] { session_->SetFieldText(field, FromQString(text)); });
}

void ContestLogWindow::FieldEntered(EntryField field) {
  if (showing_ || busy_ || !opened_)
    return;
  if (listState_)
    ReturnToEntry();
  if (field == session_->Form().Focus())
    return;
  // A click or Tab into another field leaves the one the session holds the focus in.
  Run([&] { session_->SetFocus(field); });
}

void ContestLogWindow::FocusChanged(QWidget*, QWidget* now) {
  if (now == nullptr || showing_ || busy_ || !opened_ || finished_)
    return;
  // A click into the log list puts the window into list state.
  if (!listState_ && Brow->isAncestorOf(now) && now->window() == this)
    EnterListState();
}

void ContestLogWindow::CallTool(const std::function<void()>& tool) {
  if (!tool || busy_ || !opened_ || finished_)
    return;
  CloseLists();
  // The clock keeps running while a list, the note or another window of the log is open;
  // only the ADIF import stops it, because the QSOs it stores take their date and time from
  // the entry fields.
  const bool stopClock = &tool == &tools_.adifImport;
  if (stopClock)
    timerzeit->stop();
  busy_ = true;
  toolRunning_ = true;
  tool();
  toolRunning_ = false;
  busy_ = false;
  if (!finished_) {
    if (stopClock)
      timerzeit->start();
    ShowSession();
  }
}

// ---------------------------------------------------------------------------------------
// Keys

bool ContestLogWindow::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  const QEvent::Type type = event->type();
  if (type == QEvent::Resize && opened_ && !finished_ && watched == Brow->table()->viewport()) {
    // The points column stays in view when the list is narrower than its columns.
    FitListColumns();
    return false;
  }
  if (type == QEvent::KeyPress && widget != nullptr && widget->window() == this &&
      (QApplication::activeModalWidget() == nullptr || QApplication::activeModalWidget() == this) &&
      opened_ && !finished_ && !busy_) {
    // The window sees every key before its controls.
    if (FormKeyDown(static_cast<QKeyEvent*>(event), widget))
      return true;
  }
  if (type == QEvent::MouseButtonRelease) {
    if (watched == MenueBeenden) {
      close();
      return true;
    }
    if (watched == lQSLs) {
      lQSLsClick();
      return true;
    }
    if (watched == lContestCaption) {
      btnListeClick();
      return true;
    }
    // A click into the fixed report fields selects their whole text.
    if (watched == eRSTs1 || watched == eRSTr1) {
      static_cast<TrkEdit*>(watched)->selectAll();
      return false;
    }
  }
  if (watched == MenueBeenden && (type == QEvent::Enter || type == QEvent::Leave)) {
    // The menu label shows a red background while the mouse is over it.
    if (type == QEvent::Enter)
      SetBackground(MenueBeenden, QColor(0xC0, 0x1E, 0x1E));
    else
      MenueBeenden->setAutoFillBackground(false);
  }
  return QDialog::eventFilter(watched, event);
}

bool ContestLogWindow::FormKeyDown(QKeyEvent* event, QWidget* target) {
  const int key = event->key();
  const Qt::KeyboardModifiers mods = event->modifiers();
  const bool alt = (mods & Qt::AltModifier) != 0;
  const bool ctrl = (mods & Qt::ControlModifier) != 0;
  const std::optional<EntryField> field = FieldOf(target);
  const bool choiceList = target == listband || target == listmode;

  if (key == Qt::Key_Escape) {
    if (!listband->isHidden() || !listmode->isHidden())
      CloseLists();
    else if (listState_)
      ReturnToEntry();
    else
      btnClearClick();
    return true;
  }
  if (!alt && !ctrl) {
    switch (key) {
    case Qt::Key_F3:
      btnBandliste->click();
      return true;
    case Qt::Key_F4:
      btnCallsuche->click();
      return true;
    case Qt::Key_F5:
      btnListeClick();
      return true;
    case Qt::Key_F6:
      btnNotiz->click();
      return true;
    case Qt::Key_F7:
      if (!btnMode->isHidden() && btnMode->isEnabled())
        btnModeClick();
      return true;
    case Qt::Key_F8:
      if (!btnBand->isHidden() && btnBand->isEnabled())
        btnBandClick();
      return true;
    case Qt::Key_F9:
      if (!btnNameqth->isHidden())
        btnNameqthClick();
      return true;
    case Qt::Key_F11:
      if (session_->Definition().PartyFlag != 0)
        CallTool(tools_.partyEvaluation);
      return true;
    case Qt::Key_F12:
      btnKorrektur->click();
      return true;
    default:
      break;
    }
  }
  if (alt && !ctrl) {
    switch (key) {
    case Qt::Key_Q:
      lQSLsClick();
      return true;
    case Qt::Key_W:
      btnKorrektur->click();
      return true;
    case Qt::Key_1:
    case Qt::Key_2:
    case Qt::Key_3: {
      // Alt+Num1..3 (and the "&1 : " captions): the received exchange elements.
      const EntryField to = ReceivedField(key - Qt::Key_1 + 2);
      if (session_->Form().IsEntryField(to) && !listState_)
        Run([&] { session_->SetFocus(to); });
      return true;
    }
    default:
      break;
    }
  }
  if (choiceList && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
    if (target == listband)
      listbandTake();
    else
      listmodeTake();
    return true;
  }
  if (!field)
    return false;
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    Run([this] { session_->PressEnter(); });
    return true;
  }
  if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
    // Tab follows the session's order of the entry fields.
    const std::vector<EntryField> order = session_->Form().FieldsInTabOrder();
    auto at = std::find(order.begin(), order.end(), *field);
    if (order.empty() || at == order.end())
      return true;
    const std::ptrdiff_t step = key == Qt::Key_Tab && !(mods & Qt::ShiftModifier) ? 1 : -1;
    const std::ptrdiff_t size = static_cast<std::ptrdiff_t>(order.size());
    const EntryField to =
        order[static_cast<std::size_t>(((at - order.begin()) + step + size) % size)];
    Run([&] { session_->SetFocus(to); });
    return true;
  }
  const QString text = event->text();
  if (*field == F::eCall && text == QStringLiteral("#")) {
    Run([this] { session_->PressHashInCall(); });
    return true;
  }
  if (IsReceivedField(*field) && text == QStringLiteral(" ") &&
      session_->Form().TypedKey(*field, ' ').empty())
    return true;
  return false;
}

// ---------------------------------------------------------------------------------------
// Buttons

void ContestLogWindow::btnClearClick() {
  CloseLists();
  Run([this] { session_->Clear(); });
}

void ContestLogWindow::btndefaultClick() {
  if (FieldOf(QApplication::focusWidget()))
    Run([this] { session_->PressEnter(); });
}

void ContestLogWindow::lQSLsClick() {
  Run([this] { session_->ToggleQslMark(); });
}

void ContestLogWindow::btnNameqthClick() {
  CloseLists();
  Run([this] { session_->Form().ToggleNameQth(); });
}

void ContestLogWindow::btnHilfeClick() {
  // The manual at the log window's section (or the log list's, in list state).
  // Without a help handler nothing happens.
  (void)RequestHelpTopic(HelpContextOf(listState_ ? static_cast<QWidget*>(Brow) : this));
}

void ContestLogWindow::btnListeClick() {
  if (!opened_ || finished_)
    return;
  CloseLists();
  EnterListState();
  Brow->table()->setFocus();
}

void ContestLogWindow::EnterListState() {
  listState_ = true;
  lContestCaption->setText(ToQString(LogListStateCaption()));
  SetBackground(PanelDXOben, kListRed);
  UpdateButtons();
}

void ContestLogWindow::ReturnToEntry() {
  if (!listState_)
    return;
  listState_ = false;
  lContestCaption->setText(ToQString(LogListCaption()));
  SetBackground(PanelDXOben, kNavy);
  UpdateButtons();
  ShowFocus();
}

void ContestLogWindow::UpdateButtons() {
  const bool entry = !listState_;
  auto enable = [](TrkBitBtn* button, bool on) {
    if (button->isEnabled() != on)
      button->setEnabled(on);
  };
  enable(btnBand, entry);
  enable(btnMode, entry);
  enable(btnClear, entry);
  enable(btnNameqth, entry);
  enable(btnListe, entry);
  enable(btnCallsuche, entry && static_cast<bool>(tools_.callSearch));
  enable(btnKorrektur, entry && static_cast<bool>(tools_.corrections));
  enable(btnNotiz, entry && static_cast<bool>(tools_.note));
  enable(btnadifimport, entry && static_cast<bool>(tools_.adifImport));
  enable(btnBandliste, static_cast<bool>(tools_.bandLog));
  enable(btnAendern, static_cast<bool>(tools_.change));
  enable(btnLoeschen, static_cast<bool>(tools_.remove));
  enable(panelauswertung->btnauswertung, static_cast<bool>(tools_.partyEvaluation));
}

void ContestLogWindow::SetTools(ContestLogTools tools) {
  tools_ = std::move(tools);
  UpdateButtons();
}

// ---------------------------------------------------------------------------------------
// Band and mode lists

void ContestLogWindow::OpenChoiceList(QListWidget* list, QWidget* over,
                                      const std::string& current) {
  returnFocus_ = QApplication::focusWidget();
  const QList<QListWidgetItem*> found = list->findItems(ToQString(current), Qt::MatchExactly);
  list->setCurrentItem(found.isEmpty() ? list->item(0) : found.first());
  // The list lies over its label, as long as it needs to be (within the window).
  const QPoint at = over->mapTo(this, QPoint(0, 0));
  const int rowHeight = list->sizeHintForRow(0) > 0 ? list->sizeHintForRow(0) : 20;
  const int wanted = rowHeight * std::min(list->count(), 12) + 2 * list->frameWidth() + 2;
  const int height = std::min(wanted, std::max(this->height() - at.y() - 4, rowHeight * 3));
  const int width = std::max(over->width(), list->sizeHintForColumn(0) + 30);
  list->setGeometry(at.x(), at.y(), width, height);
  list->show();
  list->raise();
  list->setFocus();
}

void ContestLogWindow::btnBandClick() {
  if (!listband->isHidden()) {
    CloseLists();
    return;
  }
  CloseLists();
  bool showList = false;
  Run([&] { showList = PressBandButton(*session_); });
  if (showList)
    OpenChoiceList(listband, lband, session_->Bands().BandName());
}

void ContestLogWindow::btnModeClick() {
  if (!listmode->isHidden()) {
    CloseLists();
    return;
  }
  CloseLists();
  bool showList = false;
  Run([&] { showList = PressModeButton(*session_); });
  if (!showList)
    return;
  // With the free mode field shown the list lies over it and marks "DIGITAL".
  const bool free = session_->Form().IsEntryField(F::emode);
  OpenChoiceList(listmode, free ? static_cast<QWidget*>(emode) : lMode,
                 free ? std::string("DIGITAL") : session_->Bands().Mode());
}

void ContestLogWindow::listbandTake() {
  QListWidgetItem* item = listband->currentItem();
  const std::string name = item != nullptr ? FromQString(item->text()) : std::string();
  CloseLists();
  if (!name.empty())
    Run([&] { session_->TakeBand(session_->Bands().BandByName(name)); });
}

void ContestLogWindow::listmodeTake() {
  QListWidgetItem* item = listmode->currentItem();
  const std::string mode = item != nullptr ? FromQString(item->text()) : std::string();
  CloseLists();
  if (!mode.empty())
    Run([&] { session_->TakeMode(mode); });
}

void ContestLogWindow::CloseLists() {
  const bool open = !listband->isHidden() || !listmode->isHidden();
  listband->hide();
  listmode->hide();
  if (open) {
    QWidget* back = returnFocus_;
    returnFocus_ = nullptr;
    if (back != nullptr && back->isVisible())
      back->setFocus();
    else
      ShowFocus();
  }
}

// ---------------------------------------------------------------------------------------
// Clock

void ContestLogWindow::timerzeitTimer() {
  if (!opened_ || finished_)
    return;
  if (toolRunning_) {
    // Another window of the log is open and may be working on the file: date and time
    // follow the clock, the band waits for the tool to end.
    session_->ClockTick(false);
    const bool wasShowing = showing_;
    showing_ = true;
    ShowField(F::eDatum);
    ShowField(F::ezeit);
    showing_ = wasShowing;
    return;
  }
  if (busy_)
    return;
  Run([this] { session_->ClockTick(); });
}

// ---------------------------------------------------------------------------------------
// Showing the session

void ContestLogWindow::ShowSession() {
  if (!opened_ || finished_ || !session_->IsOpen())
    return;
  showing_ = true;
  ShowFields();
  ShowCaptions();
  ShowCounters();
  FollowStoresAndBand();
  ShowFocus();
  showing_ = false;
}

void ContestLogWindow::ShowField(EntryField field) {
  const FieldShow show = session_->Form().Show(field);
  TrkEdit* edit = Edit(field);
  QLabel* label = FixedLabel(field);
  const QString text = ToQString(session_->Form().FieldText(field));
  SetVisible(edit, show == FieldShow::kEntry);
  SetVisible(label, show == FieldShow::kLabel);
  if (show == FieldShow::kEntry) {
    SetEditText(edit, text);
    const bool failed = session_->Form().FieldFailed(field);
    const QColor base = failed ? kFailedColour : QColor(Qt::white);
    if (edit->palette().color(QPalette::Base) != base) {
      QPalette palette = edit->palette();
      palette.setColor(QPalette::Base, base);
      edit->setPalette(palette);
    }
  } else if (show == FieldShow::kLabel && label->text() != text) {
    label->setText(text);
  }
}

void ContestLogWindow::ShowFields() {
  for (EntryField field : kAllEntryFields)
    ShowField(field);
  SetLabelText(lband, session_->Bands().BandName());
  // Captions of fields that come and go with them.
  SetVisible(leCall2, session_->Form().Show(F::eCall2) != FieldShow::kHidden);
  SetVisible(leFreq, session_->Form().Show(F::eFreq) != FieldShow::kHidden);
  SetVisible(leName, session_->Form().Show(F::eName) != FieldShow::kHidden);
  SetVisible(leQTH, session_->Form().Show(F::eQTH) != FieldShow::kHidden);
}

void ContestLogWindow::ShowCaptions() {
  const EntryField focus = session_->Form().Focus();
  for (EntryField field : kAllEntryFields) {
    QLabel* caption = Caption(field);
    if (caption != nullptr)
      SetTextColour(caption, session_->Form().CaptionHighlighted(field) ? kCaptionRed : kTeal);
  }
  // The report rows and the element columns: red for the row and column of the focus.
  const bool focusSent =
      focus == F::eRSTs1 || focus == F::eRSTs2 || focus == F::eRSTs3 || focus == F::eRSTs4;
  const bool focusRcvd = IsReceivedField(focus);
  SetTextColour(lersts, focusSent ? kCaptionRed : kTeal);
  SetTextColour(lerstr, focusRcvd ? kCaptionRed : kTeal);
  QLabel* columns[] = {lRST1Name, lRST2Name, lRST3Name, lRST4Name};
  for (int n = 1; n <= 4; ++n) {
    QLabel* column = columns[n - 1];
    const bool focused = focus == SentField(n) || focus == ReceivedField(n);
    SetTextColour(column, focused ? kCaptionRed : kTeal);
    if (n >= 2)
      SetLabelText(column, session_->Form().ElementCaption(n - 1));
  }
  // The QSL mark's caption carries the "&Q" of Alt+Q, which the window handles itself.
  const QString qsl = ToQString(session_->Form().QslLabel());
  if (lQSLs->property("caption").toString() != qsl) {
    lQSLs->setProperty("caption", qsl);
    lQSLs->setText(MnemonicHtml(qsl));
  }
  SetLabelText(lenter, EnterHint());
  SetLabelText(lcallname, session_->Form().CallName());
  // Buttons that have nothing to choose from stay hidden.
  SetVisible(btnBand, session_->Bands().BandButtonVisible());
  SetVisible(btnMode, session_->Bands().ModeButtonVisible());
  SetVisible(btnNameqth, session_->Form().NameQthButtonVisible());
}

void ContestLogWindow::ShowCounters() {
  const EntryCounters counters = session_->Log().Counters(session_->Bands().Band());
  SetLabelText(leqso, counters.qsoCaption);
  SetLabelText(lqso, counters.qsoValue);
  SetLabelText(lemulti, counters.multiCaption);
  SetLabelText(lmulti, counters.multiValue);
  SetLabelText(lePunkte, counters.pointsCaption);
  SetLabelText(lPunkte, counters.pointsValue);
  SetLabelText(lNummer, counters.nextNumber);
  if (!compact_)
    panelmulties->Show(session_->Log().MultiplierPanel(session_->Bands().Band()));
  panelauswertung->Show(session_->Log().Evaluation(session_->Bands().Band()));
}

void ContestLogWindow::ShowFocus() {
  if (!opened_ || finished_ || listState_ || !listband->isHidden() || !listmode->isHidden())
    return;
  TrkEdit* edit = Edit(session_->Form().Focus());
  if (edit == nullptr || edit->isHidden())
    return;
  if (edit->hasFocus() || (focusWidget() == edit && !isActiveWindow()))
    return;
  const bool wasShowing = showing_;
  showing_ = true;
  edit->setFocus(Qt::OtherFocusReason);
  // As a field reached by the keyboard: its whole text is selected.
  edit->selectAll();
  showing_ = wasShowing;
}

void ContestLogWindow::FollowStoresAndBand() {
  if (session_->Log().StoreCount() != shownStores_) {
    shownStores_ = session_->Log().StoreCount();
    // The QSO stored last; when the log was renumbered since, the newest of the band.
    const std::int32_t record = session_->Log().LastStoredRecord();
    if (record > 0)
      GotoRecord(record);
    else
      PositionListOnNewestQso();
  }
  if (session_->Bands().Band() != shownBand_) {
    shownBand_ = session_->Bands().Band();
    // A list sorted within the band follows the band.
    if (LogListSortByBand(sortChoice_)) {
      std::string low;
      std::string high;
      if (LogListSortKey(session_->Definition(), sortChoice_, shownBand_, &low, &high) != 0)
        Brow->SetKeyRange(low, high);
    }
    PositionListOnNewestQso();
  }
}

void ContestLogWindow::PositionListOnNewestQso() {
  const std::int32_t record = session_->Log().NewestQsoOfBand(session_->Bands().Band());
  if (record > 0)
    GotoRecord(record);
  else
    Brow->RefreshRows();
}

void ContestLogWindow::GotoRecord(std::int32_t record) {
  Brow->model().GotoRecord(record);
}

} // namespace tarvik
