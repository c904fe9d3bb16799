#include "outputs/header_extras_view.h"

#include <optional>

#include "base/data_directory.h"
#include "outputs/text_files.h"

namespace tarvik {

void ShowExtraGroups(const HeaderExtra& extra, HeaderView& view) {
  view.zusatzVisible = false;
  view.label15.clear();
  view.label16.clear();
  view.jahreMaxLength = 0;
  view.zusatz2Visible = false;
  view.frageVisible = false;
  view.frageCaption.clear();
  view.frageQuestion.clear();
  view.stationVisible = false;
  view.stationChecksVisible = false;
  view.rstBoxesVisible = !extra.freeRst;
  switch (extra.kind) {
  case HeaderExtraKind::kAge:
  case HeaderExtraKind::kMemberNumber:
  case HeaderExtraKind::kClubId:
    view.zusatzVisible = true;
    view.label15 = extra.numberCaption;
    view.label16 = extra.numberLabel;
    view.jahreMaxLength = extra.numberLength;
    break;
  case HeaderExtraKind::kScoringGroup:
    view.zusatz2Visible = true;
    break;
  case HeaderExtraKind::kYesNoQuestion:
    view.frageVisible = true;
    view.frageCaption = extra.questionCaption;
    view.frageQuestion = extra.question;
    break;
  case HeaderExtraKind::kStationDescription:
    view.stationVisible = true;
    view.stationChecksVisible = extra.kitChoices;
    break;
  case HeaderExtraKind::kNone:
    break;
  }
}

HeaderExtraValues ExtraValuesOf(const HeaderForm& form) {
  HeaderExtraValues values;
  values.number = form.eJahre;
  values.scoringGroup = form.zusatz2;
  values.yes = form.eHMja;
  values.station = form.station;
  values.kit = form.bausatz;
  values.unique = form.unikat;
  return values;
}

void PutExtraValues(const HeaderExtraValues& values, HeaderForm& form) {
  form.eJahre = values.number;
  form.zusatz2 = values.scoringGroup;
  form.eHMja = values.yes;
  form.station = values.station;
  form.bausatz = values.kit;
  form.unikat = values.unique;
}

HeaderControl ControlOf(ExtrasCheck::Field field) {
  return field == ExtrasCheck::Field::kStation ? HeaderControl::memogroupzusatz3
                                               : HeaderControl::eJahre;
}

std::string LoadStationDescription(char contestCode, int contestNumber, FileIo* io) {
  const std::string name = StationDescriptionFile(contestCode, contestNumber);
  if (name.empty())
    return {};
  const std::optional<std::string> text = ReadTextFile(DataPath(name), io);
  return text ? WithoutCr(*text) : std::string();
}

FileWriteResult SaveStationDescription(char contestCode, int contestNumber,
                                       std::string_view text, FileIo* io) {
  const std::string name = StationDescriptionFile(contestCode, contestNumber);
  if (name.empty() || StationDescriptionEmpty(text))
    return FileWriteResult::Ok();
  return WriteTextFile(DataPath(name), text, io);
}

} // namespace tarvik
