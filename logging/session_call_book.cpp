// The call book (KXCBUCH), the call list (KXCALL) and the QCWA member list "qcwa.csv":
// the exchange and the name they remember for a call, and what a stored QSO teaches them.

#include <sstream>

#include "base/data_directory.h"
#include "base/strings.h"
#include "contest/exchange_elements.h"
#include "datafiles/call_records.h"
#include "datafiles/program_files.h"
#include "logging/qso_session.h"
#include "radio/base_call.h"
#include "recordfile/atomic_file.h"
#include "recordfile/engine.h"
#include "recordfile/failure_cause.h"
#include "recordfile/fileblock.h"
#include "recordfile/record_view.h"

namespace tarvik {

namespace {

using F = EntryField;

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

void QsoSession::PrefillFromCallBook() {
  const std::string call = Record().Call();
  if (call == lastBookCall_)
    return; // the operator may have changed what the book gave for this call
  lastBookCall_ = call;
  const std::string key = CallKey(call);
  const std::string bookBytes = FindCall(callBook_, key);
  const std::string listBytes = FindCall(callList_, key);
  const CallBookRecord book(bookBytes.data(), bookBytes.size());
  const CallListRecord list(listBytes.data(), listBytes.size());
  auto bookOrList = [&](int bookField, int listField) {
    std::string value = bookBytes.empty() ? std::string() : book.Field(bookField);
    if (value.empty() && !listBytes.empty() && listField > 0)
      value = list.Field(listField);
    return value;
  };
  bool changed = false;
  for (int n = 1; n <= 3; ++n) {
    std::string value;
    switch (def_.RcvdExchange(n)) {
    case exchange::kDok:
      value = bookOrList(CallBookRecord::kDok, CallListRecord::kDok);
      break;
    case exchange::kArea:
      value = bookOrList(CallBookRecord::kDok, 0);
      break;
    case exchange::kLdk:
      value = bookOrList(CallBookRecord::kLdk, 0);
      break;
    case exchange::kMember:
    case exchange::kMember19:
      if (traits_.qcwaMemberList) {
        value = QcwaMember(BaseCall(call, kHomeCall));
        if (!value.empty() && !listener_)
          Text(F::eCall2) = value.substr(0, 12);
      } else if (traits_.callBookMemberField != 0) {
        value = bookOrList(traits_.callBookMemberField, traits_.callListMemberField);
      }
      break;
    default:
      break;
    }
    value = TrimBlanks(value).substr(0, 8);
    if (!value.empty()) {
      Text(RcvdRow(n + 1)) = value;
      changed = true;
    }
  }
  if (changed) {
    ReadFields(std::nullopt);
    Evaluate();
  }
}

void QsoSession::LookUpName() {
  const std::string key = CallKey(Record().Call());
  std::string name, qth;
  if (const std::string bytes = FindCall(callBook_, key); !bytes.empty()) {
    const CallBookRecord book(bytes.data(), bytes.size());
    name = book.Field(CallBookRecord::kName);
    qth = book.Field(CallBookRecord::kQth);
  } else if (const std::string list = FindCall(callList_, key); !list.empty()) {
    name = CallListRecord(list.data(), list.size()).Field(CallListRecord::kName);
  }
  name = TrimBlanks(name);
  qth = TrimBlanks(qth);
  callName_ = name;
  if (!name.empty()) {
    nameCache_ = name;
    if (TrimBlanks(Text(F::eName)).empty())
      Text(F::eName) = name.substr(0, 25);
  }
  if (!qth.empty()) {
    qthCache_ = qth;
    if (TrimBlanks(Text(F::eQTH)).empty())
      Text(F::eQTH) = qth.substr(0, 25);
  }
  if (!name.empty() || !qth.empty())
    ReadFields(std::nullopt);
}

void QsoSession::UpdateCallBook() {
  const QsoRecord r = Record();
  const std::string call = r.Call();
  if (call.size() <= 2 || callBook_ == nullptr)
    return;
  const std::string home = BaseCall(call, kHomeCall).substr(0, 10);
  const bool found = callBook_->FindKey(1, KeyPad(home, 10)) == 0;
  if (!found && callBook_->ClearBuffer() != 0)
    return; // the storage layer has reported why; the call book learns nothing this time
  if (!found)
    CallBookRecord(callBook_->RecordBuffer()).SetCall(home);
  CallBookRecord book(callBook_->RecordBuffer());
  bool changed = !found;
  auto set = [&](int field, const std::string& value) {
    if (!value.empty() && book.Field(field) != value.substr(0, 120)) {
      book.SetField(field, value);
      changed = true;
    }
  };
  const std::string dok = r.DokPiece();
  if (!dok.empty())
    set(CallBookRecord::kDok, r.FullDok());
  if (const int element = MemberNumberElement(def_);
      traits_.callBookMemberField != 0 && element != 0) {
    std::string member = TrimBlanks(Text(RcvdRow(element)));
    if (traits_.callBookKeepsMarkedNumbers)
      member = member.size() > 2 && member[0] == 'M' ? member.substr(2) : std::string();
    set(traits_.callBookMemberField, member);
  }
  set(CallBookRecord::kName, TrimBlanks(Text(F::eName)));
  set(CallBookRecord::kQth, TrimBlanks(Text(F::eQTH)));
  if (!changed)
    return;
  // The QSO is stored; what the call book learns from it is a help for later QSOs. A failed
  // write is reported by the storage layer, and the next QSO with the call tries again.
  if (found)
    (void)callBook_->Update();
  else
    (void)AddRecord(*callBook_);
}

const std::vector<std::string>& QsoSession::QcwaList() {
  if (!qcwa_) {
    qcwa_.emplace();
    const std::string text =
        ReadWholeFile(EngineFileIo(), DataPath(kQcwaFile)).value_or(std::string());
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

std::string QsoSession::QcwaMember(std::string_view homeCall) {
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

void QsoSession::RememberQcwaMember() {
  const int element = MemberNumberElement(def_);
  if (!traits_.qcwaMemberList || element == 0)
    return;
  const std::string member = TrimBlanks(Text(RcvdRow(element)));
  if (member.empty())
    return;
  const std::string home = BaseCall(Record().Call(), kHomeCall);
  for (const std::string& line : QcwaList())
    if (line.substr(0, line.find(';')) == home)
      return;
  qcwa_->push_back(home + ";;" + member);
}

void QsoSession::SaveQcwaList() {
  if (!qcwa_)
    return;
  std::string text;
  for (const std::string& line : *qcwa_)
    text += line + "\r\n";
  const std::string path = DataPath(kQcwaFile);
  if (const FileWriteResult written = WriteFileAtomically(EngineFileIo(), path, text);
      !written.ok())
    dialogs_.Inform(FileNotSavedMessage(path, written.osError()));
}

} // namespace tarvik
