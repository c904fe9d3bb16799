// The ADIF export and the ADIF import agree: a log exported as ADIF (with and without "nur
// RS(T)") and imported into an empty contest of the same code and category gives the same
// log again, for every contest of the catalog over each of its modes and bands, listener
// logs included.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "contest/contest_catalog.h"
#include "logging/adif_import.h"
#include "logging/session_fixture.h"
#include "outputs/adif_export.h"
#include "radio/bands.h"
#include "support/temp_dir.h"

namespace tarvik::test {
namespace {

class AdifRoundTripTest : public SessionTest {
protected:
  AdifImportResult Import(const std::string& text) {
    const std::string path = dir_.file("round.adi");
    WriteFileBytes(path, text);
    const AdifAssignment assignment(AdifLogFields(S().Definition(), S().ContestCode()));
    return ImportAdifFile(S(), path, assignment, false);
  }
};

// A value of an exchange element of `kind` that the entry takes.
std::string SampleValue(int kind, int serial) {
  switch (kind) {
  case exchange::kDok:
    return serial % 2 == 0 ? "F01" : "Z30";
  case exchange::kLocator4:
    return serial % 2 == 0 ? "JO40" : "JN58";
  case exchange::kLocator:
    return serial % 2 == 0 ? "JO40AB" : "JO22AA";
  case exchange::kQsoNumber:
  case exchange::kModeNumber:
  case exchange::kBandSerial:
    return std::to_string(serial);
  case exchange::kArea:
    return "TA";
  case exchange::kUsState:
    return "CT";
  case exchange::kPostcode:
    return "12345";
  case exchange::kMember:
    return "1234";
  case exchange::kLdk:
    return "HAM";
  case exchange::kMember19:
    return "4711";
  default:
    return serial % 3 == 0 ? "NM" : std::to_string(20 + serial);
  }
}

// What a QSO of the log is, field by field, for the comparison.
std::string Describe(const QsoRecord& q) {
  return q.Call() + "|" + q.Call2() + "|" + std::to_string(q.Datum()) + "|" +
         std::to_string(q.Zeit()) + "|" + q.Mode() + "|" + std::string(1, q.Band()) + "|" +
         std::to_string(q.Freq()) + "|" + q.RSTs() + "|" + q.RSTr() + "|" + q.FullDok() + "|" +
         q.Locator() + "|" + std::to_string(q.QRB()) + "|" + q.Kenner() + "|" + q.Prefix() + "|" +
         std::to_string(q.Punkte()) + "|" + q.MultMark1() + "|" + q.MultMark2() + "|" +
         q.NameQTH() + "|" + std::to_string(q.QSONr()) + "|" + std::to_string(q.BandSerial());
}

TEST_F(AdifRoundTripTest, ExportImportsAgainToTheSameLog) {
  const char* calls[] = {"DL1ABC", "DK2BB", "PA3XY", "DL4CC", "OK1AB", "DF5DD", "DL6EE",
                         "DJ7FF",  "F5ABC", "DL8GG", "SM5AB", "DO9HH", "OH2AB", "LA1AB"};
  std::set<std::string> modesCovered;
  std::set<char> bandsCovered;
  int contestNumber = 0;
  for (char code : kCatalogCodes) {
    if (!HasContestDefinition(code))
      continue;
    // Category 0 and every category that changes what is logged.
    std::vector<std::string> tested;
    for (int category = 0; category <= 20; ++category) {
      ContestHeaderFields fields;
      fields.category = static_cast<std::uint8_t>(category);
      const ContestDefinition def =
          BuildContestDefinition(code, fields, "JO31MX", dialogs_, clock_);
      if (category > static_cast<int>(def.Categories.size()))
        break;
      std::string shape = def.Bands + "|" + std::to_string(def.ListenerLog);
      for (const std::string& mode : def.Modes)
        shape += mode + ",";
      for (int n = 1; n <= 3; ++n)
        shape += std::to_string(def.RcvdExchange(n)) + "," + std::to_string(def.SentExchange(n));
      if (std::find(tested.begin(), tested.end(), shape) != tested.end())
        continue;
      tested.push_back(shape);

      // A file with one QSO on each band and in each mode.
      std::vector<std::pair<char, std::string>> qsos;
      for (char band : def.Bands)
        qsos.emplace_back(band, def.Modes.empty() ? std::string("CW") : def.Modes.front());
      for (const std::string& mode : def.Modes)
        qsos.emplace_back(def.Bands.empty() ? 'k' : def.Bands.front(), mode);
      std::string file = "<EOH>\n";
      int serial = 0;
      for (const auto& [band, offered] : qsos) {
        ++serial;
        const std::string mode = offered == "DIGITAL" ? "RTTY" : offered;
        std::string exchange;
        for (int n = 1; n <= 3; ++n)
          if (def.RcvdExchange(n) != exchange::kNone || n == 1)
            exchange += (n > 1 ? "/" : "") + SampleValue(def.RcvdExchange(n), serial);
        // In listener logs the worked station's report and exchange.
        std::string worked = "579";
        for (int n = 1; n <= 3; ++n)
          if (def.SentExchange(n) != exchange::kNone || n == 1)
            worked += (n > 1 ? "/" : "") + SampleValue(def.SentExchange(n), serial + 1);
        const std::string call = calls[serial % 14];
        const std::string time = (serial < 10 ? "100" : "10") + std::to_string(serial);
        file += "<CALL:" + std::to_string(call.size()) + ">" + call +
                " <QSO_DATE:8>20260314 <TIME_ON:4>" + time +
                " <BAND:" + std::to_string(BandName(band, true).size()) + ">" +
                BandName(band, true) + " <MODE:" + std::to_string(mode.size()) + ">" + mode +
                " <SRX:" + std::to_string(exchange.size()) + ">" + exchange + " <NAME:4>HANS" +
                (def.ListenerLog
                     ? " <CALL_WKD:5>DK9ZZ <RST_WKD:" + std::to_string(worked.size()) + ">" + worked
                     : std::string()) +
                " <EOR>\n";
      }
      for (bool rstOnly : {true, false}) {
        // The whole reports once per code and for listener logs: they differ only there.
        if (!rstOnly && category > 0 && def.ListenerLog == 0)
          continue;
        SCOPED_TRACE(std::string("code ") + code + " category " + std::to_string(category) +
                     (rstOnly ? " RS(T) only" : " whole reports"));
        Open({.code = code, .category = category, .contestNumber = ++contestNumber});
        const AdifImportResult first = Import(file);
        const std::vector<std::string> original = Stored();
        const std::int64_t score = S().Log().Score();
        // Nothing the entry would take is lost on the way in.
        EXPECT_EQ(first.counts.imported, static_cast<int>(qsos.size()))
            << (first.refusals.empty() ? "" : AdifRefusalLine(first.refusals.front()));

        AdifRecordStyle style;
        style.contestCode = code;
        style.listener = def.ListenerLog != 0;
        style.rstOnly = code == 'A' || rstOnly;
        style.dokTag = AdifDokTag(S().Definition());
        std::string exported = "ADIF export\r\n<EOH>\r\n";
        for (const std::string& bytes : original) {
          const QsoRecord q(static_cast<const char*>(bytes.data()));
          exported += "     " + AdifRecord(q, style) + "\r\n";
          modesCovered.insert(q.Mode());
          bandsCovered.insert(q.Band());
        }

        Open({.code = code, .category = category, .contestNumber = ++contestNumber});
        const AdifImportResult again = Import(exported);
        EXPECT_TRUE(again.refusals.empty()) << AdifRefusalLine(again.refusals.front());
        const std::vector<std::string> copy = Stored();
        ASSERT_EQ(copy.size(), original.size());
        for (std::size_t i = 0; i < copy.size(); ++i)
          EXPECT_EQ(Describe(QsoRecord(static_cast<const char*>(copy[i].data()))),
                    Describe(QsoRecord(static_cast<const char*>(original[i].data()))));
        EXPECT_EQ(S().Log().Score(), score);
      }
    }
  }
  // Every mode and every band of the catalog went through.
  for (const std::string mode : {"SSB", "CW", "FM", "PR", "RTTY", "FSK441"})
    EXPECT_TRUE(modesCovered.count(mode)) << mode;
  for (char band : std::string("abcegijklmnopqs"))
    EXPECT_TRUE(bandsCovered.count(band)) << band;
}

} // namespace
} // namespace tarvik::test
