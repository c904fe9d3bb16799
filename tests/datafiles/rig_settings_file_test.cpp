// The CAT settings file TARVIKCAT.INI: its exact text, lenient reading of damaged or older
// files, and a save that fails leaving the kept settings whole.

#include <gtest/gtest.h>

#include "datafiles/rig_settings_file.h"
#include "recordfile/memory_file_io.h"

namespace tarvik {
namespace {

const RigSetup kSerialRadio{.connection = {.kind = RigSettings::Kind::kDirect,
                                           .host = "shack-pc",
                                           .port = 4533,
                                           .model = 3073,
                                           .device = "/dev/ttyUSB0",
                                           .baud = 19200},
                            .on = true};

TEST(RigSettingsFile, TextAndRoundTrip) {
  EXPECT_EQ(FormatRigSetup(RigSetup{}), "[CAT]\r\n"
                                        "On=0\r\n"
                                        "Connection=rigctld\r\n"
                                        "Host=localhost\r\n"
                                        "Port=4532\r\n"
                                        "Model=1\r\n"
                                        "Device=\r\n"
                                        "Baud=0\r\n");
  EXPECT_EQ(ParseRigSetup(FormatRigSetup(kSerialRadio)), kSerialRadio);
  EXPECT_EQ(ParseRigSetup(FormatRigSetup(RigSetup{})), RigSetup{});
}

TEST(RigSettingsFile, DamagedValuesKeepTheirDefaults) {
  const RigSetup read = ParseRigSetup("; written by hand\n"
                                      "[CAT]\n"
                                      "  On = 1 \n"
                                      "Connection=serial\n" // unknown kind
                                      "Host=\r\n"           // empty host
                                      "Port=99999\r\n"
                                      "Model=-3\n"
                                      "Baud=fast\n"
                                      "Colour=red\n"
                                      "Device = /dev/ttyACM0 \r\n"
                                      "garbage without equals\n"
                                      "\x01\xff=\x80");
  RigSetup expected;
  expected.on = true;
  expected.connection.device = "/dev/ttyACM0";
  EXPECT_EQ(read, expected);
  EXPECT_EQ(ParseRigSetup(""), RigSetup{});
  RigSetup otherPort;
  otherPort.connection.port = 4533;
  EXPECT_EQ(ParseRigSetup("On=yes\nPort=4533"), otherPort);
}

TEST(RigSettingsFile, LoadAndSaveThroughTheFileAccess) {
  MemoryFileIo io;
  RigSetup setup = kSerialRadio;
  bool exists = true;
  // No file yet: no error, the defaults.
  ASSERT_TRUE(LoadRigSetup(io, "TARVIKCAT.INI", &setup, &exists).ok());
  EXPECT_FALSE(exists);
  EXPECT_EQ(setup, RigSetup{});

  ASSERT_TRUE(SaveRigSetup(io, "TARVIKCAT.INI", kSerialRadio).ok());
  EXPECT_EQ(io.FileContents("TARVIKCAT.INI"), FormatRigSetup(kSerialRadio));
  ASSERT_TRUE(LoadRigSetup(io, "TARVIKCAT.INI", &setup, &exists).ok());
  EXPECT_TRUE(exists);
  EXPECT_EQ(setup, kSerialRadio);

  // A failing write or sync keeps the old file whole and leaves no copy behind.
  RigSetup changed = kSerialRadio;
  changed.on = false;
  io.FailWritesAfter(0);
  EXPECT_EQ(SaveRigSetup(io, "TARVIKCAT.INI", changed).osError(), 5);
  io.FailWritesAfter(-1);
  io.FailSyncsAfter(0, 28);
  EXPECT_EQ(SaveRigSetup(io, "TARVIKCAT.INI", changed).osError(), 28);
  io.FailSyncsAfter(-1);
  EXPECT_EQ(io.FileContents("TARVIKCAT.INI"), FormatRigSetup(kSerialRadio));
  EXPECT_EQ(io.FileNames(), std::vector<std::string>{"TARVIKCAT.INI"});

  // A power loss after the save keeps the new settings.
  ASSERT_TRUE(SaveRigSetup(io, "TARVIKCAT.INI", changed).ok());
  io.Crash();
  ASSERT_TRUE(LoadRigSetup(io, "TARVIKCAT.INI", &setup).ok());
  EXPECT_EQ(setup, changed);

  // Something far too big to be a settings file is refused, not read.
  io.SetFile("BIG.INI", std::string(100000, 'x'));
  EXPECT_FALSE(LoadRigSetup(io, "BIG.INI", &setup).ok());
  EXPECT_EQ(setup, RigSetup{});
}

} // namespace
} // namespace tarvik
