#pragma once
// Byte fixtures of records, written offset by offset from the layout tables.

#include <initializer_list>
#include <string>
#include <string_view>

namespace tarvik::test {

class RecordFixture {
public:
  explicit RecordFixture(std::size_t length) : bytes_(length, '\0') {}
  /// Raw bytes at `at`; a short string brings its length byte ("\x06" "JO62QM").
  void Put(int at, std::string_view bytes) {
    bytes_.replace(static_cast<std::size_t>(at), bytes.size(), bytes);
  }
  void Bytes(int at, std::initializer_list<int> values) {
    for (int v : values)
      bytes_[static_cast<std::size_t>(at++)] = static_cast<char>(v);
  }
  const std::string& bytes() const { return bytes_; }

private:
  std::string bytes_;
};

inline std::string Raw(const char* bytes, std::size_t n) {
  return std::string(bytes, n);
}

} // namespace tarvik::test
