#include "outputs/header_extras.h"

#include <array>
#include <cctype>
#include <vector>

#include "base/data_directory.h"
#include "base/strings.h"
#include "datafiles/call_records.h"
#include "datafiles/program_files.h"
#include "outputs/text_files.h"
#include "recordfile/fileblock.h"

namespace tarvik {

namespace {

/// Codes whose extra is a member number shown with "0" for none.
bool IsMemberNumberCode(char code) {
  return code == '7' || code == 'f' || code == '4' || code == 'k';
}

/// A whole number of up to 9 digits (blanks around it allowed).
std::optional<std::int32_t> ReadNumber(std::string_view text) {
  const std::string t = TrimBlanks(text);
  if (t.empty() || t.size() > 9)
    return std::nullopt;
  std::int32_t n = 0;
  for (char c : t) {
    if (!std::isdigit(static_cast<unsigned char>(c)))
      return std::nullopt;
    n = n * 10 + (c - '0');
  }
  return n;
}

/// The number field's text: the number, or `none` for -1.
std::string NumberText(std::int32_t n, const char* none) {
  return n == -1 ? std::string(none) : std::to_string(n);
}

/// The number of a member-number field: "0" (and anything that is no number) is none (-1).
std::int32_t MemberNumber(std::string_view text) {
  const std::optional<std::int32_t> n = ReadNumber(text);
  return n && *n != 0 ? *n : -1;
}

bool IsAgeText(std::string_view text) {
  const std::string t = UpCase(TrimBlanks(text));
  return t == "XX" || ReadNumber(t).has_value();
}

std::string WithoutCr(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') {
      out += text[i];
    } else if (i + 1 >= text.size() || text[i + 1] != '\n') {
      out += '\n';
    }
  }
  return out;
}

} // namespace

void ShowExtraGroups(char code, HeaderView& view) {
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
  view.rstBoxesVisible = true;
  auto number = [&](const char* label, int length) {
    view.zusatzVisible = true;
    view.label16 = label;
    view.jahreMaxLength = length;
  };
  switch (code) {
  case 'P':
    number("Lebensalter:", 3);
    break;
  case '6':
    number("HSC-Nr:", 4);
    break;
  case 'i':
    number("(max.6 Zeichen)", 6);
    view.label15 = "Naval Club-Kürzel und Nr:";
    break;
  case '7':
    number("DIG-Nr:", 4);
    break;
  case 'f':
    number("AGCW-Nr:", 4);
    break;
  case '4':
    number("RTC-Nr:", 4);
    break;
  case 'k':
    number("QCWA-Nr:", 5);
    break;
  case 'Y':
    view.zusatz2Visible = true;
    break;
  case 'U':
    view.frageVisible = true;
    view.frageCaption = "Distrikt";
    view.frageQuestion = "Teilnehmer aus Distrikt U?";
    break;
  case 'Z':
    view.frageVisible = true;
    view.frageCaption = "IPARC";
    view.frageQuestion = "IPARC-Mitglied ?";
    break;
  case 'b':
    view.stationVisible = true;
    view.stationChecksVisible = true;
    break;
  case 'j':
    view.stationVisible = true;
    view.rstBoxesVisible = false;
    break;
  default:
    break;
  }
}

void FillExtras(char code, const ContestHeaderRecord& header, HeaderForm& form) {
  const std::int32_t n = header.extraNumber();
  switch (code) {
  case 'P':
    form.eJahre = NumberText(n, "XX");
    break;
  case '6':
    form.eJahre = NumberText(n, "NM");
    break;
  case 'i':
    form.eJahre = header.clubId();
    break;
  case 'Y':
    form.zusatz2 = n == 1 || n == 2 ? n : 0;
    break;
  case 'U':
  case 'Z':
    form.eHMja = header.yesNoAnswer();
    break;
  case 'b':
    form.unikat = n == 3;
    form.bausatz = n == 2;
    break;
  default:
    if (IsMemberNumberCode(code))
      form.eJahre = NumberText(n, "0");
    break;
  }
}

