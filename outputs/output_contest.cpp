#include "outputs/output_contest.h"

#include "contest/contest_header_fields.h"
#include "datafiles/contest_record_store.h"
#include "datafiles/family_settings.h"
#include "datafiles/program_files.h"
#include "datafiles/setup_records.h"
#include "outputs/header_extras_view.h"
#include "recordfile/fileblock.h"

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
  ContestRecords records;
  if (ReadContestFromFiles(contestNumber, &records) != StoreResult::kOk)
    return std::nullopt;
  OutputContest contest;
  contest.header = records.header;
  contest.extension = records.extension;

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
