#include "datafiles/family_settings.h"

#include "base/process_settings.h"
#include "radio/date_time.h"

namespace tarvik {

FamilySettings ReadFamilySettings(const SetupRecord& setup) {
  FamilySettings s;
  s.ownCall = setup.ownCall();
  s.listenerName = setup.listenerName();
  s.ownLocator = setup.ownLocator();
  s.utcCorrection = setup.utcCorrection();
  for (int i = 1; i <= SetupRecord::kColours; ++i)
    s.colours[static_cast<std::size_t>(i - 1)] = setup.Colour(i);
  s.language = setup.language();
  s.nameStyle = setup.nameStyle();
  s.dateFormat = setup.dateFormat();
  s.profileNumber = setup.profileNumber();
  s.designators = setup.Designators();
  return s;
}

void WriteFamilySettings(const FamilySettings& s, SetupRecord& setup) {
  setup.SetOwnCall(s.ownCall);
  setup.SetListenerName(s.listenerName);
  setup.SetOwnLocator(s.ownLocator);
  setup.SetUtcCorrection(s.utcCorrection);
  for (int i = 1; i <= SetupRecord::kColours; ++i)
    setup.SetColour(i, s.colours[static_cast<std::size_t>(i - 1)]);
  setup.SetLanguage(s.language);
  setup.SetNameStyle(static_cast<std::uint8_t>(s.nameStyle));
  setup.SetDateFormat(s.dateFormat);
  setup.SetProfileNumber(s.profileNumber);
}

void ApplyFamilySettings(const FamilySettings& s) {
  SetLanguageFlag(s.language);
  SetNameStyle(s.nameStyle);
  SetDateFormat(s.dateFormat);
  SetUtcCorrection(s.utcCorrection);
  PortableDesignatorTable table;
  table.LoadFromSetup(s.designators);
  SetPortableDesignators(table);
}

void CaptureProcessSettings(FamilySettings& s) {
  s.utcCorrection = UtcCorrection();
  s.nameStyle = NameStyle();
  s.dateFormat = DateFormat();
}

} // namespace tarvik