void StoreExtras(char code, const HeaderForm& form, ContestHeaderRecord& header,
                 ContestExtensionRecord& extension) {
  switch (code) {
  case 'P': {
    const std::string t = UpCase(TrimBlanks(form.eJahre));
    const std::optional<std::int32_t> age = ReadNumber(t);
    header.SetExtraNumber(t == "XX" || !age ? -1 : *age);
    break;
  }
  case '6': // "0" and "NM" are no membership
    header.SetExtraNumber(MemberNumber(form.eJahre));
    break;
  case 'i':
    header.SetClubId(TrimBlanks(form.eJahre).substr(0, 6));
    break;
  case 'Y':
    header.SetExtraNumber(form.zusatz2 >= 0 && form.zusatz2 <= 2 ? form.zusatz2 : 0);
    break;
  case 'U':
  case 'Z':
    header.SetYesNoAnswer(form.eHMja);
    break;
  case 'b':
    header.SetExtraNumber(form.unikat ? 3 : form.bausatz ? 2 : 0);
    break;
  case 'j':
    header.SetRstSentFree(true);
    header.SetRstRcvdFree(true);
    extension.SetRstsNotLocked(true);
    break;
  default:
    if (IsMemberNumberCode(code))
      header.SetExtraNumber(MemberNumber(form.eJahre));
    break;
  }
}

std::optional<ExtrasCheck> CheckExtras(char code, const HeaderForm& form, int category) {
  const bool empty = TrimBlanks(form.eJahre).empty();
  auto warns = [](const char* club) {
    return ExtrasCheck{std::string("Sie haben keine Angabe über die ") + club +
                           "-Mitgliedschaft getätigt.",
                       false, HeaderControl::eJahre};
  };
  switch (code) {
  case 'P':
    if (!IsAgeText(form.eJahre))
      return ExtrasCheck{"Sie haben keine Angabe über Ihr Lebensalter getätigt.", true,
                         HeaderControl::eJahre};
    break;
  case '6':
    if (empty)
      return warns("HSC");
    break;
  case 'i':
    if (empty && category != 6)
      return warns("Naval");
    break;
  case '7':
    if (empty)
      return warns("DIG");
    break;
  case 'f':
    if (empty)
      return warns("AGCW");
    break;
  case '4':
    if (empty)
      return warns("RTC");
    break;
  case 'b':
  case 'j':
    if (TrimBlanks(WithoutCr(form.station)).find_first_not_of("\n\t ") == std::string::npos)
      return ExtrasCheck{"Sie haben keine Angaben zur Station getätigt.", true,
                         HeaderControl::memogroupzusatz3};
    break;
  default:
    break;
  }
  return std::nullopt;
}

std::string StationDescriptionFile(char code, int contestNumber) {
  const char* prefix = code == 'b' ? "OQRP" : code == 'j' ? "mssprint" : nullptr;
  if (prefix == nullptr)
    return {};
  return prefix + LeftPad(std::to_string(contestNumber), 6) + ".STN";
}

std::string LoadStationDescription(char code, int contestNumber, FileIo* io) {
  const std::string name = StationDescriptionFile(code, contestNumber);
  if (name.empty())
    return {};
  const std::optional<std::string> text = ReadTextFile(DataPath(name), io);
  return text ? WithoutCr(*text) : std::string();
}

FileWriteResult SaveStationDescription(char code, int contestNumber, std::string_view text,
                                       FileIo* io) {
  const std::string name = StationDescriptionFile(code, contestNumber);
  if (name.empty() || TrimBlanks(WithoutCr(text)).find_first_not_of("\n\t ") == std::string::npos)
    return FileWriteResult::Ok();
  return WriteTextFile(DataPath(name), text, io);
}

bool IsDistrictUDok(std::string_view dok) {
  static constexpr std::array<std::string_view, 6> kOthers = {"Z16", "Z44", "Z64",
                                                              "Z76", "BBT", "DB0"};
  const std::string d = UpCase(TrimBlanks(dok));
  if (d.empty())
    return false;
  if (d[0] == 'U')
    return true;
  for (std::string_view other : kOthers) {
    if (d == other)
      return true;
  }
  return false;
}

std::string LookUpMemberNumber(char code, std::string_view call) {
  const int field = code == '7' ? 1 : code == 'f' ? 2 : 0;
  const std::string c = UpCase(TrimBlanks(call));
  if (field == 0 || c.empty())
    return "0";
  Fileblock* list = OpenProgramFile(ProgramFile::kCallList);
  if (list == nullptr)
    return "0";
  // The key of the call as the list builds it from a record.
  std::vector<char> probe(CallListRecord::kLength, 0);
  CallListRecord(probe.data()).SetCall(c);
  std::string number = "0";
  if (list->FindKey(1, CallListKey(probe.data(), 1)) == 0) {
    const std::string value = TrimBlanks(CallListRecord(list->RecordBuffer()).Field(field));
    if (!value.empty())
      number = value;
  }
  CloseProgramFile(list);
  return number;
}

} // namespace tarvik
