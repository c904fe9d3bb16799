#pragma once
// ContestHeaderWindow: the contest header window. It shows the header of a new or an existing
// contest in groups ("Angaben zum Contest", "Contest- Teilnehmer", "Teilnahme", "Mode",
// "Programm- Einstellungen", "Computerzeit", the per-code extras and "Auswertung"), checks
// and stores it, and offers the outputs of the log in the menu of "Drucken / E-Log". Its
// rules are the model's (outputs/contest_header_model.h); the window copies texts between
// its controls and the model and forwards its events.
//
// Modes: a new contest, an existing one, and the review after the log window, which offers
// only "Beenden" (start and cancel hidden). Esc asks "Änderungen übernehmen?".

#include <QDialog>
#include <QPalette>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "outputs/contest_header_model.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPrinter;
class QRadioButton;
class QAction;
class QGridLayout;

namespace tarvik {

class ContestSession;
class TrkBitBtn;
class TrkEdit;

/// Light red of a field that failed a check.
inline constexpr int kFailedFieldRgb[3] = {255, 128, 128};

/// The contest header window: the header's fields and checks, the category, the evaluation panel
/// and the output menu (form EingContestStd).
class ContestHeaderWindow : public QDialog {
  Q_OBJECT

public:
  /// Opens the header in the session's header buffer (for `mode` kExisting and kReview) or
  /// a new one, for the program's chosen contest code.
  ContestHeaderWindow(ContestSession& session, HeaderWindowMode mode, QWidget* parent = nullptr);
  ~ContestHeaderWindow() override;

  /// Shows the window modally; true when it was closed by "Contest starten".
  [[nodiscard]] bool Execute();
  /// Whether the window was closed by "Contest starten".
  bool StartRequested() const { return start_; }

  ContestHeaderModel& model() { return *model_; }

  /// Sets up the printer of a printed output in place of the print dialog; false cancels.
  /// Empty (the default): the print dialog. Tests put a PDF printer here.
  std::function<bool(QPrinter&)> askPrinter;

