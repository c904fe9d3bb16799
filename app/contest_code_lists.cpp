#include "app/contest_code_lists.h"

#include <array>

namespace tarvik {

namespace {

using ListsFunction = void (*)(ContestDefinition&);
using AdjustFunction = void (*)(ContestDefinition&, int category, const PresetSources&);

// --- Code 2: Westfalen Nord QRP activity contest ------------------------------------------
// No time blocks, one category for everybody, the DOKs of the district's local clubs.

void ListsCode2(ContestDefinition& def) {
  def.Categories = {{"alle", 0, ""}};
  def.DokList = {"1N", "2N", "3N",  "4N",  "5N",  "6N",  "7N",
                 "8N", "9N", "10N", "11N", "12N", "13N", "WN"};
}

// --- Code Q: Schwaben contest ----------------------------------------------------------------
// Categories 5 to 9 exchange a locator as the second received element.

void AdjustCategoryCodeQ(ContestDefinition& def, int category, const PresetSources&) {
  if (category >= 5 && category <= 9)
    def.RcvdLabel2 = "Loc";
}

struct CodeLists {
  char code;
  ListsFunction lists;   // nullptr: the code has no lists
  AdjustFunction adjust; // nullptr: no category changes the base values
};

// One row per code that has lists or category adjustments.
constexpr CodeLists kCodeLists[] = {
    {'2', &ListsCode2, nullptr},
    {'Q', nullptr, &AdjustCategoryCodeQ},
};

const CodeLists* Find(char code) {
  for (const CodeLists& row : kCodeLists)
    if (row.code == code)
      return &row;
  return nullptr;
}

} // namespace

void FillCodeLists(char code, ContestDefinition& def) {
  if (const CodeLists* row = Find(code); row != nullptr && row->lists != nullptr)
    row->lists(def);
}

void ApplyCategoryAdjustments(char code, int category, const PresetSources& sources,
                              ContestDefinition& def) {
  if (category == 0)
    return;
  if (const CodeLists* row = Find(code); row != nullptr && row->adjust != nullptr)
    row->adjust(def, category, sources);
}

} // namespace tarvik
