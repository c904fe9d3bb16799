#include "widgets/trk_bit_btn_kind.h"

namespace tarvik {

namespace {

struct KindInfo {
  const char* name;    // as in code, without the "bk" prefix
  const char* caption; // UTF-8
  int modalResult;
};

// In the order of TrkBitBtnKind.
constexpr KindInfo kKinds[kTrkBitBtnKindCount] = {
    {"Custom", "", mrNone},
    {"OK", "OK", mrOk},
    {"Cancel", "Abbrechen", mrCancel},
    {"Help", "&Hilfe", mrNone},
    {"Yes", "&Ja", mrYes},
    {"No", "&Nein", mrNo},
    {"Close", "&Schließen", mrNone},
    {"Abort", "Abbruch", mrAbort},
    {"Retry", "&Wiederholen", mrRetry},
    {"Ignore", "&Ignorieren", mrIgnore},
    {"All", "&Alles", mrAll},
    {"Weiter", "&Weiter", mrWeiter},
    {"Zurueck", "&Zurück", mrZurueck},
    {"Edit", "&Eigenschaften", mrEdit},
    {"Uebernahme", "&Übernehmen", mrUebernahme},
    {"Druck", "&Drucken", mrNone},
    {"Neu", "&Neu", mrNone},
    {"Aendern", "&Ändern", mrNone},
    {"Loeschen", "&Löschen", mrNone},
    {"Zusatz", "&Zusatz-|funktionen", mrNone},
    {"Suche", "&erweiterte|Suche", mrNone},
    {"Stat", "&Statistik", mrNone},
    {"GHelp", "&Hilfe", mrNone},
    {"GClose", "&Schließen", mrNone},
    {"GDruck", "&Drucken", mrNone},
    {"GNeu", "&Neu", mrNone},
    {"GAendern", "&Ändern", mrNone},
    {"GLoeschen", "&Löschen", mrNone},
    {"GSuche", "&erweiterte Suche", mrNone},
    {"GEinlesen", "&Einlesen", mrNone},
    {"Option", "&Optionen", mrNone},
    {"GOption", "&Optionen", mrNone},
    {"GHistory", "&History", mrNone},
    {"GAuswahlblau", "&Auswahl", mrNone},
    {"GZF", "&ZF", mrNone},
    {"GExport", "&Export", mrNone},
    {"Export", "&Export", mrNone},
    {"GMoveLR", "&Verschieben", mrNone},
    {"GCopyLR", "&Kopieren", mrNone},
    {"GKopie", "&Kopie", mrNone},
    {"GAmpelgelb", "Warte", mrNone},
    {"GAmpelrot", "Stop", mrNone},
    {"GAmpelgruen", "&QSO auflisten", mrNone},
    {"GListe", "&Liste", mrNone},
    {"GTabelle", "&Tabelle", mrNone},
    {"GStatistik", "&Statistik", mrNone},
    {"GMatrix", "&Matrix", mrNone},
    {"GStart", "&Start", mrNone},
    {"GDiagramm", "&Diagramm", mrNone},
    {"GHTML", "&HTML", mrNone},
    {"HTML", "&HTML", mrNone},
    {"GKarte", "&Karte", mrNone},
};

const KindInfo& Info(TrkBitBtnKind kind) {
  const int i = (kind >= 0 && kind < kTrkBitBtnKindCount) ? kind : bkCustom;
  return kKinds[i];
}

} // namespace

QString KindName(TrkBitBtnKind kind) {
  return QStringLiteral("bk") + QLatin1String(Info(kind).name);
}

QString KindCaption(TrkBitBtnKind kind) {
  return QString::fromUtf8(Info(kind).caption);
}

QString KindGlyphName(TrkBitBtnKind kind) {
  if (kind == bkCustom)
    return {};
  return QStringLiteral("RKBB") + QLatin1String(Info(kind).name).toString().toUpper();
}

int KindModalResult(TrkBitBtnKind kind) {
  return Info(kind).modalResult;
}

bool KindIsDefault(TrkBitBtnKind kind) {
  return kind == bkOK || kind == bkYes;
}

bool KindIsCancel(TrkBitBtnKind kind) {
  return kind == bkCancel || kind == bkNo;
}

} // namespace tarvik
