#pragma once
// The QSO edit dialog "QSO ändern" without its window: the texts of its fields, which of
// them are enabled and shown, the band and mode lists with their choices, and the dialog's
// own rules (the frequency check when eFreq is left, the band change, the mode change, upper
// case and maximum lengths). The log's session fills a form from a stored QSO
// (QsoSession::BeginChange) and reads it back (QsoSession::ApplyChange); the dialog
// (QsoEditDialog) only copies texts between its widgets and the form.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

enum class EditField : int {
  eCall,
  eCall2,
  eRSTs1,
  eRSTs2,
  eRSTs3,
  eRSTs4,
  eRSTr1,
  eRSTr2,
  eRSTr3,
  eRSTr4,
  eDatum,
  ezeit,
  eQSLw,
  eqslr,
  eMulti,
  eFreq,
  eName,
  eQTH,
  emode,
};
inline constexpr int kEditFields = 19;

/// The control name of a field ("eCall", "eQSLw" ...).
std::string_view EditFieldName(EditField field);
/// Maximum length of a field's text.
int EditFieldMaxLength(EditField field);
/// True for the fields typed in upper case (all but name and QTH).
bool EditFieldIsUpperCase(EditField field);
/// Sent row field n (1 = RST, 2..4 = elements) and received row field n of the dialog.
EditField EditSentField(int n);
EditField EditReceivedField(int n);

class QsoEditForm {
public:
  /// Text of a field.
  const std::string& Text(EditField field) const { return texts_[Index(field)]; }
  /// The person typed: the text is cut to the field's length and upper-cased where the field
  /// is upper case.
  void SetText(EditField field, std::string_view text);
  bool Enabled(EditField field) const { return enabled_[Index(field)]; }
  bool Visible(EditField field) const { return visible_[Index(field)]; }

  /// lnummer: "Nummer:   " + QSONr.
  const std::string& NumberCaption() const { return number_; }
  /// The caption of eMulti: "Präfix" (the record's Prefix2) or "DXCC" (its Prefix).
  const std::string& MultiCaption() const { return multiCaption_; }

  /// Printed names of the contest's bands (comboband) and the chosen one (-1: none).
  const std::vector<std::string>& BandNames() const { return bandNames_; }
  int BandIndex() const { return bandIndex_; }
  /// The contest's modes (combomode) and the chosen one (-1: the mode is in emode).
  const std::vector<std::string>& Modes() const { return modes_; }
  int ModeIndex() const { return modeIndex_; }

  /// The band letter of the chosen list entry (0 when none is chosen).
  char Band() const;
  /// The mode: the free mode field when it is shown and holds a text, else the chosen entry.
  std::string Mode() const;

  /// A band was chosen: a frequency that does not belong to it gives way to the band's
  /// default frequency.
  void ChooseBand(int index);
  /// A mode was chosen: the reports follow ("59" becomes "599" for "CW", "599" becomes
  /// "59 " for "SSB" and "FM").
  void ChooseMode(int index);
  /// Leaving eFreq: the typed frequency is completed; a frequency of another band of the
  /// list chooses that band; a frequency of no band of the list gives way to the chosen
  /// band's default frequency.
  void LeaveFrequency();

  /// What the session fills in (see QsoSession::BeginChange).
  struct Setup {
    std::string number;
    std::string multiCaption;
    std::string bandLetters; ///< the contest's bands in list order
    std::vector<std::string> modes;
    char band = 0;
    std::string mode;
  };
  void Initialise(const Setup& setup);
  void SetEnabled(EditField field, bool enabled) { enabled_[Index(field)] = enabled; }
  void SetVisible(EditField field, bool visible) { visible_[Index(field)] = visible; }
  /// Sets a text as filled (no upper-casing, no cutting).
  void Fill(EditField field, std::string text) { texts_[Index(field)] = std::move(text); }
  /// The text eMulti was filled with (the stored prefix).
  const std::string& FilledMulti() const { return filledMulti_; }
  void SetFilledMulti(std::string text) { filledMulti_ = std::move(text); }

private:
  static std::size_t Index(EditField field) { return static_cast<std::size_t>(field); }
  double Frequency() const;
  void SetFrequency(double mhz);

  std::array<std::string, kEditFields> texts_{};
  std::array<bool, kEditFields> enabled_{};
  std::array<bool, kEditFields> visible_{};
  std::string number_;
  std::string multiCaption_;
  std::string filledMulti_;
  std::string bandLetters_;
  std::vector<std::string> bandNames_;
  std::vector<std::string> modes_;
  int bandIndex_ = -1;
  int modeIndex_ = -1;
};

/// Reads a frequency field ("144,3" or "144.3"); 0 for an empty or unreadable text.
[[nodiscard]] double ReadFrequencyText(std::string_view text);
/// A frequency as the frequency fields show it, with four decimals; "" for 0.
std::string FrequencyFieldText(double mhz);

} // namespace tarvik
