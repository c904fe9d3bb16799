#pragma once
// Colours, fonts and small widget helpers shared by the parts of the log window.

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QWidget>

namespace tarvik::logwindow {

inline const QColor kFormColour(0x23, 0x3E, 0x5C);
inline const QColor kPanelColour(0xD9, 0xE2, 0xEC);
inline const QColor kFixedColour(0xEE, 0xF2, 0xF6); ///< labels in place of fixed fields
inline const QColor kNavy(0x14, 0x23, 0x5A);
inline const QColor kYellow(0xFF, 0xE0, 0x4A);
inline const QColor kTeal(0x00, 0x80, 0x80);         ///< captions
inline const QColor kCaptionRed(0xD0, 0x10, 0x10);   ///< the caption of the focused field
inline const QColor kFailedColour(0xFF, 0xC0, 0xC0); ///< a field a check failed on
inline const QColor kListRed(0xB0, 0x10, 0x10);      ///< the list title in list state

/// Sets the background colour (and lets the widget fill it); nothing when it is already set.
inline void SetBackground(QWidget* widget, const QColor& colour) {
  if (widget->autoFillBackground() && widget->palette().color(QPalette::Window) == colour)
    return;
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

/// Sets the text colour; nothing when it is already set.
inline void SetTextColour(QWidget* widget, const QColor& colour) {
  if (widget->palette().color(QPalette::WindowText) == colour)
    return;
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, colour);
  widget->setPalette(palette);
}

/// A caption with an "&" mnemonic as rich text, the marked character underlined ("&&" is an
/// ampersand), for labels whose key the window handles itself.
inline QString MnemonicHtml(const QString& caption) {
  QString html;
  for (qsizetype i = 0; i < caption.size(); ++i) {
    const QChar c = caption.at(i);
    if (c == QLatin1Char('&') && i + 1 < caption.size()) {
      const QChar next = caption.at(++i);
      if (next == QLatin1Char('&'))
        html += QStringLiteral("&amp;");
      else
        html += QStringLiteral("<u>") + QString(next).toHtmlEscaped() + QStringLiteral("</u>");
      continue;
    }
    html += QString(c).toHtmlEscaped();
  }
  return html;
}

inline QFont SizedFont(const QFont& base, int points, bool bold) {
  QFont font = base;
  font.setPointSize(points);
  font.setBold(bold);
  return font;
}

} // namespace tarvik::logwindow
