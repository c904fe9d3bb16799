#include "contest/header_extras.h"

#include <array>
#include <cctype>
#include <vector>

#include "base/strings.h"
#include "datafiles/call_records.h"
#include "datafiles/program_files.h"
#include "recordfile/fileblock.h"

namespace tarvik {

namespace {

using K = HeaderExtraKind;

struct CodeExtra {
  char code;
  HeaderExtra extra;
};

HeaderExtra MemberNumber(std::string_view label, int length, std::string_view none,
                         std::string_view club) {
  return {.kind = K::kMemberNumber,
          .numberLabel = label,
          .numberLength = length,
          .noneText = none,
          .club = club};
}

const std::array<CodeExtra, 12> kExtras = {{
    {'P', {.kind = K::kAge, .numberLabel = "Lebensalter:", .numberLength = 3, .noneText = "XX"}},
    {'6', MemberNumber("HSC-Nr:", 4, "NM", "HSC")},
    {'i',
     {.kind = K::kClubId,
      .numberLabel = "(max.6 Zeichen)",
      .numberCaption = "Naval Club-Kürzel und Nr:",
      .numberLength = 6,
      .club = "Naval",
      .exemptCategory = 6}},
    {'7',
     [] {
       HeaderExtra e = MemberNumber("DIG-Nr:", 4, "0", "DIG");
       e.ownNumberFromCallList = CallListRecord::kDigNumber;
       return e;
     }()},
    {'f',
     [] {
       HeaderExtra e = MemberNumber("AGCW-Nr:", 4, "0", "AGCW");
       e.ownNumberFromCallList = CallListRecord::kAgcwNumber;
       return e;
     }()},
    {'4', MemberNumber("RTC-Nr:", 4, "0", "RTC")},
    {'k', MemberNumber("QCWA-Nr:", 5, "0", "")},
    {'Y', {.kind = K::kScoringGroup}},
    {'U',
     {.kind = K::kYesNoQuestion,
      .questionCaption = "Distrikt",
      .question = "Teilnehmer aus Distrikt U?",
      .questionAnsweredByDistrictUDok = true}},
    {'Z', {.kind = K::kYesNoQuestion, .questionCaption = "IPARC", .question = "IPARC-Mitglied ?"}},
    {'b', {.kind = K::kStationDescription, .kitChoices = true, .stationFilePrefix = "OQRP"}},
    {'j', {.kind = K::kStationDescription, .freeRst = true, .stationFilePrefix = "mssprint"}},
}};

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
std::string NumberText(std::int32_t n, std::string_view none) {
  return n == -1 ? std::string(none) : std::to_string(n);
}

/// The number of a member-number field: "0" (and anything that is no number) is none (-1).
std::int32_t MemberNumberOf(std::string_view text) {
  const std::optional<std::int32_t> n = ReadNumber(text);
  return n && *n != 0 ? *n : -1;
}

bool IsAgeText(std::string_view text) {
  const std::string t = UpCase(TrimBlanks(text));
  return t == "XX" || ReadNumber(t).has_value();
}

} // namespace

const HeaderExtra& HeaderExtraOf(char contestCode) {
  static const HeaderExtra kNone;
  for (const CodeExtra& e : kExtras)
    if (e.code == contestCode)
      return e.extra;
  return kNone;
}

void ReadExtras(const HeaderExtra& extra, const ContestHeaderRecord& header,
                HeaderExtraValues& values) {
  const std::int32_t n = header.extraNumber();
  switch (extra.kind) {
  case K::kAge:
  case K::kMemberNumber:
    values.number = NumberText(n, extra.noneText);
    break;
  case K::kClubId:
    values.number = header.clubId();
    break;
  case K::kScoringGroup:
    values.scoringGroup = n == 1 || n == 2 ? n : 0;
    break;
  case K::kYesNoQuestion:
    values.yes = header.yesNoAnswer();
    break;
  case K::kStationDescription:
    if (extra.kitChoices) {
      values.unique = n == 3;
      values.kit = n == 2;
    }
    break;
  case K::kNone:
    break;
  }
}

void WriteExtras(const HeaderExtra& extra, const HeaderExtraValues& values,
                 ContestHeaderRecord& header, ContestExtensionRecord& extension) {
  switch (extra.kind) {
  case K::kAge: {
    const std::string t = UpCase(TrimBlanks(values.number));
    const std::optional<std::int32_t> age = ReadNumber(t);
    header.SetExtraNumber(t == "XX" || !age ? -1 : *age);
    break;
  }
  case K::kMemberNumber: // "0" and the none text are no membership
    header.SetExtraNumber(MemberNumberOf(values.number));
    break;
  case K::kClubId:
    header.SetClubId(TrimBlanks(values.number).substr(0, 6));
    break;
  case K::kScoringGroup:
    header.SetExtraNumber(values.scoringGroup >= 0 && values.scoringGroup <= 2 ? values.scoringGroup
                                                                               : 0);
    break;
  case K::kYesNoQuestion:
    header.SetYesNoAnswer(values.yes);
    break;
  case K::kStationDescription:
    if (extra.kitChoices)
      header.SetExtraNumber(values.unique ? 3 : values.kit ? 2 : 0);
    break;
  case K::kNone:
    break;
  }
  if (extra.freeRst) {
    header.SetRstSentFree(true);
    header.SetRstRcvdFree(true);
    extension.SetRstsNotLocked(true);
  }
}

std::optional<ExtrasCheck> CheckExtras(const HeaderExtra& extra, const HeaderExtraValues& values,
                                       int category) {
  switch (extra.kind) {
  case K::kAge:
    if (!IsAgeText(values.number))
      return ExtrasCheck{"Sie haben keine Angabe über Ihr Lebensalter getätigt.", true,
                         ExtrasCheck::Field::kNumber};
    break;
  case K::kMemberNumber:
  case K::kClubId: {
    const bool exempt = extra.exemptCategory != 0 && category == extra.exemptCategory;
    if (!extra.club.empty() && TrimBlanks(values.number).empty() && !exempt)
      return ExtrasCheck{"Sie haben keine Angabe über die " + std::string(extra.club) +
                             "-Mitgliedschaft getätigt.",
                         false, ExtrasCheck::Field::kNumber};
    break;
  }
  case K::kStationDescription:
    if (StationDescriptionEmpty(values.station))
      return ExtrasCheck{"Sie haben keine Angaben zur Station getätigt.", true,
                         ExtrasCheck::Field::kStation};
    break;
  case K::kScoringGroup:
  case K::kYesNoQuestion:
  case K::kNone:
    break;
  }
  return std::nullopt;
}

std::string StationDescriptionFile(char contestCode, int contestNumber) {
  const std::string_view prefix = HeaderExtraOf(contestCode).stationFilePrefix;
  if (prefix.empty())
    return {};
  return std::string(prefix) + LeftPad(std::to_string(contestNumber), 6) + ".STN";
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

bool StationDescriptionEmpty(std::string_view text) {
  return TrimBlanks(WithoutCr(text)).find_first_not_of("\n\t ") == std::string::npos;
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

std::string LookUpMemberNumber(int field, std::string_view call) {
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
