#include "datafiles/report.h"

#include "base/strings.h"

namespace tarvik {

std::string JoinReport(std::string_view rst, std::string_view e2, std::string_view e3,
                       std::string_view e4) {
  std::string out = Pad(rst.substr(0, kRstLength), static_cast<int>(kRstLength));
  out += e2;
  if (!e3.empty() || !e4.empty()) {
    out += '/';
    out += e3;
  }
  if (!e4.empty()) {
    out += '/';
    out += e4;
  }
  if (out.size() > kReportLength)
    out.resize(kReportLength);
  return out;
}

std::string JoinReport(const ReportParts& parts) {
  return JoinReport(parts.rst, parts.elements[0], parts.elements[1], parts.elements[2]);
}

ReportParts SplitReport(std::string_view report) {
  ReportParts parts;
  parts.rst = std::string(report.substr(0, kRstLength));
  if (report.size() <= kRstLength)
    return parts;
  std::string_view rest = report.substr(kRstLength);
  for (std::size_t i = 0; i < 2; ++i) {
    const std::size_t slash = rest.find('/');
    if (slash == std::string_view::npos) {
      parts.elements[i] = std::string(rest);
      return parts;
    }
    parts.elements[i] = std::string(rest.substr(0, slash));
    rest = rest.substr(slash + 1);
  }
  parts.elements[2] = std::string(rest);
  return parts;
}

std::string ReportExchange(std::string_view report) {
  return report.size() > kRstLength ? std::string(report.substr(kRstLength)) : std::string();
}

std::string NormaliseRst(std::string_view rst, bool cw) {
  std::string out = Pad(rst.substr(0, kRstLength), static_cast<int>(kRstLength));
  if (cw && out[2] == ' ' && out[1] != ' ')
    out[2] = '9';
  return out;
}

std::string SerialText(std::int64_t number) {
  if (number < 0)
    number = 0;
  std::string digits = std::to_string(number);
  if (digits.size() < 3)
    digits.insert(0, 3 - digits.size(), '0');
  return digits;
}

std::string PadSerialElement(std::string_view element) {
  std::string trimmed = TrimBlanks(element);
  if (!trimmed.empty() && trimmed.size() < 3)
    trimmed.insert(0, 3 - trimmed.size(), '0');
  return trimmed;
}

} // namespace tarvik
