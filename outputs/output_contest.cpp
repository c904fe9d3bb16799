#include "outputs/output_contest.h"

#include "contest/contest_header_fields.h"
#include "datafiles/family_settings.h"
#include "datafiles/program_files.h"
#include "datafiles/setup_records.h"
#include "outputs/header_extras.h"
#include "recordfile/fileblock.h"
#include "recordfile/key_codec.h"

namespace tarvik {

namespace {

/// A copy of the setup record, or nothing when the file holds none.
std::optional<std::string> SetupRecordBytes() {
  std::optional<std::string> bytes;
  Fileblock* setup = OpenProgramFile(ProgramFile::kSetup);
  if (setup != nullptr && setup->FirstKey(1) == 0)
    bytes.emplace(setup->RecordBuffer(), static_cast<std::size_t>(SetupRecord::kLength));
  CloseProgramFile(setup);
  return bytes;
}

/// The record of `file` whose key `key` is NumKey5(number), or nothing.
std::optional<std::string> RecordByNumber(ProgramFile file, int key, int number) {
  std::optional<std::string> bytes;
  Fileblock* fileblock = OpenProgramFile(file);
  if (fileblock != nullptr && fileblock->FindKey(key, NumKey5(number)) == 0)
    bytes.emplace(fileblock->RecordBuffer(), static_cast<std::size_t>(fileblock->RecordLength()));
  CloseProgramFile(fileblock);
  return bytes;
}

} // namespace

StationData ReadStationData(char contestCode, int contestNumber, const std::string& swlNumber,
                            FileIo* io) {
  StationData station;
  if (const auto bytes = SetupRecordBytes()) {
    const SetupRecord setup(bytes->data());
    station.operatorName = setup.name();
    station.street = setup.street();
    station.postcodePlace = setup.postcodePlace();
    station.country = setup.country();
    station.locator = setup.stationLocator();
    station.dok = setup.dok();
  }
  station.swlNumber = swlNumber;
  station.stationDescription = LoadStationDescription(contestCode, contestNumber, io);
  return station;
}

std::optional<OutputContest> LoadOutputContest(int contestNumber, UserDialogs& dialogs,
                                               const Clock& clock) {
  constexpr int kContestNumberKey = 3;
  auto header = RecordByNumber(ProgramFile::kContestHeaders, kContestNumberKey, contestNumber);
  if (!header)
    return std::nullopt;
  header->resize(ContestHeaderRecord::kLength, '\0');
  OutputContest contest;
  contest.header = *header;
  contest.extension =
      RecordByNumber(ProgramFile::kContestExtensions, 1, contestNumber).value_or(std::string());
  contest.extension.resize(ContestExtensionRecord::kLength, '\0');

  FamilySettings settings;
  if (const auto setup = SetupRecordBytes())
    settings = ReadFamilySettings(SetupRecord(setup->data()));
  ContestHeaderRecord record(contest.header.data());
  contest.contestCode = record.contestCode();
  contest.definition =
      BuildContestDefinition(contest.contestCode, record, settings.ownLocator, dialogs, clock);
  contest.station = ReadStationData(contest.contestCode, contestNumber, settings.listenerName);
  return contest;
}

} // namespace tarvik
