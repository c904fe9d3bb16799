#pragma once
// What the log window remembers per call between QSOs and contests: the call book (KXCBUCH:
// DOK, member numbers, name and QTH of a station), the call list (KXCALL: member numbers and
// DOKs of the clubs' lists) and the QCWA member list "qcwa.csv", a text file in the data
// directory ("home call;;member number" per line, CR LF). The call book learns from every
// stored QSO; the QCWA list learns the members it does not list yet and is saved when the
// log closes.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "contest/contest_traits.h"
#include "datafiles/qso_record.h"
#include "recordfile/atomic_file.h"

namespace tarvik {

class Fileblock;

class CallBook {
public:
  /// `traits`: where the contest's member numbers are kept. REQUIRES: it outlives the book.
  explicit CallBook(const ContestTraits& traits) : traits_(traits) {}
  /// Closes the files.
  ~CallBook();
  CallBook(const CallBook&) = delete;
  CallBook& operator=(const CallBook&) = delete;

  /// Opens the call book and the call list. False when one could not be opened (the error is
  /// in the record-file error channel); both are closed then.
  [[nodiscard]] bool Open();
  void Close();

  /// What the call book or the call list remember for `call` as a received element of
  /// `kind`: the DOK (or area) of the call book, the call list's DOK, the call book's LDK,
  /// or the member number where the contest keeps it (the QCWA list for QCWA numbers). ""
  /// when nothing is remembered.
  std::string ExchangeOf(std::string_view call, int kind);

  struct Names {
    std::string name, qth;
  };
  /// The name and QTH the call book holds for `call` (the call list's name when the book
  /// has no entry), trimmed.
  Names NamesOf(std::string_view call) const;

  /// What a stored QSO teaches the call book about its call: the DOK of the QSO, the member
  /// number received (where the contest keeps it in the call book), name and QTH. Calls of
  /// two characters and less are not remembered. False when the call book could not be
  /// written (the record-file error channel has the cause).
  [[nodiscard]] bool Learn(const QsoRecord& qso, std::string_view memberNumber,
                           std::string_view name, std::string_view qth);

  /// The lines of the QCWA member list, read on first use ("" lines skipped).
  const std::vector<std::string>& QcwaList();
  bool QcwaListLoaded() const { return qcwa_.has_value(); }
  /// The member number the QCWA list holds for `homeCall`, "" when none.
  std::string QcwaMember(std::string_view homeCall);
  /// Adds `homeCall` with `member` to the QCWA list unless the list holds the call already.
  void RememberQcwaMember(std::string_view homeCall, std::string_view member);
  /// Writes the QCWA list back through the atomic writer (the old list stays whole when
  /// the write fails). Ok when the list was never loaded (nothing to write).
  FileWriteResult SaveQcwaList();
  /// Where the QCWA member list lives: "qcwa.csv" in the data directory.
  static std::string QcwaListPath();

private:
  const ContestTraits& traits_;
  Fileblock* book_ = nullptr;
  Fileblock* list_ = nullptr;
  std::optional<std::vector<std::string>> qcwa_;
};

} // namespace tarvik
