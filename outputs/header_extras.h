#pragma once
// The per-code extra entries of the contest header window: what a contest asks for besides
// the common header (the age for code P, club member numbers, the scoring group of code Y,
// a yes/no question, a station description), how they are shown, stored and checked.
//
//   Code        Shown                              Stored in            Check on saving
//   P           age, "XX" for none                 extraNumber (-1)     empty: blocks
//   6           HSC number, "NM" for none          extraNumber (-1)     empty: warns
//   i           Naval club and number (6 chars)    clubId               empty, not cat. 6: warns
//   7, f, 4     DIG / AGCW / RTC number, "0"       extraNumber (-1)     empty: warns
//   k           QCWA number, "0" for none          extraNumber (-1)     none
//   Y           scoring group S / M / SWL          extraNumber 0, 1, 2  none
//   U, Z        yes/no question                    yesNoAnswer          none
//   b           station description, kit kind      .STN file,           empty: blocks
//                                                  extraNumber 3, 2, 0
//   j           station description                .STN file            empty: blocks
// A check that blocks ends the save; one that warns shows its message and the save goes on.

#include <optional>
#include <string>
#include <string_view>

#include "datafiles/contest_records.h"
#include "outputs/header_form.h"
#include "recordfile/atomic_file.h"

namespace tarvik {

/// Puts the groups, captions and field limits of `code`'s extras into `view`.
void ShowExtraGroups(char code, HeaderView& view);

/// The extras of the stored header as the form shows them (not the station description,
/// which is a file: LoadStationDescription).
void FillExtras(char code, const ContestHeaderRecord& header, HeaderForm& form);

/// Writes the form's extras into the header; for code j also the RST settings it implies
/// (RST not fixed, RSTs not locked) into header and extension.
void StoreExtras(char code, const HeaderForm& form, ContestHeaderRecord& header,
                 ContestExtensionRecord& extension);

/// A failed check of the extras.
struct ExtrasCheck {
  std::string message;
  bool blocks = false; ///< ends the save; otherwise the save goes on after the message
  HeaderControl control = HeaderControl::kNone;
};

/// The check of `code`'s extras for the form and the chosen category; nullopt when it passes
/// or the code has none.
std::optional<ExtrasCheck> CheckExtras(char code, const HeaderForm& form, int category);

/// The station description file of codes b ("OQRP") and j ("mssprint"): the prefix, the
/// contest number right-aligned in 6 characters and ".STN"; "" for other codes.
std::string StationDescriptionFile(char code, int contestNumber);

/// The station description of a contest from its file in the data directory, with "\n" line
/// ends; "" when there is none. `io`: the file system (nullptr: the real one).
std::string LoadStationDescription(char code, int contestNumber, FileIo* io = nullptr);

/// Writes a non-empty station description to its file (CR LF, replacing it as a whole). Ok
/// when there was nothing to write or it was written; otherwise the old file stays and the
/// result says why.
FileWriteResult SaveStationDescription(char code, int contestNumber, std::string_view text,
                                       FileIo* io = nullptr);

/// Code U: a DOK beginning with "U", or one of the district's other DOKs.
bool IsDistrictUDok(std::string_view dok);

/// Codes 7 and f: the member number that the call list (KXCALL) holds for `call` (field 1,
/// the DIG number, for code 7; field 2, the AGCW number, for code f), or "0" when the call
/// is not listed or has none.
std::string LookUpMemberNumber(char code, std::string_view call);

} // namespace tarvik
