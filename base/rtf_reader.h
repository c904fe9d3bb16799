#pragma once
// A reader for the part of RTF that rules documents use, turning it into a small model of
// formatted text that a window can show and print: paragraphs of runs with bold, italic,
// underline and font size; tables become one line per row with the cells separated by tabs.
//
// What is read: groups, \par \line \tab \page \sect, \b \i \ul (and its variants) \plain
// \fs, \pard \ql \qc \qr \qj \tx \sb \sa \li \ri \fi, \trowd \cellx \intbl \cell \row, characters
// as \'xx and \uN with the \uc fallback, the usual symbol words (\emdash, \ldblquote ...). What is
// skipped: font, colour and style tables, document information, pictures, objects, headers and
// footers, \bin data and every destination marked \* .
//
// The reader never fails: it is fed files from disk, so unbalanced braces, truncated input,
// overlong control words, huge numbers and deep nesting are all taken in stride; whatever
// cannot be read is left out. A text that does not start with "{\rtf" is read as plain text.

#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

enum class RtfAlignment { Left, Center, Right, Justify };

struct RtfRun {
  /// Windows-1252 text. "\t" is a tab or a cell boundary, "\n" a line break inside the
  /// paragraph. A character outside the code page is given by the document's fallback
  /// text ("?" when it has none).
  std::string text;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int fontHalfPoints = 0; ///< font size in half points; 0 when the document sets none

  friend bool operator==(const RtfRun&, const RtfRun&) = default;
};

struct RtfParagraph {
  std::vector<RtfRun> runs;
  RtfAlignment alignment = RtfAlignment::Left;
  bool tableRow = false;           ///< one row of a table, cells separated by "\t"
  std::vector<int> tabStopsTwips;  ///< tab positions (for a table row: the inner cell edges)
  std::vector<int> cellEdgesTwips; ///< table row: the right edge of every cell
  // Spacing and indents in twips (1/1440 inch), as the document sets them.
  int spaceBeforeTwips = 0;
  int spaceAfterTwips = 0;
  int leftIndentTwips = 0;
  int rightIndentTwips = 0;
  int firstLineIndentTwips = 0; ///< relative to the left indent; negative for a hanging one

  /// The text of all runs.
  std::string Text() const;
};

struct RtfDocument {
  std::vector<RtfParagraph> paragraphs;

  /// All paragraphs' texts, each followed by "\n".
  std::string PlainText() const;
};

/// Reads an RTF document (or a plain text) into the model.
RtfDocument ReadRtf(std::string_view data);

} // namespace tarvik
