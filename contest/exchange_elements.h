#pragma once
// The exchange kinds of the received elements 2..4: what each element's text puts into the
// QSO record besides the report.
//
//   Kind        Stored                                   Check
//   4 DOK       DOK/DOK2, German calls only              DOK syntax (code 'H': Holyland
//                                                        square); "J" + digit + one more
//                                                        character is refused
//   5, 6 LOC    Locator (first 6), QRB from the own      locator syntax; 4 characters
//               locator in whole km (0 when unknown)     at least
//   8, 17       DOK/DOK2 (area, LDK)                     -
//   12          Kenner, a US state code only             -
//   15          Kenner := first 2 characters             -
//   16          Call2 := first 4 characters              -
//   19          Call2 := first 6 characters              -
// The values derived from an element follow the element: they are cleared before the
// elements are read again, so a changed or emptied element never leaves its old value. In
// listener logs Call2 holds the second station's call and is never written here.

#include <array>
#include <string>
#include <vector>

#include "contest/contest_definition.h"
#include "datafiles/qso_record.h"

namespace tarvik {

/// How the element checks report.
enum class ElementMessages {
  kNone,    ///< no messages (reading while typing)
  kFocused, ///< the entry's field exit: a message only for the element being left
            ///< (the DOK "J" + digit rule and an invalid locator)
  kAll,     ///< the change dialog: a message for every invalid DOK and locator
};

struct ElementFailure {
  int element = 0; ///< 1..3 (exchange elements 2..4)
  std::string message;
};

/// Applies the received elements `elements` (elements 2..4) to `record` by the kinds of
/// `definition`. `focusedElement` (1..3, 0 = none) is the element being left for
/// ElementMessages::kFocused. Returns the failures that have a message.
[[nodiscard]] std::vector<ElementFailure>
ApplyReceivedElements(QsoRecord& record, const ContestDefinition& definition, char contestCode,
                      const std::array<std::string, 3>& elements, std::string_view ownLocator,
                      ElementMessages messages, int focusedElement = 0);

/// The exchange element (2..4) whose received kind is a club member number (kinds 16 and
/// 19), or 0 when no element carries one.
int MemberNumberElement(const ContestDefinition& definition);

} // namespace tarvik
