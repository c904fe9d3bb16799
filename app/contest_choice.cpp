#include "app/contest_choice.h"

#include "base/strings.h"
#include "base/text_helpers.h"
#include "contest/contest_catalog.h"
#include "contest/contest_period.h"
#include "contest/rules.h"
#include "radio/date_time.h"

namespace tarvik {

namespace {

std::string RulesText(RulesAtHand rules) {
  switch (rules) {
  case RulesAtHand::kDocument:
    return ChooseText("Ausschreibung (RTF)", "rules document (RTF)");
  case RulesAtHand::kWebPage:
    return ChooseText("Internet", "web page");
  case RulesAtHand::kNone:
    break;
  }
  return ChooseText("keine", "none");
}

} // namespace

std::string NextPeriodText(char code, DayNumber today) {
  const PeriodRule rule = ContestPeriodRule(code);
  if (rule.kind == PeriodRuleKind::kToday)
    return PeriodRuleText(rule);
  const PeriodDays next = NextPeriod(rule, today);
  if (next.start == BadDate)
    return {};
  std::string text = DayToText(kDatePicture, next.start);
  if (next.end != next.start)
    text += " - " + DayToText(kDatePicture, next.end);
  return text + " (" + PeriodRuleText(rule) + ")";
}

std::vector<ContestChoiceRow> ContestChoiceRows(DayNumber today) {
  std::vector<ContestChoiceRow> rows;
  for (char code : ChoosableContestCodes()) {
    ContestChoiceRow row;
    row.code = code;
    const ContestIdentity* id = FindContestIdentity(code);
    row.name = id != nullptr && id->title != nullptr ? id->title : ContestShortName(code);
    row.nextPeriod = NextPeriodText(code, today);
    row.rules = RulesText(RulesAvailability(code));
    rows.push_back(std::move(row));
  }
  return rows;
}

bool ContestChoiceMatches(const ContestChoiceRow& row, std::string_view typed) {
  const std::string text = TrimBlanks(typed);
  if (text.empty())
    return true;
  if (text.size() == 1 && text[0] == row.code)
    return true;
  return UpCase(row.name).find(UpCase(text)) != std::string::npos;
}

int ContestChoiceBestRow(const std::vector<ContestChoiceRow>& rows, std::string_view typed) {
  const std::string text = TrimBlanks(typed);
  const std::string upper = UpCase(text);
  int begins = -1;
  int contains = -1;
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    const ContestChoiceRow& row = rows[static_cast<std::size_t>(i)];
    if (text.size() == 1 && text[0] == row.code)
      return i;
    if (begins < 0 && UpCase(row.name).rfind(upper, 0) == 0)
      begins = i;
    if (contains < 0 && ContestChoiceMatches(row, text))
      contains = i;
  }
  return begins >= 0 ? begins : contains;
}

std::string ContestChoiceCaption() {
  return ChooseText("Contest wählen", "Choose contest");
}

std::string MainWindowCaption(char code) {
  return "Bridlow " + ContestProgramTitle(code);
}

} // namespace tarvik
