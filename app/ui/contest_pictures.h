#pragma once
// The pictures the main window draws for a contest that brings none of its own: a title in
// the style of the program's title bitmap (dark blue, the antenna, "Tarvik" in white and the
// contest's name below it), and a neutral round logo with the contest's short name.

#include <QPixmap>
#include <QString>

namespace tarvik {

/// A title picture 236 pixels high by 70 wide or wider: "Tarvik" and, below it, `contestName`
/// in capitals (long names in a smaller font, so the picture stays at most 420 wide).
QPixmap GeneratedTitlePicture(const QString& contestName);

/// A round badge of 160 by 160 pixels in the program's colours with `shortName` in it (the
/// font shrinks until the name fits); transparent outside the circle.
QPixmap NeutralLogo(const QString& shortName);

} // namespace tarvik