  // "Angaben zum Contest"
  QGroupBox* groupContest = nullptr;
  TrkEdit* eName = nullptr;
  TrkEdit* eDatumvon = nullptr;
  TrkEdit* eDatumbis = nullptr;
  TrkEdit* eZeitvon = nullptr;
  TrkEdit* eZeitbis = nullptr;
  // "Contest- Teilnehmer"
  QGroupBox* groupTeilnehmer = nullptr;
  TrkEdit* eCall = nullptr;
  QLabel* leDOK = nullptr;
  TrkEdit* eDOK = nullptr;
  TrkEdit* eSWL = nullptr;
  TrkEdit* ecname = nullptr;
  TrkEdit* eStrasse = nullptr;
  TrkEdit* ePLZ = nullptr;
  TrkEdit* eOrt = nullptr;
  TrkEdit* eLand = nullptr;
  TrkEdit* eLoc = nullptr;
  // "Teilnahme"
  QGroupBox* eteilnahmeart = nullptr;
  std::vector<QRadioButton*> categoryButtons;
  // "Mode"
  QGroupBox* groupMode = nullptr;
  QRadioButton* rcw = nullptr;
  QRadioButton* rssb = nullptr;
  QRadioButton* rFM = nullptr;
  QRadioButton* rPR = nullptr;
  // "Programm- Einstellungen"
  QGroupBox* groupEinstellungen = nullptr;
  QCheckBox* edatumauto = nullptr;
  QCheckBox* ezeitauto = nullptr;
  QCheckBox* eBandauto = nullptr;
  QCheckBox* eaktrsts = nullptr;
  QCheckBox* eaktrstr = nullptr;
  TrkEdit* eQSLw = nullptr;
  TrkEdit* eqslr = nullptr;
  QCheckBox* crstsnichtsperren = nullptr;
  QCheckBox* cdoppelqso = nullptr;
  // "Computerzeit"
  QGroupBox* grouputc = nullptr;
  QRadioButton* rZeitOrt = nullptr;
  QRadioButton* rZeitUTC = nullptr;
  // Per-code extras
  QGroupBox* groupZusatz = nullptr;
  QLabel* Label15 = nullptr;
  QLabel* Label16 = nullptr;
  TrkEdit* eJahre = nullptr;
  QGroupBox* GroupZusatz2 = nullptr;
  QRadioButton* rZusatz21 = nullptr;
  QRadioButton* rZusatz22 = nullptr;
  QRadioButton* rZusatz23 = nullptr;
  QGroupBox* GroupFrage = nullptr;
  QLabel* Label4 = nullptr;
  QRadioButton* eHMja = nullptr;
  QRadioButton* eHMnein = nullptr;
  QGroupBox* groupzusatz3 = nullptr;
  QPlainTextEdit* memogroupzusatz3 = nullptr;
  QCheckBox* checkboxgroupzusatz3 = nullptr;
  QCheckBox* checkboxgroupzusatz3_2 = nullptr;
  // "Auswertung"
  QGroupBox* groupAuswertung = nullptr;
  QLabel* lQSO[7] = {};      ///< band names of the QSO block
  QLabel* leQSO[7] = {};     ///< QSOs per band
  QLabel* lMulti[7] = {};    ///< band names of the multiplier block
  QLabel* leMulti[7] = {};   ///< multipliers per band
  QLabel* lPunkte[7] = {};   ///< band names of the points block
  QLabel* lePunkte[7] = {};  ///< points per band
  QLabel* Label28 = nullptr; ///< total QSOs
  QLabel* Label19 = nullptr; ///< total multipliers
  QLabel* Label20 = nullptr; ///< total points
  QLabel* Label21 = nullptr; ///< score
  // Buttons
  TrkBitBtn* btnstart = nullptr;
  TrkBitBtn* btnOK = nullptr;
  TrkBitBtn* btnAbbruch = nullptr;
  TrkBitBtn* btnHilfe = nullptr;
  TrkBitBtn* btnregeln = nullptr;
  TrkBitBtn* btnDruck = nullptr;
  /// The output menu of btnDruck and its items by name ("DruckSTF" ...).
  QMenu* menuDruck = nullptr;
  std::map<std::string, QAction*> druckItems;

  // Event handlers.
  void btnstartClick();
  void btnOKClick();
  void btnAbbruchClick();
  void btnDruckClick();
  void btnregelnClick();

  /// Copies the controls into the model's form / the model's form into the controls.
  void ReadForm();
  void ShowForm();

protected:
  /// Esc and the close box: "Änderungen übernehmen?".
  void reject() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void CreateControls();
  QGroupBox* CreateContestGroup();
  QGroupBox* CreateParticipantGroup();
  QGroupBox* CreateModeGroup();
  QGroupBox* CreateSettingsGroup();
  QGroupBox* CreateClockGroup();
  QGroupBox* CreateEvaluationGroup();
  void CreateExtraGroups();
  void CreateButtons();
  void ConnectEvents();
  void FillCategoryGroup();
  void ShowView();
  void ShowEvaluation();
  void ShowMarks();
  void FocusRequested();
  void BuildOutputMenu();
  void CloseWith(bool start);
  void Edited(QWidget* widget);
  QWidget* ControlWidget(HeaderControl control) const;

  std::unique_ptr<ContestHeaderModel> model_;
  ContestSession& session_;
  bool start_ = false;
  bool filling_ = false;
  QButtonGroup* categoryGroup_ = nullptr;
  QGridLayout* categoryLayout_ = nullptr;
  std::vector<QLabel*> blockHeadings_; ///< "Band" and the headings of the panel's blocks
  std::map<QWidget*, QPalette> normalPalettes_;
  std::map<QWidget*, bool> normalAutoFill_;
};

} // namespace tarvik
