#pragma once
// The kinds of TrkBitBtn: each presets caption, glyph, default/cancel role and modal result.

#include <QString>

namespace tarvik {

enum TrkBitBtnKind : int {
  bkCustom,
  bkOK,
  bkCancel,
  bkHelp,
  bkYes,
  bkNo,
  bkClose,
  bkAbort,
  bkRetry,
  bkIgnore,
  bkAll,
  bkWeiter,
  bkZurueck,
  bkEdit,
  bkUebernahme,
  bkDruck,
  bkNeu,
  bkAendern,
  bkLoeschen,
  bkZusatz,
  bkSuche,
  bkStat,
  bkGHelp,
  bkGClose,
  bkGDruck,
  bkGNeu,
  bkGAendern,
  bkGLoeschen,
  bkGSuche,
  bkGEinlesen,
  bkOption,
  bkGOption,
  bkGHistory,
  bkGAuswahlblau,
  bkGZF,
  bkGExport,
  bkExport,
  bkGMoveLR,
  bkGCopyLR,
  bkGKopie,
  bkGAmpelgelb,
  bkGAmpelrot,
  bkGAmpelgruen,
  bkGListe,
  bkGTabelle,
  bkGStatistik,
  bkGMatrix,
  bkGStart,
  bkGDiagramm,
  bkGHTML,
  bkHTML,
  bkGKarte,
};
inline constexpr int kTrkBitBtnKindCount = bkGKarte + 1;

/// Modal results a button hands to its dialog (QDialog::done) when clicked.
enum TrkModalResult : int {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7,
  mrAll = 8,
  mrWeiter = 11,
  mrZurueck = 12,
  mrEdit = 13,
  mrUebernahme = 14,
};

/// The kind's name as written in code ("bkGNeu").
QString KindName(TrkBitBtnKind kind);
/// Caption preset by the kind; "&" marks the accelerator, "|" breaks the line.
QString KindCaption(TrkBitBtnKind kind);
/// Name of the kind's glyph: "RKBB" and the name without "bk" in capitals ("RKBBGNEU");
/// empty for bkCustom.
QString KindGlyphName(TrkBitBtnKind kind);
int KindModalResult(TrkBitBtnKind kind);
bool KindIsDefault(TrkBitBtnKind kind);
bool KindIsCancel(TrkBitBtnKind kind);

} // namespace tarvik
