#include "logging/qso_edit_form.h"

#include "base/pictures.h"
#include "base/strings.h"
#include "base/text_helpers.h"
#include "radio/bands.h"

namespace tarvik {

namespace {

constexpr std::array<std::string_view, kEditFields> kNames = {
    "eCall",  "eCall2", "eRSTs1", "eRSTs2", "eRSTs3", "eRSTs4", "eRSTr1",
    "eRSTr2", "eRSTr3", "eRSTr4", "eDatum", "ezeit",  "eQSLw",  "eqslr",
    "eMulti", "eFreq",  "eName",  "eQTH",   "emode"};

} // namespace

std::string_view EditFieldName(EditField field) {
  return kNames[static_cast<std::size_t>(field)];
}

int EditFieldMaxLength(EditField field) {
  switch (field) {
  case EditField::eCall:
  case EditField::eCall2:
  case EditField::ezeit:
    return 14;
  case EditField::eDatum:
  case EditField::eFreq:
    return 10;
  case EditField::eRSTs1:
    return 3;
  case EditField::eRSTr1:
    return 12;
  case EditField::eQSLw:
  case EditField::eqslr:
    return 1;
  case EditField::eMulti:
  case EditField::emode:
    return 6;
  case EditField::eName:
  case EditField::eQTH:
    return 25;
  default:
    return 21; // the exchange elements
  }
}

bool EditFieldIsUpperCase(EditField field) {
  return field != EditField::eName && field != EditField::eQTH;
}

EditField EditSentField(int n) {
  return static_cast<EditField>(static_cast<int>(EditField::eRSTs1) + n - 1);
}

EditField EditReceivedField(int n) {
  return static_cast<EditField>(static_cast<int>(EditField::eRSTr1) + n - 1);
}

double ReadFrequencyText(std::string_view text) {
  const std::string trimmed = TrimBlanks(text);
  if (trimmed.empty())
    return 0;
  const ParsedReal parsed = ParseReal(trimmed);
  return parsed.errorPosition == 0 && parsed.value > 0 ? parsed.value : 0;
}

std::string FrequencyFieldText(double mhz) {
  if (!(mhz > 0))
    return std::string();
  return TrimBlanks(FormatPicture("#####,####", mhz));
}

void QsoEditForm::SetText(EditField field, std::string_view text) {
  std::string value(text.substr(0, static_cast<std::size_t>(EditFieldMaxLength(field))));
  texts_[Index(field)] = EditFieldIsUpperCase(field) ? UpCase(value) : value;
}

void QsoEditForm::Initialise(const Setup& setup) {
  number_ = setup.number;
  multiCaption_ = setup.multiCaption;
  bandLetters_.clear();
  bandNames_.clear();
  for (char letter : setup.bandLetters) {
    if (!IsBandLetter(letter))
      continue;
    bandLetters_ += letter;
    bandNames_.push_back(BandName(letter));
  }
  modes_ = setup.modes;
  const std::size_t band = bandLetters_.find(setup.band);
  bandIndex_ = band == std::string::npos || setup.band == '\0' ? -1 : static_cast<int>(band);
  modeIndex_ = -1;
  for (std::size_t i = 0; i < modes_.size(); ++i)
    if (modes_[i] == setup.mode)
      modeIndex_ = static_cast<int>(i);
  // A mode the list does not offer is shown in the free mode field.
  const bool free = modeIndex_ < 0;
  SetVisible(EditField::emode, free);
  Fill(EditField::emode, free ? setup.mode : std::string());
}

char QsoEditForm::Band() const {
  if (bandIndex_ < 0 || bandIndex_ >= static_cast<int>(bandLetters_.size()))
    return '\0';
  return bandLetters_[static_cast<std::size_t>(bandIndex_)];
}

std::string QsoEditForm::Mode() const {
  if (Visible(EditField::emode) && !TrimBlanks(Text(EditField::emode)).empty())
    return TrimBlanks(Text(EditField::emode));
  if (modeIndex_ < 0 || modeIndex_ >= static_cast<int>(modes_.size()))
    return std::string();
  return modes_[static_cast<std::size_t>(modeIndex_)];
}

double QsoEditForm::Frequency() const {
  return ReadFrequencyText(Text(EditField::eFreq));
}

void QsoEditForm::SetFrequency(double mhz) {
  Fill(EditField::eFreq, FrequencyFieldText(mhz));
}

void QsoEditForm::ChooseBand(int index) {
  if (index < 0 || index >= static_cast<int>(bandLetters_.size()))
    return;
  bandIndex_ = index;
  const char band = Band();
  if (BandFromFrequency(Frequency()) != band)
    SetFrequency(BandLetterDefaultFrequency(band));
}

void QsoEditForm::ChooseMode(int index) {
  if (index < 0 || index >= static_cast<int>(modes_.size()))
    return;
  modeIndex_ = index;
  // The list's choice is the mode now; the free mode field is no longer needed.
  Fill(EditField::emode, std::string());
  SetVisible(EditField::emode, false);
  const std::string& mode = modes_[static_cast<std::size_t>(index)];
  for (EditField field : {EditField::eRSTs1, EditField::eRSTr1}) {
    std::string report = Text(field);
    if (mode == "CW") {
      if (report.size() == 2)
        report += '9';
      else if (report.size() >= 3 && report[2] == ' ')
        report[2] = '9';
    } else if (mode == "SSB" || mode == "FM") {
      if (report.size() >= 3 && report[2] == '9')
        report[2] = ' ';
    }
    Fill(field, report);
  }
}

void QsoEditForm::LeaveFrequency() {
  const char chosen = Band();
  const double mhz = CompleteFrequency(Frequency());
  const char band = BandFromFrequency(mhz);
  const std::size_t entry = IsBandLetter(band) ? bandLetters_.find(band) : std::string::npos;
  if (entry != std::string::npos) {
    bandIndex_ = static_cast<int>(entry);
    SetFrequency(mhz);
  } else if (IsBandLetter(chosen)) {
    SetFrequency(BandLetterDefaultFrequency(chosen));
  }
}

} // namespace tarvik
