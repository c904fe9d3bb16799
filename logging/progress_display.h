#pragma once
// The progress of a long run over a log (recalculating the totals, renumbering), shown by
// the log window in its progress window while the run goes on.

#include <cstdint>

namespace tarvik {

/// Progress of a long run over the log: Start with the number of steps, Advance with the
/// steps done, Finish at the end (also after a failure).
class ProgressDisplay {
public:
  enum class Kind {
    kRecalculation, ///< "Neuberechnung"
    kRenumbering,   ///< "Neunummerierung"
  };
  virtual ~ProgressDisplay() = default;
  virtual void Start(Kind kind, std::int32_t steps) = 0;
  virtual void Advance(std::int32_t done) = 0;
  virtual void Finish() = 0;
};

} // namespace tarvik
