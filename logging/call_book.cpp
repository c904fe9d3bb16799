#include "logging/call_book.h"

#include <sstream>

#include "base/data_directory.h"
#include "base/strings.h"
#include "contest/contest_definition.h"
#include "datafiles/call_records.h"
#include "datafiles/program_files.h"
#include "radio/base_call.h"
#include "recordfile/atomic_file.h"
#include "recordfile/engine.h"
#include "recordfile/fileblock.h"
#include "recordfile/record_view.h"

namespace tarvik {

namespace {

const char* const kQcwaFile = "qcwa.csv";

// The key of a call in the call book and the call list: its home call cut to 10.
std::string CallKey(std::string_view call) {
  return KeyPad(BaseCall(call, kHomeCall).substr(0, 10), 10);
}

// A copy of the record a fileblock found by key 1, or "" when there is none.
std::string FindCall(Fileblock* file, const std::string& key) {
  if (file == nullptr || file->FindKey(1, key) != 0)
    return std::string();
  return std::string(file->RecordBuffer(), static_cast<std::size_t>(file->RecordLength()));
}

} // namespace

CallBook::~CallBook() {
  Close();
}

bool CallBook::Open() {
  if (book_ != nullptr)
    return true;
  book_ = OpenProgramFile(ProgramFile::kCallBook);
  list_ = OpenProgramFile(ProgramFile::kCallList);
  if (book_ == nullptr || list_ == nullptr) {
    Close();
    return false;
  }
  return true;
}

void CallBook::Close() {
  CloseProgramFile(list_);
  CloseProgramFile(book_);
  book_ = list_ = nullptr;
}

std::string CallBook::ExchangeOf(std::string_view call, int kind) {
  if (kind == exchange::kMember || kind == exchange::kMember19) {
    if (traits_.qcwaMemberList)
      return QcwaMember(BaseCall(call, kHomeCall));
    if (traits_.callBookMemberField == 0)
      return std::string();
  }
  const std::string key = CallKey(call);
  const std::string bookBytes = FindCall(book_, key);
  const std::string listBytes = FindCall(list_, key);
  const CallBookRecord book(bookBytes.data(), bookBytes.size());
  const CallListRecord list(listBytes.data(), listBytes.size());
  auto bookOrList = [&](int bookField, int listField) {
    std::string value = bookBytes.empty() ? std::string() : book.Field(bookField);
    if (value.empty() && !listBytes.empty() && listField > 0)
      value = list.Field(listField);
    return value;
  };
  switch (kind) {
  case exchange::kDok:
    return bookOrList(CallBookRecord::kDok, CallListRecord::kDok);
  case exchange::kArea:
    return bookOrList(CallBookRecord::kDok, 0);
  case exchange::kLdk:
    return bookOrList(CallBookRecord::kLdk, 0);
  case exchange::kMember:
  case exchange::kMember19:
    return bookOrList(traits_.callBookMemberField, traits_.callListMemberField);
  default:
    return std::string();
  }
}

CallBook::Names CallBook::NamesOf(std::string_view call) const {
  const std::string key = CallKey(call);
  Names names;
  if (const std::string bytes = FindCall(book_, key); !bytes.empty()) {
    const CallBookRecord book(bytes.data(), bytes.size());
    names.name = book.Field(CallBookRecord::kName);
    names.qth = book.Field(CallBookRecord::kQth);
  } else if (const std::string list = FindCall(list_, key); !list.empty()) {
    names.name = CallListRecord(list.data(), list.size()).Field(CallListRecord::kName);
  }
  names.name = TrimBlanks(names.name);
  names.qth = TrimBlanks(names.qth);
  return names;
}

bool CallBook::Learn(const QsoRecord& qso, std::string_view memberNumber, std::string_view name,
                     std::string_view qth) {
  const std::string call = qso.Call();
  if (call.size() <= 2 || book_ == nullptr)
    return true;
  const std::string home = BaseCall(call, kHomeCall).substr(0, 10);
  const bool found = book_->FindKey(1, KeyPad(home, 10)) == 0;
  if (!found) {
    if (book_->ClearBuffer() != 0)
      return false;
    CallBookRecord(book_->RecordBuffer()).SetCall(home);
  }
  CallBookRecord book(book_->RecordBuffer());
  bool changed = !found;
  auto set = [&](int field, const std::string& value) {
    if (!value.empty() && book.Field(field) != value.substr(0, 120)) {
      book.SetField(field, value);
      changed = true;
    }
  };
  if (!qso.DokPiece().empty())
    set(CallBookRecord::kDok, qso.FullDok());
  if (traits_.callBookMemberField != 0) {
    std::string member = TrimBlanks(memberNumber);
    // Only a club station's number marked "M" is remembered, without the mark.
    if (traits_.callBookKeepsMarkedNumbers)
      member = member.size() > 2 && member[0] == 'M' ? member.substr(2) : std::string();
    set(traits_.callBookMemberField, member);
  }
  set(CallBookRecord::kName, TrimBlanks(name));
  set(CallBookRecord::kQth, TrimBlanks(qth));
  if (!changed)
    return true;
  return found ? book_->Update() == 0 : AddRecord(*book_);
}

const std::vector<std::string>& CallBook::QcwaList() {
  if (!qcwa_) {
    qcwa_.emplace();
    // A list that cannot be read (none yet included) starts empty.
    const std::string text = ReadWholeFile(EngineFileIo(), QcwaListPath()).value_or(std::string());
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r')
        line.pop_back();
      if (!line.empty())
        qcwa_->push_back(line);
    }
  }
  return *qcwa_;
}

std::string CallBook::QcwaMember(std::string_view homeCall) {
  for (const std::string& line : QcwaList()) {
    const std::size_t first = line.find(';');
    if (line.substr(0, first) != homeCall || first == std::string::npos)
      continue;
    std::string member = line.substr(first + 1);
    if (const std::size_t next = member.find(';'); next != std::string::npos)
      member = member.substr(next + 1);
    return TrimBlanks(member);
  }
  return std::string();
}

void CallBook::RememberQcwaMember(std::string_view homeCall, std::string_view member) {
  for (const std::string& line : QcwaList())
    if (line.substr(0, line.find(';')) == homeCall)
      return;
  qcwa_->push_back(std::string(homeCall) + ";;" + std::string(member));
}

std::string CallBook::QcwaListPath() {
  return DataPath(kQcwaFile);
}

FileWriteResult CallBook::SaveQcwaList() {
  if (!qcwa_)
    return FileWriteResult::Ok();
  std::string text;
  for (const std::string& line : *qcwa_)
    text += line + "\r\n";
  return WriteFileAtomically(EngineFileIo(), QcwaListPath(), text);
}

} // namespace tarvik
