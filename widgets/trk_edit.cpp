#include "widgets/trk_edit.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "base/pictures.h"
#include "base/strings.h"
#include "base/text_helpers.h"
#include "widgets/text_codec.h"

namespace tarvik {

namespace {

bool AllDigits(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The shortest text that reads back as the same value, with "," as decimal separator.
template <typename Real> std::string PlainReal(Real x) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, x);
  std::string text(buffer, result.ptr);
  std::replace(text.begin(), text.end(), '.', ',');
  return text;
}

struct IntRange {
  long long min, max;
};

IntRange RangeOf(rkeditdatatype type) {
  switch (type) {
  case dtWord:
    return {0, std::numeric_limits<std::uint16_t>::max()};
  case dtByte:
    return {0, std::numeric_limits<std::uint8_t>::max()};
  default:
    return {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()};
  }
}

} // namespace

std::optional<long long> ReadTrkInteger(const std::string& text, long long min, long long max) {
  const std::string trimmed = TrimBlanks(text);
  std::string_view digits = trimmed;
  bool negative = false;
  if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
    negative = digits.front() == '-';
    digits.remove_prefix(1);
  }
  if (digits.empty() || !AllDigits(digits))
    return std::nullopt;
  long long value = 0;
  const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (r.ec != std::errc() || r.ptr != digits.data() + digits.size())
    return std::nullopt;
  if (negative)
    value = -value;
  if (value < min || value > max)
    return std::nullopt;
  return value;
}

