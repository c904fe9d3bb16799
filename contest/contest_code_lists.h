#pragma once
// Per-code lists of the contest definitions and the changes a chosen category makes, held as
// data: one CodeLists row per contest code (contest_code_tables.cpp), read by the two
// functions below, which BuildContestDefinition (contest_catalog.h) calls after it has set
// the code's scalar values:
//   FillCodeLists            time blocks, categories, call list and DOK lists of the code
//   ApplyCategoryAdjustments the fields that the header's category replaces
// A contest gets its lists and category rules by adding or changing its row; neither reader
// knows any contest code.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "contest/contest_definition.h"

namespace tarvik {

// --- Sent-element presets -----------------------------------------------------------------

/// Where the preset text of a sent exchange element comes from.
enum class PresetSource : std::uint8_t {
  None,        ///< no preset (empty text)
  Keep,        ///< category adjustments only: the element keeps the code's base preset
  OwnDok,      ///< the header's own DOK
  OwnLocator,  ///< the own locator of the setup, whole
  OwnLocator4, ///< its first 4 characters
  Postcode,    ///< the header's postal code, whole
  Postcode2,   ///< its first 2 characters
  Ldk,         ///< the header's LDK
  ClubId,      ///< the header's club abbreviation and number
  Number,      ///< the header's extra number in the picture `text`
  Text,        ///< the fixed text `text`
};

struct Preset {
  PresetSource source = PresetSource::None;
  const char* text = nullptr;
};

namespace preset {
inline constexpr Preset kNone{};
inline constexpr Preset kKeep{PresetSource::Keep};
inline constexpr Preset kDok{PresetSource::OwnDok};
inline constexpr Preset kLoc{PresetSource::OwnLocator};
inline constexpr Preset kLoc4{PresetSource::OwnLocator4};
constexpr Preset Text(const char* text) {
  return {PresetSource::Text, text};
}
constexpr Preset Number(const char* picture) {
  return {PresetSource::Number, picture};
}
} // namespace preset

/// The header and setup values a preset may copy.
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

/// The text of a preset. None and Keep give "" (Keep is resolved by the caller); a Number
/// preset without a number (extraNumber < 0) gives "".
std::string PresetText(const Preset& preset, const PresetSources& sources);

// --- Rows of the per-code tables ----------------------------------------------------------

/// A list of texts in stored order; "" is an empty entry that keeps its place.
using TextList = std::span<const char* const>;
using KindList = std::array<int, 3>;   ///< exchange kinds of elements 2..4; 0 = none
using OptionList = std::array<int, 6>; ///< option numbers; 0 entries are unused
using MultList = std::array<MultColumn, 3>; ///< multiplier columns 1..3

/// One time block: date "dd.mm.yyyy", start and end time as written, band letters.
struct TimeBlockRow {
  const char* date;
  const char* startTime;
  const char* endTime;
  const char* bands;
};

/// One category: the text of the radio group, the short name for the outputs ("" = none)
/// and the linked time block (1-based; 0 = none).
struct CategoryRow {
  const char* description;
  const char* shortName = "";
  int timeBlock = 0;
};

/// What one category changes in the code's base definition. Every member that is left at its
/// default keeps the base value; a member that is set replaces the whole field.
struct CategoryAdjustment {
  int category = 0;            ///< 1-based
  bool listenerLog = false;    ///< true: ListenerLog 1
  const char* modes = nullptr; ///< "|"-separated mode names
  const char* bands = nullptr; ///< band letters
  std::optional<OptionList> options = std::nullopt;
  std::optional<MultList> mults = std::nullopt; ///< the multiplier columns (and their labels)
  std::optional<KindList> rcvd = std::nullopt; ///< RcvdExchange1..3
  std::optional<KindList> sent = std::nullopt; ///< SentExchange1..3
  /// SentDefault1..3; preset::kKeep leaves that element's base preset.
  std::array<Preset, 3> presets = {preset::kKeep, preset::kKeep, preset::kKeep};
  std::optional<TextList> dokList = std::nullopt; ///< DokList; an empty list clears it
  const char* homeDistricts = nullptr;            ///< HomeDistricts; "" clears it
  std::optional<int> dupeRule = std::nullopt;
  std::optional<int> utcOffsetHours = std::nullopt;
  std::optional<int> bandAutoOffered = std::nullopt;
  const char* rcvdLabels = nullptr; ///< "|"-separated RcvdLabel1..3
  /// A category this program does not support: the message is shown when the definition is
  /// built and the header's category is reset to 0; the definition keeps the category's
  /// values.
  const char* unsupportedMessage = nullptr;
};

/// Helpers that keep the table rows short.
constexpr std::optional<KindList> Kinds(int e2 = 0, int e3 = 0, int e4 = 0) {
  return KindList{e2, e3, e4};
}
template <typename... Option> constexpr std::optional<OptionList> Options(Option... option) {
  static_assert(sizeof...(Option) <= 6);
  return OptionList{option...};
}
/// Mults() clears all three columns.
template <typename... Column> constexpr std::optional<MultList> Mults(Column... column) {
  static_assert(sizeof...(Column) <= 3);
  return MultList{column...};
}

/// The list fields of a code's definition and its category adjustments.
struct CodeLists {
  char code = 0;
  std::span<const TimeBlockRow> timeBlocks = {};
  std::span<const CategoryRow> categories = {};
  TextList callList = {};
  TextList dokList = {};
  TextList specialDokList = {};
  std::span<const CategoryAdjustment> adjustments = {};
};

/// Every row of the per-code table (contest_code_tables.cpp).
std::span<const CodeLists> AllCodeLists();

/// The row of `code`, or nullptr when the code has no lists.
[[nodiscard]] const CodeLists* FindCodeLists(char code);

/// The adjustment of `category` of `code`, or nullptr when the category keeps the base.
[[nodiscard]] const CategoryAdjustment* FindCategoryAdjustment(char code, int category);

/// Splits a "|"-separated text into its parts; "" gives no parts.
std::vector<std::string> SplitBarList(std::string_view text);

// --- Readers ---------------------------------------------------------------------------------

/// Replaces the time blocks, categories, call list, DOK list and special DOK list of `def`
/// by those of `code`, every entry in its stored place (empty entries included). A code
/// without a row leaves the lists empty.
void FillCodeLists(char code, ContestDefinition& def);

/// Replaces the fields that category `category` (1-based) of `code` changes and returns the
/// adjustment applied, or nullptr when the category (or category 0) keeps the base values.
const CategoryAdjustment* ApplyCategoryAdjustments(char code, int category,
                                                   const PresetSources& sources,
                                                   ContestDefinition& def);

} // namespace tarvik
