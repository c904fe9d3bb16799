#include "outputs/contest_note.h"

#include "outputs/text_files.h"
#include "radio/date_time.h"

namespace tarvik {

namespace {

bool KeptInNoteName(char c) {
  return c == ' ' || c == '+' || c == '-' || c == '_' || (c >= '0' && c <= '9') ||
         (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

std::string ContestNoteFileName(std::string_view contestName) {
  std::string name;
  for (char c : contestName)
    if (KeptInNoteName(c))
      name += c;
  return name + ".TXT";
}

std::string ContestNoteStamp(DayNumber day, TimeOfDay time, std::string_view call) {
  std::string padded(call.substr(0, 10));
  padded.resize(10, ' ');
  return DayToText("dd.mm.yyyy", day) + " " + TimeToText("hh:mm", time) + " " + padded + " > ";
}

std::string InsertContestNoteStamp(std::string_view oldText, std::string_view stamp) {
  std::string text(stamp);
  if (!oldText.empty())
    text += "\r\n" + WithCrLf(oldText);
  return text;
}

StampedNote StampContestNote(const std::string& path, std::string_view call, const Clock& clock,
                             FileIo* io) {
  const DayAndTime now = UtcNow(clock);
  const std::string old = ReadTextFile(path, io).value_or(std::string());
  StampedNote note;
  note.text = InsertContestNoteStamp(old, ContestNoteStamp(now.day, now.time, call));
  note.write = WriteTextFile(path, note.text, io);
  return note;
}

} // namespace tarvik
