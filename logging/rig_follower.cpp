#include "logging/rig_follower.h"

#include "base/pictures.h"
#include "base/strings.h"
#include "base/text_helpers.h"
#include "radio/bands.h"
#include "radio/rig_modes.h"

namespace tarvik {

namespace {

using F = EntryField;

/// The frequency field's value as the session reads it (32-bit float MHz), 0 for none.
float FieldFrequency(std::string_view text) {
  const std::string trimmed = TrimBlanks(text);
  if (trimmed.empty())
    return 0;
  const ParsedReal parsed = ParseReal(trimmed);
  return parsed.errorPosition == 0 && parsed.value > 0 ? static_cast<float>(parsed.value) : 0;
}

} // namespace

std::string RigFrequencyFieldText(double mhz) {
  return TrimBlanks(FormatPicture("#####,####", mhz));
}

void RigFollower::Reset() {
  band_.reset();
  mode_.reset();
  notice_.clear();
}

bool RigFollower::Follow(const RigSnapshot& snapshot) {
  if (!session_.IsOpen() || snapshot.link != RigLink::kConnected || !(snapshot.reading.hz > 0))
    return false;
  // A stored QSO being changed keeps its band, mode and frequency; a frequency being typed
  // is the operator's. What the radio did meanwhile is followed afterwards.
  if (session_.EditMode() != 0 || session_.Form().Focus() == F::eFreq)
    return false;
  const double mhz = snapshot.reading.hz / 1e6;
  const char radioBand = BandFromFrequency(mhz);
  const char bandBefore = session_.Bands().Band();
  const std::string modeBefore = session_.Bands().Mode();
  const bool freeModeBefore = session_.Form().IsEntryField(F::emode);
  if (!band_ || *band_ != radioBand) {
    band_ = radioBand;
    FollowBand(mhz, radioBand);
  }
  if (!mode_ || *mode_ != snapshot.reading.mode) {
    mode_ = snapshot.reading.mode;
    FollowMode(snapshot.reading.mode);
  }
  const bool frequency = FollowFrequency(mhz, radioBand);
  return frequency || session_.Bands().Band() != bandBefore ||
         session_.Bands().Mode() != modeBefore ||
         session_.Form().IsEntryField(F::emode) != freeModeBefore;
}

void RigFollower::FollowBand(double mhz, char radioBand) {
  notice_.clear();
  const char band = ContestBandOfFrequency(mhz, session_.Definition().Bands);
  if (band == '\0') {
    // The log keeps its band, as for a typed frequency of a band the contest does not have.
    notice_ = IsBandLetter(radioBand)
                  ? ChooseText(BandName(radioBand) + " nicht im Contest",
                               BandName(radioBand) + " not in this contest")
                  : ChooseText("Frequenz außerhalb der Bänder", "frequency outside the bands");
    return;
  }
  if (band != session_.Bands().Band())
    session_.TakeBand(band);
}

void RigFollower::FollowMode(const std::string& rigMode) {
  const RigModeChoice choice = ContestModeOfRigMode(rigMode, session_.Bands().ModeList());
  if (choice.listEntry.empty())
    return;
  const bool freeMode = session_.Form().IsEntryField(F::emode);
  if (choice.listEntry == "DIGITAL") {
    // The free mode field names the digital mode; a radio mode that names none keeps what
    // the operator typed there.
    if (!choice.freeText.empty() && session_.Form().FieldText(F::emode) != choice.freeText)
      session_.SetFieldText(F::emode, choice.freeText);
    if (!freeMode)
      session_.TakeMode("DIGITAL");
    return;
  }
  if (freeMode || session_.Bands().Mode() != choice.listEntry)
    session_.TakeMode(choice.listEntry);
}

bool RigFollower::FollowFrequency(double mhz, char radioBand) {
  // A frequency outside the log's band would give way to the band's default frequency.
  if (radioBand != session_.Bands().Band())
    return false;
  const std::string text = RigFrequencyFieldText(mhz);
  if (FieldFrequency(session_.Form().FieldText(F::eFreq)) == FieldFrequency(text))
    return false;
  session_.SetFieldText(F::eFreq, text);
  return true;
}

CatPanelTexts RigFollower::Texts(const RigSnapshot& snapshot) const {
  CatPanelTexts texts;
  switch (snapshot.link) {
  case RigLink::kOff:
    texts.link = ChooseText("CAT aus", "CAT off");
    return texts;
  case RigLink::kNoConnection:
    texts.link = ChooseText("keine Verbindung", "no connection");
    return texts;
  case RigLink::kConnected:
    break;
  }
  texts.frequency = TrimBlanks(FormatPicture("#####,#####", snapshot.reading.hz / 1e6)) + " MHz";
  texts.mode = snapshot.reading.mode;
  const RigModeChoice choice =
      ContestModeOfRigMode(snapshot.reading.mode, session_.Bands().ModeList());
  if (!choice.listEntry.empty() && choice.listEntry != snapshot.reading.mode)
    texts.mode += " (" + choice.listEntry + ")";
  texts.notice = notice_;
  return texts;
}

} // namespace tarvik
