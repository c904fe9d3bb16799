#pragma once
// TrkEdit: a one-line edit field that knows the type of the value it shows, so that a window
// moves a record field into and out of it with one call each. Numbers are shown through a
// picture ("#####,####"); texts are the core's Windows-1252 bytes.

#include <QLineEdit>

#include <cstdint>
#include <optional>
#include <string>

namespace tarvik {

/// Type of the value a TrkEdit shows.
enum rkeditdatatype : int {
  dtString,   ///< text (std::string)
  dtInteger,  ///< 32-bit signed
  dtWord,     ///< 16-bit unsigned
  dtByte,     ///< 8-bit unsigned
  dtChar,     ///< one character, 0 for none
  dtLongint,  ///< 32-bit signed
  dtReal,     ///< real number (double)
  dtSingle,   ///< 4-byte real (float)
  dtDouble,   ///< 8-byte real (double)
  dtExtended, ///< extended real (long double)
};

class TrkEdit : public QLineEdit {
  Q_OBJECT

public:
  explicit TrkEdit(QWidget* parent = nullptr);

  rkeditdatatype DataType() const { return dataType_; }
  void SetDataType(rkeditdatatype type);

  /// Picture for numbers; every "9" is stored as "#" ("999,99" becomes "###,##").
  const std::string& PictureMask() const { return pictureMask_; }
  void SetPictureMask(const std::string& mask);

  /// A second free tag for the owner window.
  int Tag2() const { return tag2_; }
  void SetTag2(int tag) { tag2_ = tag; }

  // --- SetValue: shows a value as the field's DataType says --------------------------
  // Texts appear unchanged; integers through FormatLongPicture(PictureMask), reals through
  // FormatPicture(PictureMask), both without surrounding blanks (a field without a picture
  // shows the plain number); a character as itself, 0 as an empty field. For dtDouble and
  // dtExtended a value equal to the one last shown or read leaves the text as the user
  // typed it. A value of another C++ type than the DataType's is converted to it.
  void SetValue(const std::string& text);
  void SetValue(const char* text) { SetValue(std::string(text)); }
  void SetValue(char c);
  void SetValue(std::int32_t n);
  void SetValue(std::uint16_t n);
  void SetValue(std::uint8_t n);
  void SetValue(float x);
  void SetValue(double x);
  void SetValue(long double x);

  // --- GetValue: reads the field's text as a value of the DataType ---------------------
  // dtString: the text. Integer types: the text as a decimal integer in the type's range,
  // else 0. dtChar: the first character after TrimSpaces, 0 for an empty text. Real types:
  // with a ",": the parts before and after it (a "," at the end is dropped); otherwise a
  // decimal number with "."; a text that is not a number gives 0.
  void GetValue(std::string& text);
  void GetValue(char& c);
  void GetValue(std::int32_t& n);
  void GetValue(std::uint16_t& n);
  void GetValue(std::uint8_t& n);
  void GetValue(float& x);
  void GetValue(double& x);
  void GetValue(long double& x);

  /// The field's text as Windows-1252 bytes.
  std::string TextCp1252() const;

signals:
  /// The field got the keyboard focus (the window's OnEnter).
  void entered();
  /// The field lost the keyboard focus (the window's OnExit).
  void exited();

protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

private:
  bool IsIntegerType() const;
  bool IsRealType() const;
  void ShowInteger(long long n);
  void ShowReal(long double x);
  [[nodiscard]] std::optional<long long> ReadInteger() const;
  long double ReadReal();

  rkeditdatatype dataType_ = dtString;
  std::string pictureMask_;
  int tag2_ = 0;
  std::optional<long double> lastReal_; // last value shown or read (dtDouble, dtExtended)
};

/// Reads a real number as a TrkEdit does: with a "," the part before it is the integer part
/// and the digits after it the fraction (a trailing "," is dropped; the sign applies to the
/// whole number), otherwise a decimal number with "."; nullopt when the text is not a number.
[[nodiscard]] std::optional<long double> ReadTrkReal(const std::string& text);

/// Reads a decimal integer (optional sign, blanks around it allowed); nullopt when the text
/// is not one or lies outside [min, max].
[[nodiscard]] std::optional<long long> ReadTrkInteger(const std::string& text, long long min,
                                                      long long max);

} // namespace tarvik
