#pragma once
// Per-code lists of the contest definitions and the changes a chosen category makes.
//
// BuildContestDefinition (contest_catalog.h) sets the scalar values of a code first and then
// calls, for the code being built:
//   FillCodeLists            time blocks, categories, call list, DOK lists, DOK check lists
//   ApplyCategoryAdjustments modes, bands, exchange kinds, presets, lists or ListenerLog
//                            replaced for the header's category (category 0 keeps the base)
// Both look the code up in one table in contest_code_lists.cpp, which holds one
// `ListsCode<c>` and one `AdjustCategoryCode<c>` function per code that has such data. A
// code gets its lists by adding its functions and its table row; the builder does not change.

#include <cstdint>
#include <string>

#include "app/contest_definition.h"

namespace tarvik {

/// The header and setup values a category adjustment may copy into the sent presets.
struct PresetSources {
  std::string ownDok;            ///< the header's own DOK
  std::string ownLocator;        ///< the own locator of the family setup
  std::string postcode;          ///< the header's own postal code
  std::string ldk;               ///< the header's own LDK
  std::string clubId;            ///< the header's club abbreviation and number
  std::int32_t extraNumber = -1; ///< the header's extra number; -1 = none given

  /// The first 4 characters of the own locator.
  std::string OwnLocator4() const { return ownLocator.substr(0, 4); }
};

/// Fills the time blocks, categories and call/DOK lists of `code` into `def` (whose lists
/// are empty). Codes without lists leave `def` unchanged.
void FillCodeLists(char code, ContestDefinition& def);

/// Replaces the fields that category `category` (1-based) of `code` changes. Category 0 and
/// categories without adjustments leave `def` unchanged.
void ApplyCategoryAdjustments(char code, int category, const PresetSources& sources,
                              ContestDefinition& def);

} // namespace tarvik
