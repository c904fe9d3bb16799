#include "logging/rig_tool.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "base/tool_dialogs.h"
#include "contest/contest_catalog.h"
#include "radio/bands.h"
#include "radio/rig_connection.h"
#include "radio/rig_modes.h"

namespace tarvik {

namespace {

struct Arguments {
  RigSettings settings;
  char contestCode = '2';
  int category = 0;
};

bool ReadNumber(const std::string& text, int low, int high, int* value) {
  int parsed = 0;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (text.empty() || ec != std::errc() || ptr != text.data() + text.size() || parsed < low ||
      parsed > high)
    return false;
  *value = parsed;
  return true;
}

bool Parse(const std::vector<std::string>& args, Arguments* a, std::ostream& err) {
  bool rigctld = false;
  bool direct = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (i + 1 >= args.size()) {
      err << "tarvik-tool rig: '" << arg << "' needs a value\n";
      return false;
    }
    const std::string& value = args[++i];
    bool good = true;
    if (arg == "--rigctld") {
      rigctld = true;
      good = ParseHostPort(value, &a->settings.host, &a->settings.port);
    } else if (arg == "--model") {
      direct = true;
      good = ReadNumber(value, 1, 999999, &a->settings.model);
    } else if (arg == "--port") {
      direct = true;
      a->settings.device = value;
    } else if (arg == "--baud") {
      direct = true;
      good = ReadNumber(value, 1, 10000000, &a->settings.baud);
    } else if (arg == "--contest") {
      good = value.size() == 1 && HasContestDefinition(value[0]);
      a->contestCode = value.empty() ? '\0' : value[0];
    } else if (arg == "--category") {
      good = ReadNumber(value, 0, 255, &a->category);
    } else {
      err << "tarvik-tool rig: unexpected argument '" << arg << "'\n";
      return false;
    }
    if (!good) {
      err << "tarvik-tool rig: '" << value << "' is no valid value of " << arg << "\n";
      return false;
    }
  }
  if (rigctld && direct) {
    err << "tarvik-tool rig: --rigctld or --model/--port/--baud, not both\n";
    return false;
  }
  a->settings.kind = direct ? RigSettings::Kind::kDirect : RigSettings::Kind::kRigctld;
  return true;
}

std::string BandList(std::string_view bands) {
  std::string list;
  for (char band : bands)
    if (IsBandLetter(band))
      list += (list.empty() ? "" : ", ") + BandName(band);
  return list;
}

} // namespace

const char* RigToolUsage() {
  return "  rig [--rigctld HOST:PORT | --model N [--port DEVICE] [--baud B]]\n"
         "      [--contest CODE] [--category N]\n"
         "                        asks the radio for frequency and mode (rigctld on\n"
         "                        localhost:4532 unless told otherwise) and prints the band\n"
         "                        and mode a log of contest CODE (default 2) would take\n"
         "                        e.g. tarvik-tool rig --contest G --category 4\n";
}

int RunRigToolCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty() || args[0] != "rig")
    return -1;
  Arguments a;
  if (!Parse(args, &a, err))
    return 2;
  const std::unique_ptr<RigConnection> radio = MakeRigConnection(a.settings);
  out << "radio:     " << radio->Describe() << "\n";
  RigReading reading;
  RigResult result = radio->Open();
  if (result.ok())
    result = radio->Read(&reading);
  radio->Close();
  if (!result.ok()) {
    err << "tarvik-tool rig: no answer from the radio: " << result.reason() << "\n";
    return 1;
  }
  const double mhz = reading.hz / 1e6;
  char megahertz[32];
  std::snprintf(megahertz, sizeof megahertz, "%.5f", mhz);
  out << "frequency: " << std::llround(reading.hz) << " Hz (" << megahertz << " MHz)\n";
  out << "mode:      " << reading.mode << "\n";

  ToolDialogs dialogs(err);
  ContestHeaderFields fields;
  fields.category = static_cast<std::uint8_t>(a.category);
  const ContestDefinition def = BuildContestDefinition(a.contestCode, fields, "", dialogs);
  out << "contest " << a.contestCode << ": bands " << BandList(def.Bands) << "\n";
  const char radioBand = BandFromFrequency(mhz);
  const char band = ContestBandOfFrequency(mhz, def.Bands);
  if (band != '\0')
    out << "log band:  " << BandName(band) << "\n";
  else if (IsBandLetter(radioBand))
    out << "log band:  stays (" << BandName(radioBand) << " is not in this contest)\n";
  else
    out << "log band:  stays (the frequency lies outside every band)\n";
  const RigModeChoice mode = ContestModeOfRigMode(reading.mode, def.Modes);
  if (mode.listEntry.empty())
    out << "log mode:  stays (" << reading.mode << " stands for no mode of this contest)\n";
  else if (!mode.freeText.empty())
    out << "log mode:  " << mode.listEntry << " (" << mode.freeText << ")\n";
  else
    out << "log mode:  " << mode.listEntry << "\n";
  return 0;
}

} // namespace tarvik
