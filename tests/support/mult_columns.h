#pragma once
// Test helper: the multiplier columns of a hand-made definition, given by their labels as the
// contest tables print them ("DOK", "Loc" ...).

#include <gtest/gtest.h>

#include <string_view>

#include "contest/contest_definition.h"

namespace tarvik::test {

/// The column kind whose label is `label`; kNone for "" (and a failure for an unknown label).
inline MultColumn ColumnOfLabel(std::string_view label) {
  if (label.empty())
    return MultColumn::kNone;
  for (int k = 0; k <= static_cast<int>(MultColumn::kNaval); ++k)
    if (MultColumnLabel(static_cast<MultColumn>(k)) == label)
      return static_cast<MultColumn>(k);
  ADD_FAILURE() << "no multiplier column is labelled " << label;
  return MultColumn::kNone;
}

/// Sets columns 1..3 of `def` to the kinds labelled `l1`, `l2`, `l3`.
inline void SetMultColumns(ContestDefinition& def, std::string_view l1, std::string_view l2 = {},
                           std::string_view l3 = {}) {
  def.SetMultColumn(1, ColumnOfLabel(l1));
  def.SetMultColumn(2, ColumnOfLabel(l2));
  def.SetMultColumn(3, ColumnOfLabel(l3));
}

} // namespace tarvik::test
