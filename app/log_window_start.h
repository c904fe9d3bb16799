#pragma once
// What "Start" hands to the log window and takes back from it: the entry session's
// parameters built from the contest whose header and extension records stand in the
// buffers of the contest files, and the records as the log left them (with the statistics
// of the log), put back into those buffers for the contest list to write.

#include <string>

#include "contest/contest_definition.h"
#include "logging/qso_session.h"

namespace tarvik {

class ProgramSession;

/// The session parameters for the contest in the header buffer: a copy of `definition`, the
/// contest code, copies of the header and extension buffers, and the own locator of the
/// family setup. REQUIRES: the contest files are open.
QsoSessionParams LogSessionParams(const ProgramSession& session,
                                  const ContestDefinition& definition);

/// Copies the records the log window left into the header and extension buffers (a record
/// of the wrong length is ignored).
void TakeBackLogRecords(ProgramSession& session, const std::string& header,
                        const std::string& extension);

} // namespace tarvik
