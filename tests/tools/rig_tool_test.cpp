// tarvik-tool rig: run as a program against Hamlib's dummy radio, it prints the radio's
// frequency and mode with the band and mode a contest's log would take; a radio that is
// not there and wrong arguments give their exit codes.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/dummy_rig.h"
#include "support/run_command.h"

namespace tarvik::test {
namespace {

TEST(RigTool, PrintsTheRadioAndWhatTheLogWouldTake) {
  if (const std::string missing = DummyRig::MissingReason(); !missing.empty())
    GTEST_SKIP() << missing;
  DummyRig rig;
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.Tune(7050000, "CW"));
  const std::string at = "--rigctld 127.0.0.1:" + std::to_string(rig.port());
  RunResult r = RunTool("rig " + at + " --contest 5");
  EXPECT_EQ(r.exitCode, 0) << r.output;
  EXPECT_EQ(r.output, "radio:     rigctld 127.0.0.1:" + std::to_string(rig.port()) +
                          "\n"
                          "frequency: 7050000 Hz (7.05000 MHz)\n"
                          "mode:      CW\n"
                          "contest 5: bands 80 m, 40 m, 20 m, 15 m, 10 m, 2 m, 70 cm\n"
                          "log band:  40 m\n"
                          "log mode:  CW\n");
  // The default contest (code 2) has 2 m only; RTTY has no mode there.
  ASSERT_TRUE(rig.Tune(14080000, "RTTY"));
  r = RunTool("rig " + at);
  EXPECT_EQ(r.exitCode, 0) << r.output;
  EXPECT_NE(r.output.find("contest 2: bands 2 m\n"), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("log band:  stays (20 m is not in this contest)\n"), std::string::npos)
      << r.output;
  EXPECT_NE(r.output.find("log mode:  stays (RTTY stands for no mode of this contest)\n"),
            std::string::npos)
      << r.output;
  r = RunTool("rig " + at + " --contest 5");
  EXPECT_NE(r.output.find("log mode:  DIGITAL (RTTY)\n"), std::string::npos) << r.output;

  // Hamlib's library reaches the same radio through its network model.
  r = RunTool("rig --model 2 --port 127.0.0.1:" + std::to_string(rig.port()) + " --contest 5");
  EXPECT_EQ(r.exitCode, 0) << r.output;
  EXPECT_NE(r.output.find("frequency: 14080000 Hz (14.08000 MHz)\n"), std::string::npos)
      << r.output;
  EXPECT_NE(r.output.find("log band:  20 m\n"), std::string::npos) << r.output;
}

TEST(RigTool, NoRadioAndWrongArguments) {
  RunResult r = RunTool("rig --rigctld 127.0.0.1:" + std::to_string(FreeLoopbackPort()));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.output.find("tarvik-tool rig: no answer from the radio: Connection refused"),
            std::string::npos)
      << r.output;
  for (const char* args :
       {"rig --rigctld host:0", "rig --contest W", "rig --contest 22",
        "rig --rigctld localhost --model 1", "rig --baud", "rig --speed 9600", "rig --model x"}) {
    r = RunTool(args);
    EXPECT_EQ(r.exitCode, 2) << args << "\n" << r.output;
  }
  r = RunTool("help");
  EXPECT_NE(r.output.find("rig [--rigctld HOST:PORT | --model N [--port DEVICE] [--baud B]]"),
            std::string::npos);
}

} // namespace
} // namespace tarvik::test
