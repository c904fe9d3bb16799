#pragma once
// What the windows of a contest work with while the program runs: the contest code, the
// definition of the contest whose header stands in the header buffer, the station's
// settings, the open contest header and extension files (their record buffers hold the
// contest at hand), and the person's dialogs, the clock and the file system.
//
// The program shell owns the run (ProgramSession derives from this class and opens the
// files); the header window and the output run take it as this class, so that they know
// nothing of the shell above them.

#include "base/clock.h"
#include "base/user_dialogs.h"
#include "contest/contest_definition.h"
#include "datafiles/contest_record_store.h"
#include "datafiles/family_settings.h"

namespace tarvik {

class FileIo;
class Fileblock;

class ContestSession {
public:
  ContestSession(const ContestSession&) = delete;
  ContestSession& operator=(const ContestSession&) = delete;

  char ContestCode() const { return code_; }
  ContestDefinition& Definition() { return definition_; }
  const ContestDefinition& Definition() const { return definition_; }
  FamilySettings& Settings() { return settings_; }
  const FamilySettings& Settings() const { return settings_; }

  /// The contest header file (KXKK) and extension file (KXKZ); nullptr while not open.
  Fileblock* Headers() const { return headers_; }
  Fileblock* Extensions() const { return extensions_; }
  /// The contests of the two files, read and written by number (their buffers hold the
  /// contest at hand).
  ContestRecordStore Records() const { return ContestRecordStore(headers_, extensions_); }

  UserDialogs& Dialogs() const { return dialogs_; }
  const Clock& ClockSource() const { return clock_; }
  /// The file system of the record-file manager (nullptr: the real one).
  FileIo* Io() const { return io_; }

protected:
  /// `dialogs` and `clock` must outlive the session.
  ContestSession(UserDialogs& dialogs, const Clock& clock, FileIo* io, char contestCode)
      : dialogs_(dialogs), clock_(clock), io_(io), code_(contestCode) {}
  ~ContestSession() = default;

  UserDialogs& dialogs_;
  const Clock& clock_;
  FileIo* io_;
  char code_;
  FamilySettings settings_;
  ContestDefinition definition_;
  Fileblock* headers_ = nullptr;
  Fileblock* extensions_ = nullptr;
};

} // namespace tarvik
