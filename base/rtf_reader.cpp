#include "base/rtf_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "base/cp1252.h"

namespace tarvik {

namespace {

// Groups nested deeper than this are dropped with their contents: no real document comes
// near it, and it bounds the memory a hostile file can make the reader use.
constexpr size_t kMaxDepth = 200;
// RTF allows control words of up to 32 letters; longer ones are read and ignored.
constexpr size_t kMaxWordLength = 32;
constexpr int64_t kMaxParameter = 1'000'000'000;

// Destinations whose contents are not part of the visible text.
constexpr std::array<std::string_view, 52> kSkippedDestinations = {
    "fonttbl",      "colortbl",
    "stylesheet",   "info",
    "pict",         "object",
    "header",       "headerl",
    "headerr",      "headerf",
    "footer",       "footerl",
    "footerr",      "footerf",
    "footnote",     "fldinst",
    "themedata",    "colorschememapping",
    "latentstyles", "datastore",
    "listtable",    "listoverridetable",
    "rsidtbl",      "generator",
    "xmlnsbl",      "pgdsctbl",
    "mmathPr",      "bkmkstart",
    "bkmkend",      "filetbl",
    "revtbl",       "nonshppict",
    "shpinst",      "shptxt",
    "sp",           "sn",
    "sv",           "xe",
    "tc",           "txe",
    "annotation",   "atnid",
    "atnauthor",    "protusertbl",
    "userprops",    "docvar",
    "template",     "pn",
    "pntxta",       "pntxtb",
    "objdata",      "fldtype",
};

bool IsSkippedDestination(std::string_view word) {
  return std::find(kSkippedDestinations.begin(), kSkippedDestinations.end(), word) !=
         kSkippedDestinations.end();
}

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A length in twips, limited to what a page can hold (22 inches).
int Twips(bool hasParam, int param) {
  return hasParam ? std::clamp(param, -31680, 31680) : 0;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

struct CharFormat {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int fontHalfPoints = 0;
};

struct ParagraphFormat {
  RtfAlignment alignment = RtfAlignment::Left;
  bool inTable = false;
  std::vector<int> tabStops;
  int spaceBefore = 0;
  int spaceAfter = 0;
  int leftIndent = 0;
  int rightIndent = 0;
  int firstLineIndent = 0;
};

struct GroupState {
  CharFormat chr;
  ParagraphFormat para;
  int unicodeSkip = 1; // \uc: fallback characters after \uN
  bool skip = false;   // contents of this group are not shown
};

class RtfParser {
public:
  explicit RtfParser(std::string_view data) : in_(data) {}

  RtfDocument Parse() {
    stack_.emplace_back();
    while (pos_ < in_.size() && !finished_)
      Step();
    if (!current_.runs.empty())
      EndParagraph();
    return std::move(doc_);
  }

private:
  GroupState& State() { return stack_.back(); }

  void Step() {
    const char c = in_[pos_++];
    switch (c) {
    case '{':
      OpenGroup();
      return;
    case '}':
      CloseGroup();
      return;
    case '\\':
      ControlSequence();
      return;
    case '\r':
    case '\n':
      return;
    case '\0':
      return;
    default:
      TextChar(static_cast<unsigned char>(c));
      return;
    }
  }

  void OpenGroup() {
    pendingSkip_ = 0;
    if (overflowDepth_ > 0 || stack_.size() >= kMaxDepth) {
      ++overflowDepth_;
      return;
    }
    stack_.push_back(State());
  }

  void CloseGroup() {
    pendingSkip_ = 0;
    if (overflowDepth_ > 0) {
      --overflowDepth_;
      return;
    }
    if (stack_.size() > 2) {
      stack_.pop_back();
    } else if (stack_.size() == 2) {
      finished_ = true; // the document's outermost group ends here
    }
    // A "}" without its "{" is ignored.
  }

  bool Skipping() const { return overflowDepth_ > 0 || stack_.back().skip; }

  void ControlSequence() {
    if (pos_ >= in_.size())
      return;
    const char c = in_[pos_];
    if (!IsLetter(c)) {
      ++pos_;
      ControlSymbol(c);
      return;
    }
    const size_t start = pos_;
    while (pos_ < in_.size() && IsLetter(in_[pos_]))
      ++pos_;
    const std::string_view word = in_.substr(start, pos_ - start);
    bool hasParam = false;
    int64_t param = 0;
    bool negative = false;
    if (pos_ + 1 < in_.size() && in_[pos_] == '-' && IsDigit(in_[pos_ + 1])) {
      negative = true;
      ++pos_;
    }
    while (pos_ < in_.size() && IsDigit(in_[pos_])) {
      hasParam = true;
      param = std::min<int64_t>(param * 10 + (in_[pos_] - '0'), kMaxParameter);
      ++pos_;
    }
    if (negative)
      param = -param;
    if (pos_ < in_.size() && in_[pos_] == ' ')
      ++pos_;
    if (word.size() > kMaxWordLength) {
      ConsumeFallback();
      return;
    }
    ControlWord(word, hasParam, static_cast<int>(param));
  }

  // A control word or symbol counts as one character of a \uN fallback.
  bool ConsumeFallback() {
    if (pendingSkip_ == 0)
      return false;
    --pendingSkip_;
    return true;
  }

  void ControlSymbol(char c) {
    if (c == '*') {
      // An ignorable destination: readers that do not know it skip it, and none of those
      // that rules documents contain holds text for the view.
      State().skip = true;
      return;
    }
    if (c == '\'') {
      int value = -1;
      if (pos_ + 1 < in_.size()) {
        const int hi = HexValue(in_[pos_]);
        const int lo = HexValue(in_[pos_ + 1]);
        if (hi >= 0 && lo >= 0)
          value = hi * 16 + lo;
      }
      if (value < 0) {
        // Broken escape: skip what hex digits there are.
        for (int i = 0; i < 2 && pos_ < in_.size() && HexValue(in_[pos_]) >= 0; ++i)
          ++pos_;
        ConsumeFallback();
        return;
      }
      pos_ += 2;
      if (ConsumeFallback() || value == 0)
        return;
      Emit(static_cast<char>(value));
      return;
    }
    if (ConsumeFallback())
      return;
    switch (c) {
    case '\\':
    case '{':
    case '}':
      Emit(c);
      return;
    case '~':
      Emit('\xA0');
      return;
    case '_':
      Emit('-');
      return;
    case '-':
      return; // optional hyphen
    case '\r':
    case '\n':
      ParagraphBreak();
      return;
    case '\t':
      Emit('\t');
      return;
    default:
      return; // \| \: and unknown symbols
    }
  }

  void ControlWord(std::string_view w, bool hasParam, int param) {
    GroupState& g = State();
    if (w == "bin") {
      // Binary data follows: skip it whatever the group is.
      const size_t n = hasParam && param > 0 ? static_cast<size_t>(param) : 0;
      pos_ += std::min(n, in_.size() - pos_);
      return;
    }
    if (IsSkippedDestination(w)) {
      g.skip = true;
      return;
    }
    if (w == "u") {
      if (Skipping())
        return;
      UnicodeChar(param);
      return;
    }
    if (ConsumeFallback())
      return;

    if (w == "par" || w == "sect" || w == "page")
      return ParagraphBreak();
    if (w == "line")
      return Emit('\n');
    if (w == "tab")
      return Emit('\t');
    if (w == "cell" || w == "nestcell") {
      return Emit('\t');
    }
    if (w == "row" || w == "nestrow")
      return EndRow();
    if (w == "emdash")
      return Emit('\x97');
    if (w == "endash")
      return Emit('\x96');
    if (w == "bullet")
      return Emit('\x95');
    if (w == "lquote")
      return Emit('\x91');
    if (w == "rquote")
      return Emit('\x92');
    if (w == "ldblquote")
      return Emit('\x93');
    if (w == "rdblquote")
      return Emit('\x94');
    if (w == "emspace" || w == "enspace" || w == "qmspace")
      return Emit(' ');

    const bool on = !hasParam || param != 0;
    CharFormat& chr = g.chr;
    ParagraphFormat& para = g.para;
    if (w == "b")
      chr.bold = on;
    else if (w == "i")
      chr.italic = on;
    else if (w == "ul" || w == "uld" || w == "uldb" || w == "uldash" || w == "uldashd" ||
             w == "uldashdd" || w == "ulth" || w == "ulw" || w == "ulwave" || w == "ulhwave" ||
             w == "ululdbwave" || w == "ulthd" || w == "ulthdash" || w == "ulldash" ||
             w == "ulthldash" || w == "ulthdashd" || w == "ulthdashdd")
      chr.underline = on;
    else if (w == "ulnone")
      chr.underline = false;
    else if (w == "plain")
      chr = CharFormat{};
    else if (w == "fs")
      chr.fontHalfPoints = hasParam ? std::clamp(param, 0, 3276) : 0;
    else if (w == "pard") {
      para = ParagraphFormat{};
    } else if (w == "ql")
      para.alignment = RtfAlignment::Left;
    else if (w == "qc")
      para.alignment = RtfAlignment::Center;
    else if (w == "qr")
      para.alignment = RtfAlignment::Right;
    else if (w == "qj")
      para.alignment = RtfAlignment::Justify;
    else if (w == "tx" || w == "tb") {
      if (hasParam && param > 0 && para.tabStops.size() < 64)
        para.tabStops.push_back(param);
    } else if (w == "intbl")
      para.inTable = true;
    else if (w == "sb")
      para.spaceBefore = Twips(hasParam, param);
    else if (w == "sa")
      para.spaceAfter = Twips(hasParam, param);
    else if (w == "li")
      para.leftIndent = Twips(hasParam, param);
    else if (w == "ri")
      para.rightIndent = Twips(hasParam, param);
    else if (w == "fi")
      para.firstLineIndent = Twips(hasParam, param);
    else if (w == "trowd")
      rowCells_.clear();
    else if (w == "cellx") {
      if (hasParam && rowCells_.size() < 64)
        rowCells_.push_back(std::max(0, param));
    } else if (w == "uc")
      g.unicodeSkip = hasParam ? std::clamp(param, 0, 16) : 1;
    // Every other word (fonts, colours, spacing, page layout ...) does not change the text.
  }

  void UnicodeChar(int value) {
    if (value < 0)
      value += 65536;
    const char32_t ch = static_cast<char32_t>(value & 0xFFFF);
    const int byte = UnicodeToCp1252(ch);
    if (ch >= 0xDC00 && ch <= 0xDFFF && pendingHighSurrogate_) {
      // Second half of a character beyond the basic plane: one fallback for the pair.
      pendingHighSurrogate_ = false;
      pendingSkip_ = 0;
      if (State().unicodeSkip == 0)
        Emit('?');
      return;
    }
    pendingHighSurrogate_ = false;
    if (ch >= 0xD800 && ch <= 0xDBFF) {
      pendingHighSurrogate_ = true;
      pendingSkip_ = State().unicodeSkip; // the pair shows the second half's fallback
      return;
    }
    if (byte >= 0 && byte != 0) {
      Emit(static_cast<char>(byte));
      pendingSkip_ = State().unicodeSkip;
      return;
    }
    // Not in the code page: show the document's own fallback, or "?" when it has none.
    pendingSkip_ = 0;
    if (State().unicodeSkip == 0)
      Emit('?');
  }

  void TextChar(unsigned char c) {
    if (ConsumeFallback())
      return;
    Emit(static_cast<char>(c));
  }

  void Emit(char c) {
    if (Skipping())
      return;
    pendingHighSurrogate_ = false;
    const GroupState& g = State();
    const CharFormat& f = g.chr;
    if (current_.runs.empty() || !SameFormat(current_.runs.back(), f)) {
      RtfRun run;
      run.bold = f.bold;
      run.italic = f.italic;
      run.underline = f.underline;
      run.fontHalfPoints = f.fontHalfPoints;
      current_.runs.push_back(std::move(run));
    }
    current_.runs.back().text.push_back(c);
  }

  static bool SameFormat(const RtfRun& run, const CharFormat& f) {
    return run.bold == f.bold && run.italic == f.italic && run.underline == f.underline &&
           run.fontHalfPoints == f.fontHalfPoints;
  }

  void ParagraphBreak() {
    if (Skipping())
      return;
    // Inside a table row a paragraph mark only separates lines of one cell: the row stays
    // one line.
    if (State().para.inTable) {
      Emit(' ');
      return;
    }
    EndParagraph();
  }

  void EndRow() {
    if (Skipping())
      return;
    // The last cell's boundary is the end of the line, not a tab.
    for (auto it = current_.runs.rbegin(); it != current_.runs.rend(); ++it) {
      if (it->text.empty())
        continue;
      if (it->text.back() == '\t')
        it->text.pop_back();
      break;
    }
    std::erase_if(current_.runs, [](const RtfRun& r) { return r.text.empty(); });
    current_.tableRow = true;
    if (rowCells_.size() > 1)
      current_.tabStopsTwips.assign(rowCells_.begin(), rowCells_.end() - 1);
    current_.cellEdgesTwips = rowCells_;
    EndParagraph();
  }

  void EndParagraph() {
    const ParagraphFormat& para = State().para;
    current_.alignment = para.alignment;
    if (!current_.tableRow)
      current_.tabStopsTwips = para.tabStops;
    current_.spaceBeforeTwips = para.spaceBefore;
    current_.spaceAfterTwips = para.spaceAfter;
    current_.leftIndentTwips = para.leftIndent;
    current_.rightIndentTwips = para.rightIndent;
    current_.firstLineIndentTwips = para.firstLineIndent;
    doc_.paragraphs.push_back(std::move(current_));
    current_ = RtfParagraph{};
  }

  std::string_view in_;
  size_t pos_ = 0;
  std::vector<GroupState> stack_;
  size_t overflowDepth_ = 0;
  int pendingSkip_ = 0;
  bool pendingHighSurrogate_ = false;
  bool finished_ = false;
  std::vector<int> rowCells_;
  RtfParagraph current_;
  RtfDocument doc_;
};

RtfDocument ReadPlainText(std::string_view data) {
  RtfDocument doc;
  size_t start = 0;
  while (start < data.size()) {
    size_t end = data.find('\n', start);
    if (end == std::string_view::npos)
      end = data.size();
    std::string_view line = data.substr(start, end - start);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    RtfParagraph p;
    if (!line.empty())
      p.runs.push_back(RtfRun{std::string(line)});
    doc.paragraphs.push_back(std::move(p));
    start = end + 1;
  }
  return doc;
}

bool LooksLikeRtf(std::string_view data) {
  size_t i = 0;
  if (data.substr(0, 3) == "\xEF\xBB\xBF")
    i = 3; // a byte order mark some editors write
  while (i < data.size() &&
         (data[i] == ' ' || data[i] == '\r' || data[i] == '\n' || data[i] == '\t'))
    ++i;
  return data.substr(i, 5) == "{\\rtf";
}

} // namespace

std::string RtfParagraph::Text() const {
  std::string out;
  for (const auto& r : runs)
    out += r.text;
  return out;
}

std::string RtfDocument::PlainText() const {
  std::string out;
  for (const auto& p : paragraphs) {
    out += p.Text();
    out += '\n';
  }
  return out;
}

RtfDocument ReadRtf(std::string_view data) {
  if (!LooksLikeRtf(data))
    return ReadPlainText(data);
  return RtfParser(data).Parse();
}

} // namespace tarvik
