#pragma once
// The output kinds of the header window's output menu and what the output run needs to know
// about each: printer or file, the words of the message before the save dialog, the dialog's
// filter and default extension, whether "wurde erstellt" follows and whether the file is
// shown in the file editor afterwards. Also the file name the save dialog proposes.
//
//   Kind  Output                          Ext.  Done message  Editor
//    1    paper cover sheet               -     no            no
//    3    paper multiplier check list     -     no            no
//    4    paper band list                 -     no            no
//    5    paper QSO list                  -     no            no
//    7    E-Log cover sheet file          SUM   no            yes
//    8    E-Log QSO list file             ALL   yes           yes
//    9    STF file                        STF   yes           yes
//   10    ADIF file                       ADI   yes           no
//   12    E-Log band list file            BND   yes           yes
//   13    E-Log whole file                TXT   yes           no
//   14    CSV file                        CSV   yes           no
//   15    E-Log multiplier check list     txt   yes           no   (name "<call>-multi.txt")
//   16    EDI file                        EDI   yes           no
//   17    Cabrillo file                   LOG   yes           yes

#include <string>
#include <string_view>

namespace tarvik {

namespace output_kind {
inline constexpr int kPaperCover = 1;
inline constexpr int kPaperMultiCheck = 3;
inline constexpr int kPaperBandList = 4;
inline constexpr int kPaperQsoList = 5;
inline constexpr int kELogCover = 7;
inline constexpr int kELogQsoList = 8;
inline constexpr int kStfFile = 9;
inline constexpr int kAdifFile = 10;
inline constexpr int kELogBandList = 12;
inline constexpr int kELogWhole = 13;
inline constexpr int kCsvFile = 14;
inline constexpr int kELogMultiCheck = 15;
inline constexpr int kEdiFile = 16;
inline constexpr int kCabrilloFile = 17;
} // namespace output_kind

struct OutputKindInfo {
  int kind = 0;
  const char* caption = "";   ///< the menu item ("Papierlog - QSO-Liste"), also the job name
  bool printer = false;       ///< kinds 1 to 6: printed; the others are files
  const char* words = "";     ///< words of the message before the save dialog
  const char* filter = "";    ///< the filter text, followed by the proposed name's mask
  const char* extension = ""; ///< default extension of the dialog (no dot)
  bool doneMessage = false;   ///< "Datei ... wurde erstellt." after a successful writer
  bool editor = false;        ///< the file is shown in the file editor afterwards
};

/// The kind's entry, or nullptr for a number that is no output kind.
[[nodiscard]] const OutputKindInfo* FindOutputKind(int kind);

/// The own call as it appears in file names: trimmed, every "/" replaced by "_".
std::string FileNameCall(std::string_view ownCall);
/// A category short name as it appears in file names: every ":" removed, every "."
/// replaced by "-", every "/", "\" and "," replaced by "_".
std::string FileNameCategory(std::string_view shortName);

/// The ending of the kind's file names: "." and the extension, or "-multi.txt" (kind 15).
std::string FileNameEnding(int kind);

/// The proposed file name: the cleaned own call, "-" and the cleaned category short name
/// (when a category with a short name is chosen), and the ending. "DL1ABC/P" with
/// "A: KW.QRO" proposes "DL1ABC_P-A KW-QRO.STF".
std::string ProposedFileName(int kind, std::string_view ownCall,
                             std::string_view categoryShortName);

/// The proposed name of the EDI file of one band of several: the cleaned own call, "_", the
/// band's name without blanks and ".EDI" ("DL1ABC_P_70cm.EDI").
std::string EdiBandFileName(std::string_view ownCall, char band);

/// "Geben Sie im folgenden Dialog an, wohin die STF - Listendatei DL1ABC_P.STF gespeichert
/// werden soll." (the call without the category).
std::string SaveLocationMessage(int kind, std::string_view ownCall);

/// The dialog's filter: the kind's filter text and the mask of the call's file name
/// ("STF-Liste (*.STF)|DL1ABC_P.STF").
std::string SaveDialogFilter(int kind, std::string_view ownCall);

/// "Die Datei <name> konnte nicht erstellt werden.", followed by the cause in words when
/// the operating system gave one (`osError`, an errno value; 0: none), for example "Die Datei
/// <name> konnte nicht erstellt werden. Der Datenträger ist voll."
std::string FileNotCreatedMessage(std::string_view fileName, int osError = 0);
/// "Datei <name> wurde erstellt."
std::string FileCreatedMessage(std::string_view fileName);

/// Shown instead when the QSO file could not be read completely (not every QSO of its data
/// file was reached): the file is not left behind.
std::string FileIncompleteMessage(std::string_view fileName);
/// Shown after a printout for which the QSO file could not be read completely.
std::string PrintIncompleteMessage();

/// Shown for a printed output when the program has no printer to offer.
std::string NoPrinterMessage();

/// Shown when the printer chosen in the print dialog does not start the job.
std::string PrintJobNotStartedMessage();

/// Shown when a started print job cannot be completed: nothing reached the printer, or the
/// PDF file is not whole.
std::string PrintJobNotFinishedMessage();

} // namespace tarvik
