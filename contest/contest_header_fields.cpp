#include "contest/contest_header_fields.h"

namespace tarvik {

ContestHeaderFields ReadHeaderFields(const ContestHeaderRecord& header) {
  ContestHeaderFields fields;
  fields.category = header.category();
  fields.dateFrom = header.dateFrom();
  fields.dok = header.dok();
  fields.postcode = header.postcode();
  fields.extraNumber = header.extraNumber();
  fields.ldk = header.ldk();
  fields.clubId = header.clubId();
  fields.extendedStats = header.extendedStats();
  return fields;
}

void WriteHeaderFields(const ContestHeaderFields& fields, ContestHeaderRecord& header) {
  header.SetCategory(fields.category);
  header.SetExtendedStats(fields.extendedStats);
}

ContestDefinition BuildContestDefinition(char contestCode, ContestHeaderRecord& header,
                                         std::string_view ownLocator, UserDialogs& dialogs,
                                         const Clock& clock) {
  ContestHeaderFields fields = ReadHeaderFields(header);
  ContestDefinition definition =
      BuildContestDefinition(contestCode, fields, ownLocator, dialogs, clock);
  WriteHeaderFields(fields, header);
  return definition;
}

} // namespace tarvik
