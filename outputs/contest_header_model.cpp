#include "outputs/contest_header_model.h"

#include <algorithm>

#include "base/data_directory.h"
#include "base/dates.h"
#include "base/strings.h"
#include "base/text_helpers.h"
#include "contest/contest_header_fields.h"
#include "contest/contest_period.h"
#include "contest/contest_session.h"
#include "contest/contest_traits.h"
#include "datafiles/contest_log_files.h"
#include "datafiles/program_files.h"
#include "datafiles/setup_records.h"
#include "outputs/header_extras_view.h"
#include "outputs/output_run.h"
#include "outputs/text_files.h"
#include "radio/bands.h"
#include "radio/date_time.h"
#include "recordfile/failure_cause.h"
#include "recordfile/fileblock.h"
#include "recordfile/key_codec.h"

namespace tarvik {

namespace {

constexpr int kMaxCategoryRows = 7;
constexpr int kNameLength = 25;
constexpr int kDokLength = 8;

std::string DateText(DayNumber day) {
  return day > 0 ? DayToText(kDatePicture, day) : std::string();
}

std::string TimeText(TimeOfDay time) {
  return time > 0 ? TimeToText(kQsoTimePicture, time) : std::string();
}

std::string Upper(std::string_view text) {
  return UpCase(TrimBlanks(text));
}

char FirstChar(std::string_view text) {
  const std::string t = Upper(text);
  return t.empty() ? '\0' : t[0];
}

std::uint8_t Bit(PeriodField field) {
  return static_cast<std::uint8_t>(1u << static_cast<int>(field));
}

} // namespace

std::string HeaderWindowCaption(const std::string& contestName, bool fromLogWindow) {
  std::string caption = "\"" + contestName + "\"";
  if (!fromLogWindow)
    caption += "  Contest-Konfiguration";
  return caption;
}

std::string ApplyChangesQuestion() {
  return "Änderungen übernehmen?";
}

ContestHeaderModel::ContestHeaderModel(ContestSession& session, HeaderWindowMode mode,
                                       char contestCode)
    : session_(session), code_(contestCode), extra_(HeaderExtraOf(contestCode)),
      isExisting_(mode != HeaderWindowMode::kNew) {
  view_.fromLogWindow = mode == HeaderWindowMode::kReview;
  runOutput = [this](int kind) { RunOutput(session_, kind); };
}

const ContestDefinition& ContestHeaderModel::Definition() const {
  return session_.Definition();
}

bool ContestHeaderModel::UsesLdk() const {
  return TraitsOf(code_).headerDokFieldIsLdk || Definition().HasOption(option::kLdk);
}

bool ContestHeaderModel::SendsLocator() const {
  // All three sent elements: codes 8, O and F send the own locator as the third one.
  for (int n = 1; n <= 3; ++n) {
    const int kind = Definition().SentExchange(n);
    if (kind == exchange::kLocator4 || kind == exchange::kLocator)
      return true;
  }
  return false;
}

void ContestHeaderModel::Rebuild() {
  ContestHeaderRecord header = Header();
  session_.Definition() = BuildContestDefinition(code_, header, session_.Settings().ownLocator,
                                                 session_.Dialogs(), session_.ClockSource());
  UpdateBandNames();
}

// ---------------------------------------------------------------------------------------
// Opening

void ContestHeaderModel::Open() {
  if (isExisting_) {
    // The header stands in the header buffer, as "Starten" leaves it; its extension record is
    // found by the contest number. A missing one starts empty, and so does one that cannot be
    // read (the record-file error handler has reported that).
    ContestRecordStore store = session_.Records();
    const std::string current = store.Buffers().header;
    std::copy(current.begin(), current.end(), records_.header.begin());
    (void)store.ReadExtension(Header().contestNumber(), &records_.extension);
  }
  ContestHeaderRecord h = Header();
  if (!isExisting_) {
    // 1. A new header.
    const FamilySettings& station = session_.Settings();
    h.SetLocator(station.ownLocator);
    h.SetOwnCall(station.ownCall);
    h.SetContestCode(code_);
    h.SetAutoDate(true);
    h.SetAutoTime(true);
    h.SetRecordMark('D');
    h.SetRstSentFree(false);
    h.SetRstRcvdFree(false);
    h.MarkCreated();
  }
  Rebuild();
  // 2. The contest's default period where the header has none. A new contest's dates start
  // as today where the contest names none (its times keep the default period).
  FillDefaultPeriod();
  if (!isExisting_) {
    if (h.dateFrom() <= 0)
      h.SetDateFrom(TodayDay(session_.ClockSource()));
    if (h.dateTo() <= 0)
      h.SetDateTo(h.dateFrom());
  }
  // 3.-5. Fields, categories, modes.
  FillForm();
  FillCategories();
  UpdateModes();
  // 6. Band names (Rebuild); the evaluation is computed when asked for.
  view_.dokLabel = UsesLdk() ? "LDK" : Definition().HasOption(option::kArea) ? "Area" : "DOK";
  // 7. The station address.
  ReadAddress();
  // 8. Extras and caption.
  HeaderExtraValues extras = ExtraValuesOf(form);
  ReadExtras(extra_, h, extras);
  PutExtraValues(extras, form);
  if (extra_.kind == HeaderExtraKind::kStationDescription)
    form.station = LoadStationDescription(code_, h.contestNumber(), session_.Io());
  if (extra_.questionAnsweredByDistrictUDok && IsDistrictUDok(form.eDOK))
    form.eHMja = true;
  ShowExtraGroups(extra_, view_);
  view_.caption = HeaderWindowCaption(Definition().ContestName, view_.fromLogWindow);
}

void ContestHeaderModel::FillDefaultPeriod() {
  ContestHeaderRecord h = Header();
  const ContestDefinition& d = Definition();
  // The catalog's period moved to this year by its rule (contest_period.h).
  const PeriodDays period = PresetPeriod(code_, TodayDay(session_.ClockSource()));
  if (h.dateFrom() == 0 && period.start > 0)
    h.SetDateFrom(period.start);
  if (h.dateTo() == 0 && period.end > 0)
    h.SetDateTo(period.end);
  if (h.timeFrom() == 0 && ReadDefaultPeriodTime(d.DefaultStartTime) > 0)
    h.SetTimeFrom(ReadDefaultPeriodTime(d.DefaultStartTime));
  if (h.timeTo() == 0 && ReadDefaultPeriodTime(d.DefaultEndTime) > 0)
    h.SetTimeTo(ReadDefaultPeriodTime(d.DefaultEndTime));
}

void ContestHeaderModel::FillForm() {
  const ContestHeaderRecord h = Header();
  const FamilySettings& station = session_.Settings();
  form.eName = h.contestName();
  form.eCall = h.ownCall().empty() ? station.ownCall : h.ownCall();
  form.eDOK = UsesLdk() ? h.ldk() : h.dok();
  form.eSWL = station.listenerName;
  form.eLoc = h.locator().empty() ? station.ownLocator : h.locator();
  form.eDatumvon = DateText(h.dateFrom());
  form.eDatumbis = DateText(h.dateTo());
  form.eZeitvon = TimeText(h.timeFrom());
  form.eZeitbis = TimeText(h.timeTo());
  form.edatumauto = h.autoDate();
  form.ezeitauto = h.autoTime();
  view_.bandAutoVisible = Definition().BandAutoOffered != 0;
  form.eBandauto = view_.bandAutoVisible && h.autoBand();
  form.eaktrsts = !h.rstSentFree();
  form.eaktrstr = !h.rstRcvdFree();
  form.eQSLw = CharToText(h.qslSentDefault());
  form.eqslr = CharToText(h.qslRcvdDefault());
  const ContestExtensionRecord x = records_.Extension();
  form.crstsnichtsperren = x.rstsNotLocked();
  form.cdoppelqso = x.logUncountedDupes();
  if (!isExisting_)
    form.clock = ClockChoice::kNone;
  else
    form.clock = UtcCorrection() != 0 ? ClockChoice::kLocal : ClockChoice::kUtc;
  form.startMode = h.startSsb()  ? StartMode::kSsb
                   : h.startFm() ? StartMode::kFm
                   : h.startPr() ? StartMode::kPr
                                 : StartMode::kCw;
}

void ContestHeaderModel::FillCategories() {
  // 4. Names 1 to 20, empty ones skipped; each entry keeps its category number.
  view_.categories.clear();
  const ContestDefinition& d = Definition();
  for (std::size_t i = 0; i < d.Categories.size() && i < ContestDefinition::kMaxCategories; ++i) {
    if (!d.Categories[i].description.empty())
      view_.categories.push_back({static_cast<int>(i + 1), d.Categories[i].description});
  }
  view_.categoryColumns = view_.categories.size() > kMaxCategoryRows ? 2 : 1;
  const int stored = Header().category();
  form.category = stored;
  // A category, once stored, cannot be changed here.
  view_.categoriesEnabled = stored == 0 && !view_.categories.empty();
}

void ContestHeaderModel::UpdateModes() {
  view_.cwEnabled = view_.ssbEnabled = view_.fmEnabled = view_.prEnabled = false;
  view_.prCaption = "PR";
  for (const std::string& mode : Definition().Modes) {
    if (mode == "CW") {
      view_.cwEnabled = true;
    } else if (mode == "SSB") {
      view_.ssbEnabled = true;
    } else if (mode == "PR") {
      view_.prEnabled = true;
    } else if (mode == "FM") {
      view_.fmEnabled = true;
    } else if (mode == "DIGITAL") {
      view_.prEnabled = true;
      view_.prCaption = "DIGI";
    } else if (mode == "FSK441") {
      view_.prEnabled = true;
      view_.prCaption = "FSK441";
    }
  }
  // A disabled radio button is unchecked.
  const bool enabled = form.startMode == StartMode::kCw    ? view_.cwEnabled
                       : form.startMode == StartMode::kSsb ? view_.ssbEnabled
                       : form.startMode == StartMode::kFm  ? view_.fmEnabled
                       : form.startMode == StartMode::kPr  ? view_.prEnabled
                                                           : true;
  if (!enabled)
    form.startMode = StartMode::kNone;
}

void ContestHeaderModel::UpdateBandNames() {
  const std::string& bands = Definition().Bands;
  for (std::size_t i = 0; i < view_.bandNames.size(); ++i) {
    const char band = i < bands.size() ? bands[i] : '\0';
    view_.bandNames[i] = IsBandLetter(band) ? BandName(band) : std::string();
  }
}

void ContestHeaderModel::ReadAddress() {
  // 7. From the setup record; postcode and place are split at the first blank.
  Fileblock* setup = OpenProgramFile(ProgramFile::kSetup);
  if (setup == nullptr)
    return;
  if (setup->FirstKey(1) == 0) {
    const SetupRecord s(setup->RecordBuffer());
    const std::string place = s.postcodePlace();
    const std::size_t blank = place.find(' ');
    if (blank == std::string::npos) {
      form.ePLZ.clear();
      form.eOrt = place;
    } else {
      form.ePLZ = place.substr(0, blank);
      form.eOrt = place.substr(blank + 1);
    }
    form.eStrasse = s.street();
    form.eLand = s.country();
    form.ecname = s.name();
    // The header's own DOK and locator come first: they belong to this contest. The
    // station's DOK is no default for a field that holds an LDK or an area.
    if (TrimBlanks(form.eDOK).empty() && view_.dokLabel == "DOK")
      form.eDOK = s.dok().substr(0, kDokLength);
    if (TrimBlanks(form.eLoc).empty())
      form.eLoc = s.stationLocator();
  }
  CloseProgramFile(setup);
}

EvaluationPanel ContestHeaderModel::Evaluation() const {
  return HeaderEvaluationPanel(Definition(), code_, Header(), records_.Extension());
}

std::vector<OutputMenuItem> ContestHeaderModel::OutputMenu() const {
  return HeaderOutputMenu(Definition(), code_);
}

// ---------------------------------------------------------------------------------------
// Events of the form

void ContestHeaderModel::CategoryClicked(int number) {
  if (!view_.categoriesEnabled)
    return;
  form.category = number;
  ControlEdited(HeaderControl::eteilnahmeart);
  // 1., 2. Saved silently; the save rebuilds the definition for the new category. A silent
  // save that fails is made again, with its messages, by the next save.
  (void)Save(SaveTrigger::kSilent);
  // 3. The modes of the category.
  UpdateModes();
  // 4. The category's period, except in fields typed by hand.
  const ContestCategory* category = Definition().Category(number);
  if (category == nullptr || category->timeBlock < 1 ||
      static_cast<std::size_t>(category->timeBlock) > Definition().TimeBlocks.size())
    return;
  const TimeBlock& block =
      Definition().TimeBlocks[static_cast<std::size_t>(category->timeBlock - 1)];
  const std::uint8_t edited = Header().periodEdited();
  auto put = [&](PeriodField field, const std::string& text) {
    if ((edited & Bit(field)) == 0)
      PeriodText(field) = text;
  };
  put(PeriodField::kDateFrom, block.date);
  put(PeriodField::kDateTo, block.date);
  put(PeriodField::kTimeFrom, block.startTime.substr(0, 5));
  put(PeriodField::kTimeTo, block.endTime.substr(0, 5));
}

std::string& ContestHeaderModel::PeriodText(PeriodField field) {
  switch (field) {
  case PeriodField::kDateFrom:
    return form.eDatumvon;
  case PeriodField::kDateTo:
    return form.eDatumbis;
  case PeriodField::kTimeFrom:
    return form.eZeitvon;
  case PeriodField::kTimeTo:
    break;
  }
  return form.eZeitbis;
}

void ContestHeaderModel::PeriodFieldEntered(PeriodField field) {
  entered_[static_cast<int>(field)] = PeriodText(field);
}

void ContestHeaderModel::PeriodFieldLeft(PeriodField field) {
  std::string& text = PeriodText(field);
  const bool isDate = field == PeriodField::kDateFrom || field == PeriodField::kDateTo;
  text = isDate ? CompleteDate(text, session_.ClockSource()) : CompleteTime(text);
  if (text != entered_[static_cast<int>(field)]) {
    ContestHeaderRecord h = Header();
    h.SetPeriodEdited(static_cast<std::uint8_t>(h.periodEdited() | Bit(field)));
  }
}

void ContestHeaderModel::CallLeft() {
  if (extra_.ownNumberFromCallList == 0 || Header().extraNumber() != 0)
    return;
  const std::string number = LookUpMemberNumber(extra_.ownNumberFromCallList, form.eCall);
  if (TrimBlanks(form.eJahre) == "0")
    form.eJahre = number;
}

void ContestHeaderModel::DokChanged() {
  if (!extra_.questionAnsweredByDistrictUDok)
    return;
  if (IsDistrictUDok(form.eDOK))
    form.eHMja = true;
  Header().SetDok(Upper(form.eDOK).substr(0, 6));
}

void ContestHeaderModel::ControlEdited(HeaderControl control) {
  marked_.erase(control);
}

HeaderControl ContestHeaderModel::TakeFocusRequest() {
  const HeaderControl focus = focus_;
  focus_ = HeaderControl::kNone;
  return focus;
}

// ---------------------------------------------------------------------------------------
// Buttons and keys

bool ContestHeaderModel::StartClicked() {
  return Save(SaveTrigger::kStart);
}

bool ContestHeaderModel::FinishClicked() {
  return Save(SaveTrigger::kFinish);
}

bool ContestHeaderModel::EscapePressed() {
  if (!session_.Dialogs().Confirm(ApplyChangesQuestion()))
    return true;
  return FinishClicked();
}

void ContestHeaderModel::PrintClicked() {
  // A failed save has shown its message; the output menu opens all the same, and an output
  // of a contest that was never stored only beeps (OutputChosen).
  (void)Save(SaveTrigger::kPrint);
}

void ContestHeaderModel::OutputChosen(int kind) {
  if (kind <= 0)
    return;
  if (Header().contestNumber() <= 0) {
    // Never stored: there is no log to write out.
    session_.Dialogs().Beep();
    return;
  }
  // The output run reads the contest from the buffers. A contest that cannot be found there
  // any more gives no output rather than one of whatever the buffers hold.
  if (session_.Records().MakeCurrent(records_) != StoreResult::kOk) {
    session_.Dialogs().Beep();
    return;
  }
  if (runOutput)
    runOutput(kind);
}

// ---------------------------------------------------------------------------------------
// Saving

bool ContestHeaderModel::Fail(HeaderControl control, const std::string& message) {
  if (!message.empty())
    session_.Dialogs().Inform(message);
  marked_.insert(control);
  focus_ = control;
  return false;
}

bool ContestHeaderModel::Save(SaveTrigger trigger) {
  const bool checks = trigger != SaveTrigger::kSilent;
  UserDialogs& dialogs = session_.Dialogs();
  FamilySettings& station = session_.Settings();
  ContestHeaderRecord h = Header();
  const ContestDefinition& d = Definition();

  // 1. A name longer than the record holds is refused, never cut without a word.
  const std::string name = TrimBlanks(form.eName);
  if (checks && name.size() > static_cast<std::size_t>(kNameLength))
    return Fail(HeaderControl::eName, "Der Contest-Name darf höchstens 25 Zeichen lang sein.");
  h.SetContestName(name.substr(0, kNameLength));
  if (checks && h.contestName().empty())
    return Fail(HeaderControl::eName, "Eingabe eines Contest-Namens notwendig.");
  // 2.
  if (checks && TrimBlanks(form.ePLZ).empty())
    return Fail(HeaderControl::ePLZ, "Angabe der Postleitzahl und des Ortes notwendig.");
  // 3.
  if (checks && TrimBlanks(form.eLoc).empty() && SendsLocator())
    return Fail(HeaderControl::eLoc, "Angabe des Standortlocators notwendig.");
  // 4.
  const std::string call = Upper(form.eCall).substr(0, 12);
  h.SetOwnCall(call);
  station.ownCall = call;
  const std::string dok = Upper(form.eDOK).substr(0, kDokLength);
  if (UsesLdk())
    h.SetLdk(dok);
  else
    h.SetDok(dok);
  // 5.
  if (checks && !UsesLdk() && dok.empty() && d.HasOption(option::kDok) &&
      !d.HasOption(option::kArea) && !view_.fromLogWindow &&
      !dialogs.Confirm("Kein DOK angegeben. Trotzdem weiter?"))
    return Fail(HeaderControl::eDOK, {});
  // 6.
  if (checks && UsesLdk() && dok.empty() &&
      !dialogs.Confirm("Kein LDK angegeben. Trotzdem weiter?"))
    return Fail(HeaderControl::eDOK, {});
  // 7.
  const std::string locator = Upper(form.eLoc).substr(0, 6);
  station.ownLocator = locator;
  h.SetLocator(locator);
  station.listenerName = TrimBlanks(form.eSWL).substr(0, 14);
  if (checks && call.empty() && station.listenerName.empty())
    return Fail(HeaderControl::eCall, "Eingabe des Rufzeichens notwendig.");
  // 8. Dates must be given; times may stay empty (0).
  for (PeriodField f : {PeriodField::kDateFrom, PeriodField::kDateTo})
    PeriodText(f) = CompleteDate(PeriodText(f), session_.ClockSource());
  for (PeriodField f : {PeriodField::kTimeFrom, PeriodField::kTimeTo})
    PeriodText(f) = CompleteTime(PeriodText(f));
  auto day = [](const std::string& text) {
    return text.empty() ? BadDate : TextToDay(kDatePicture, text);
  };
  auto time = [](const std::string& text) {
    const TimeOfDay t = text.empty() ? BadTime : TextToTime(kQsoTimePicture, text);
    return t < 0 ? 0 : t;
  };
  h.SetDateFrom(day(form.eDatumvon));
  h.SetDateTo(day(form.eDatumbis));
  h.SetTimeFrom(time(form.eZeitvon));
  h.SetTimeTo(time(form.eZeitbis));
  if (checks && h.dateFrom() <= 0)
    return Fail(HeaderControl::eDatumvon, "Eingabe eines Contest-Datums notwendig.");
  if (checks && h.dateTo() <= 0)
    return Fail(HeaderControl::eDatumbis, "Eingabe eines Contest-Datums notwendig.");
  // 9.
  if (checks && form.clock == ClockChoice::kNone)
    return Fail(HeaderControl::grouputc,
                "Es wurde nicht bestimmt, ob der Computer mit Ortszeit läuft.");
  // 10.
  h.SetRecordMark('D');
  h.SetAutoTime(form.ezeitauto);
  h.SetAutoDate(form.edatumauto);
  h.SetAutoBand(view_.bandAutoVisible && form.eBandauto);
  h.SetRstRcvdFree(!form.eaktrstr);
  h.SetRstSentFree(!form.eaktrsts);
  h.SetQslSentDefault(FirstChar(form.eQSLw));
  h.SetQslRcvdDefault(FirstChar(form.eqslr));
  // 11.
  if (checks && view_.categoriesEnabled && form.category == 0)
    return Fail(HeaderControl::eteilnahmeart, "Sie haben keine Teilnahmeart angegeben.");
  if (view_.categoriesEnabled)
    h.SetCategory(static_cast<std::uint8_t>(std::clamp(form.category, 0, 255)));
  // 12. Without a choice (a silent save before one is made) the correction stays.
  if (form.clock == ClockChoice::kUtc)
    SetUtcCorrection(0);
  else if (form.clock == ClockChoice::kLocal)
    SetUtcCorrection(d.UtcOffsetHours);
  station.utcCorrection = UtcCorrection();
  // 13.
  h.SetStartSsb(form.startMode == StartMode::kSsb);
  h.SetStartFm(form.startMode == StartMode::kFm);
  h.SetStartPr(form.startMode == StartMode::kPr);
  // 14.
  const std::string place = (TrimBlanks(form.ePLZ) + " " + TrimBlanks(form.eOrt)).substr(0, 50);
  const std::string postcodePlace = TrimBlanks(place).empty() ? std::string() : place;
  h.SetPostcode(postcodePlace.substr(0, std::min(postcodePlace.find(' '), std::size_t{5})));
  (void)WriteAddress(); // a storage failure is reported by the storage layer; the save goes on
  // 15.
  if (trigger == SaveTrigger::kPrint &&
      (TrimBlanks(form.ecname).empty() || TrimBlanks(form.eStrasse).empty() ||
       postcodePlace.empty()))
    dialogs.Inform("Die Adress-Angaben sind nicht vollständig.");
  // 16.
  ContestExtensionRecord x = Extension();
  x.SetRstsNotLocked(form.crstsnichtsperren);
  x.SetLogUncountedDupes(form.cdoppelqso);
  const HeaderExtraValues extras = ExtraValuesOf(form);
  WriteExtras(extra_, extras, h, x);
  if (checks) {
    if (const std::optional<ExtrasCheck> failed = CheckExtras(extra_, extras, h.category())) {
      if (failed->blocks)
        return Fail(ControlOf(failed->field), failed->message);
      dialogs.Inform(failed->message);
      focus_ = ControlOf(failed->field);
    }
  }
  // 17., 18.
  std::string refusal;
  switch (WriteRecords(&refusal)) {
  case RecordsWrite::kWritten:
    break;
  case RecordsWrite::kFailed:
    if (checks)
      dialogs.Inform("Fehler bei Dateneingabe. Datensatz evtl. schon vorhanden.");
    return false;
  case RecordsWrite::kRefused:
    if (checks) // a silent save meets it again at the next save, which says so
      dialogs.Inform(refusal);
    return false;
  }
  // 19. The records are stored; a description that could not be written stays in the form
  // and is written again by the next save.
  const FileWriteResult description =
      SaveStationDescription(code_, Header().contestNumber(), form.station, session_.Io());
  if (!description.ok() && checks)
    dialogs.Inform(FileNotSavedMessage(
        DataPath(StationDescriptionFile(code_, Header().contestNumber())), description.osError()));
  // 20.
  Rebuild();
  return true;
}

bool ContestHeaderModel::WriteAddress() {
  Fileblock* setup = OpenProgramFile(ProgramFile::kSetup);
  if (setup == nullptr)
    return false;
  const int found = setup->FirstKey(1);
  bool written = false;
  if (found == 0 || (found == 1 && setup->ClearBuffer() == 0)) {
    SetupRecord s(setup->RecordBuffer());
    const FamilySettings& station = session_.Settings();
    s.SetName(TrimBlanks(form.ecname).substr(0, 50));
    const std::string place = (TrimBlanks(form.ePLZ) + " " + TrimBlanks(form.eOrt)).substr(0, 50);
    s.SetPostcodePlace(TrimBlanks(place).empty() ? std::string() : place);
    s.SetStreet(TrimBlanks(form.eStrasse).substr(0, 50));
    s.SetCountry(TrimBlanks(form.eLand).substr(0, 50));
    if (view_.dokLabel == "DOK") // an LDK or an area is not the station's DOK
      s.SetDok(Upper(form.eDOK).substr(0, 10));
    s.SetStationLocator(station.ownLocator);
    // The station settings the window changed, so that they are on disk at once.
    s.SetOwnCall(station.ownCall);
    s.SetOwnLocator(station.ownLocator);
    s.SetListenerName(station.listenerName);
    s.SetUtcCorrection(station.utcCorrection);
    written = found == 0 ? setup->Update() == 0 : AddRecord(*setup);
  }
  CloseProgramFile(setup);
  return written;
}

ContestHeaderModel::RecordsWrite ContestHeaderModel::WriteRecords(std::string* refusal) {
  ContestRecordStore store = session_.Records();
  if (isExisting_)
    return store.Write(records_) == StoreResult::kOk ? RecordsWrite::kWritten
                                                     : RecordsWrite::kFailed;
  const StoreResult added = store.Add(&records_);
  const std::int32_t number = Header().contestNumber();
  if (number <= 0)
    return RecordsWrite::kFailed; // the header was not added
  // The file numbered it. QSO files left with this number by an earlier contest are not
  // this contest's log: they go aside, and while they cannot, the contest is taken out again.
  const QsoLogMove moved = MoveQsoLogAside(number, session_.Io());
  if (!moved.ok) {
    *refusal = QsoLogNotMovedMessage(number, moved) + " " +
               ChooseText("Der Contest wurde nicht angelegt.", "The contest was not created.");
    // Should taking it out fail, the storage layer has reported why; either way the next
    // save tries to add the contest anew.
    const bool removed = store.Delete(number) == StoreResult::kOk;
    records_.Header().SetContestNumber(0);
    return removed ? RecordsWrite::kRefused : RecordsWrite::kFailed;
  }
  // From now on the contest exists, even when its extension record could not be written.
  isExisting_ = true;
  return added == StoreResult::kOk ? RecordsWrite::kWritten : RecordsWrite::kFailed;
}

} // namespace tarvik