std::optional<long double> ReadTrkReal(const std::string& text) {
  std::string t = TrimBlanks(text);
  if (t.find(',') != std::string::npos) {
    if (t.back() == ',')
      t.pop_back();
    const size_t comma = t.find(',');
    std::string_view whole = std::string_view(t).substr(0, comma);
    const std::string_view fraction =
        comma == std::string::npos ? std::string_view() : std::string_view(t).substr(comma + 1);
    bool negative = false;
    if (!whole.empty() && (whole.front() == '+' || whole.front() == '-')) {
      negative = whole.front() == '-';
      whole.remove_prefix(1);
    }
    if (!AllDigits(whole) || !AllDigits(fraction))
      return std::nullopt;
    if (whole.size() > 18)
      return std::nullopt;
    long double value = 0;
    for (char c : whole)
      value = value * 10 + (c - '0');
    long double scale = 1;
    long double part = 0;
    for (char c : fraction) {
      scale /= 10;
      part += (c - '0') * scale;
    }
    value += part;
    // The sign belongs to the whole number: "-1,5" is -1.5, not -1 + 0.5.
    return negative ? -value : value;
  }
  std::string_view s = t;
  if (!s.empty() && s.front() == '+')
    s.remove_prefix(1);
  if (s.empty())
    return std::nullopt;
  double value = 0;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), value);
  if (r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

TrkEdit::TrkEdit(QWidget* parent) : QLineEdit(parent) {}

void TrkEdit::SetDataType(rkeditdatatype type) {
  dataType_ = type;
  lastReal_.reset();
}

void TrkEdit::SetPictureMask(const std::string& mask) {
  pictureMask_ = mask;
  std::replace(pictureMask_.begin(), pictureMask_.end(), '9', '#');
}

bool TrkEdit::IsIntegerType() const {
  return dataType_ == dtInteger || dataType_ == dtWord || dataType_ == dtByte ||
         dataType_ == dtLongint;
}

bool TrkEdit::IsRealType() const {
  return dataType_ == dtReal || dataType_ == dtSingle || dataType_ == dtDouble ||
         dataType_ == dtExtended;
}

std::string TrkEdit::TextCp1252() const {
  return FromQString(text());
}

// --- showing ---------------------------------------------------------------------------

void TrkEdit::ShowInteger(long long n) {
  // The value as the field's type holds it.
  switch (dataType_) {
  case dtWord:
    n = static_cast<std::uint16_t>(n);
    break;
  case dtByte:
    n = static_cast<std::uint8_t>(n);
    break;
  default:
    n = static_cast<std::int32_t>(n);
    break;
  }
  const std::string shown = pictureMask_.empty()
                                ? std::to_string(n)
                                : TrimBlanks(FormatLongPicture(pictureMask_, std::int32_t(n)));
  setText(ToQString(shown));
}

void TrkEdit::ShowReal(long double x) {
  if (dataType_ == dtDouble || dataType_ == dtExtended) {
    const bool same = lastReal_.has_value() &&
                      (dataType_ == dtDouble ? double(*lastReal_) == double(x) : *lastReal_ == x);
    lastReal_ = x;
    if (same)
      return; // keep the text as the user typed it
  }
  std::string shown;
  if (!pictureMask_.empty()) {
    shown = TrimBlanks(FormatPicture(pictureMask_, double(x)));
  } else if (dataType_ == dtSingle) {
    shown = PlainReal(float(x));
  } else if (dataType_ == dtExtended) {
    shown = PlainReal(x);
  } else {
    shown = PlainReal(double(x));
  }
  setText(ToQString(shown));
}

void TrkEdit::SetValue(const std::string& text) {
  if (dataType_ == dtChar) {
    setText(ToQString(text.empty() ? std::string() : text.substr(0, 1)));
    return;
  }
  setText(ToQString(text));
}

void TrkEdit::SetValue(char c) {
  if (IsIntegerType())
    return ShowInteger(static_cast<unsigned char>(c));
  if (IsRealType())
    return ShowReal(static_cast<unsigned char>(c));
  setText(ToQString(CharToText(c)));
}

void TrkEdit::SetValue(std::int32_t n) {
  if (IsRealType())
    return ShowReal(n);
  if (dataType_ == dtChar)
    return SetValue(static_cast<char>(n));
  if (dataType_ == dtString)
    return setText(QString::number(n));
  ShowInteger(n);
}

void TrkEdit::SetValue(std::uint16_t n) {
  SetValue(std::int32_t(n));
}
void TrkEdit::SetValue(std::uint8_t n) {
  SetValue(std::int32_t(n));
}

void TrkEdit::SetValue(long double x) {
  if (IsIntegerType())
    return ShowInteger(std::llround(std::clamp<long double>(x, -4e18L, 4e18L)));
  if (dataType_ == dtChar)
    return SetValue(static_cast<char>(std::lround(x)));
  if (dataType_ == dtString)
    return setText(ToQString(PlainReal(double(x))));
  switch (dataType_) {
  case dtSingle:
    x = float(x);
    break;
  case dtReal:
  case dtDouble:
    x = double(x);
    break;
  default:
    break;
  }
  ShowReal(x);
}

void TrkEdit::SetValue(float x) {
  SetValue(static_cast<long double>(x));
}
void TrkEdit::SetValue(double x) {
  SetValue(static_cast<long double>(x));
}

// --- reading ---------------------------------------------------------------------------

std::optional<long long> TrkEdit::ReadInteger() const {
  const IntRange range = RangeOf(dataType_);
  return ReadTrkInteger(TextCp1252(), range.min, range.max);
}

long double TrkEdit::ReadReal() {
  const std::optional<long double> read = ReadTrkReal(TextCp1252());
  long double value = read.value_or(0);
  switch (dataType_) {
  case dtSingle:
    value = float(value);
    break;
  case dtReal:
  case dtDouble:
    value = double(value);
    break;
  default:
    break;
  }
  // Only a number the user typed is worth keeping as typed.
  if (dataType_ == dtDouble || dataType_ == dtExtended) {
    if (read)
      lastReal_ = value;
    else
      lastReal_.reset();
  }
  return value;
}

void TrkEdit::GetValue(std::string& text) {
  text = TextCp1252();
}

void TrkEdit::GetValue(char& c) {
  if (IsIntegerType()) {
    c = static_cast<char>(ReadInteger().value_or(0));
    return;
  }
  const std::string t = TrimSpaces(TextCp1252());
  c = t.empty() ? '\0' : t.front();
}

void TrkEdit::GetValue(std::int32_t& n) {
  if (IsRealType()) {
    n = static_cast<std::int32_t>(
        std::clamp<long double>(std::llround(ReadReal()), INT32_MIN, INT32_MAX));
    return;
  }
  if (dataType_ == dtChar) {
    char c;
    GetValue(c);
    n = static_cast<unsigned char>(c);
    return;
  }
  n = static_cast<std::int32_t>(ReadInteger().value_or(0));
}

void TrkEdit::GetValue(std::uint16_t& n) {
  std::int32_t v = 0;
  GetValue(v);
  n = static_cast<std::uint16_t>(v);
}

void TrkEdit::GetValue(std::uint8_t& n) {
  std::int32_t v = 0;
  GetValue(v);
  n = static_cast<std::uint8_t>(v);
}

void TrkEdit::GetValue(long double& x) {
  if (IsIntegerType()) {
    x = static_cast<long double>(ReadInteger().value_or(0));
    return;
  }
  if (dataType_ == dtChar) {
    std::int32_t v = 0;
    GetValue(v);
    x = v;
    return;
  }
  x = ReadReal();
}

void TrkEdit::GetValue(float& x) {
  long double v = 0;
  GetValue(v);
  x = static_cast<float>(v);
}

void TrkEdit::GetValue(double& x) {
  long double v = 0;
  GetValue(v);
  x = static_cast<double>(v);
}

// --- focus -----------------------------------------------------------------------------

void TrkEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  emit entered();
}

void TrkEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  emit exited();
}

} // namespace tarvik
