// Talking to the radio: rigctld's protocol against Hamlib's dummy radio and against a
// scripted rigctld that answers with errors, half answers or not at all; interrupting a
// wait; host:port texts; Hamlib's library driving the dummy radio directly.

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

#include "radio/rig_connection.h"
#include "support/dummy_rig.h"

namespace tarvik {
namespace {

using test::DummyRig;

TEST(RigHostPort, ReadsHostAndPort) {
  struct Case {
    const char* text;
    bool ok;
    const char* host;
    int port;
  };
  const Case cases[] = {
      {"localhost:4532", true, "localhost", 4532},
      {"  radio.local:5000 ", true, "radio.local", 5000},
      {"192.168.1.20", true, "192.168.1.20", kRigctldDefaultPort},
      {"[::1]:4533", true, "::1", 4533},
      {"[::1]", true, "::1", kRigctldDefaultPort},
      {"::1", true, "::1", kRigctldDefaultPort},
      {"host:0", false, "", 0},
      {"host:65536", false, "", 0},
      {"host:45x", false, "", 0},
      {"host:", false, "", 0},
      {":4532", false, "", 0},
      {"", false, "", 0},
      {"[::1", false, "", 0},
      {"[::1]x", false, "", 0},
      {"my host:4532", false, "", 0},
  };
  for (const Case& c : cases) {
    std::string host = "unchanged";
    int port = -1;
    EXPECT_EQ(ParseHostPort(c.text, &host, &port), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(host, c.host) << c.text;
      EXPECT_EQ(port, c.port) << c.text;
    } else {
      EXPECT_EQ(host, "unchanged") << c.text;
    }
  }
}

/// A rigctld of one connection that answers each line it receives with the next reply of
/// its script ("<close>" hangs up instead).
class ScriptedRigctld {
public:
  explicit ScriptedRigctld(std::vector<std::string> replies) : replies_(std::move(replies)) {
    listen_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (bind(listen_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        listen(listen_, 1) == 0 &&
        getsockname(listen_, reinterpret_cast<sockaddr*>(&address), &size) == 0)
      port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~ScriptedRigctld() {
    thread_.join();
    close(listen_);
  }
  int port() const { return port_; }
  /// The lines the client sent.
  const std::vector<std::string>& Received() const { return received_; }

private:
  void Serve() {
    pollfd waiting{listen_, POLLIN, 0};
    if (poll(&waiting, 1, 20000) != 1)
      return;
    const int client = accept(listen_, nullptr, nullptr);
    std::string pending;
    std::size_t next = 0;
    char buffer[256];
    for (;;) {
      pollfd in{client, POLLIN, 0};
      if (poll(&in, 1, 20000) != 1)
        break;
      const ssize_t n = recv(client, buffer, sizeof buffer, 0);
      if (n <= 0)
        break;
      pending.append(buffer, static_cast<std::size_t>(n));
      std::size_t end;
      bool hungUp = false;
      while ((end = pending.find('\n')) != std::string::npos) {
        received_.push_back(pending.substr(0, end));
        pending.erase(0, end + 1);
        const std::string reply = next < replies_.size() ? replies_[next++] : "RPRT -1\n";
        if (reply == "<close>") {
          hungUp = true;
          break;
        }
        (void)!send(client, reply.data(), reply.size(), MSG_NOSIGNAL);
      }
      if (hungUp)
        break;
    }
    close(client);
  }

  std::vector<std::string> replies_;
  std::vector<std::string> received_;
  int listen_ = -1;
  int port_ = 0;
  std::thread thread_;
};

RigResult ReadFrom(int port, RigReading* reading, int answerTimeoutMs = 5000) {
  auto radio = MakeRigctldConnection("127.0.0.1", port, 5000, answerTimeoutMs);
  RigResult r = radio->Open();
  if (r.ok())
    r = radio->Read(reading);
  radio->Close();
  return r;
}

TEST(Rigctld, AnswersAreReadLineByLineUpToTheirReport) {
  RigReading reading;
  {
    // Extended answers; a second answer may arrive in one piece with the first.
    ScriptedRigctld rig({"get_freq:\nFrequency: 7050000.000000\nRPRT 0\n",
                         "get_mode:\r\nMode: CWR\r\nPassband: 500\r\nRPRT 0\r\n"});
    ASSERT_TRUE(ReadFrom(rig.port(), &reading).ok());
    EXPECT_EQ(reading, (RigReading{7050000.0, "CWR"}));
  }
  struct Failure {
    std::vector<std::string> replies;
    const char* reason;
  };
  const Failure failures[] = {
      {{"get_freq:\nRPRT -11\n"}, "rigctld reports error -11"},
      {{"get_freq:\nFrequency: abc\nRPRT 0\n"}, "no frequency in the answer of rigctld"},
      {{"get_freq:\nFrequency: -5\nRPRT 0\n"}, "no frequency in the answer of rigctld"},
      {{"get_freq:\nFrequency: 3550000\nRPRT 0\n", "get_mode:\nRPRT 0\n"},
       "no mode in the answer of rigctld"},
      {{"get_freq:\nFrequency: 3550000\nRPRT x\n"}, "unreadable answer of rigctld: RPRT x"},
      {{"get_freq:\nFreq"}, "no answer within 300 ms"},
      {{"<close>"}, "connection closed by rigctld"},
  };
  for (const Failure& f : failures) {
    ScriptedRigctld rig(f.replies);
    reading = {};
    const RigResult r = ReadFrom(rig.port(), &reading, 300);
    EXPECT_FALSE(r.ok()) << f.reason;
    EXPECT_EQ(r.reason(), f.reason);
    EXPECT_EQ(reading, RigReading{}) << "a failed read leaves the reading alone";
  }
}

TEST(Rigctld, RefusedSilentAndInterruptedRadios) {
  // Nobody on the port.
  auto refused = MakeRigctldConnection("127.0.0.1", test::FreeLoopbackPort());
  const RigResult r = refused->Open();
  EXPECT_FALSE(r.ok());
  EXPECT_EQ(r.reason(), "Connection refused");
  EXPECT_EQ(refused->Describe().substr(0, 18), "rigctld 127.0.0.1:");

  // A port that takes the connection and never answers: the answer's time runs out.
  test::SilentPort silent;
  auto quiet = MakeRigctldConnection("127.0.0.1", silent.port(), 5000, 200);
  ASSERT_TRUE(quiet->Open().ok());
  RigReading reading;
  const RigResult timedOut = quiet->Read(&reading);
  EXPECT_EQ(timedOut.reason(), "no answer within 200 ms");

  // Interrupt ends a wait at once (the answer would take a minute), and every later call.
  auto waiting = MakeRigctldConnection("127.0.0.1", silent.port(), 60000, 60000);
  ASSERT_TRUE(waiting->Open().ok());
  std::string reason;
  std::thread reader([&] {
    RigReading never;
    reason = waiting->Read(&never).reason();
  });
  waiting->Interrupt();
  reader.join();
  EXPECT_EQ(reason, "interrupted");
  waiting->Close();
  EXPECT_EQ(waiting->Open().reason(), "interrupted");
  EXPECT_EQ(waiting->Read(&reading).reason(), "not connected");
}

class DummyRadio : public ::testing::Test {
protected:
  void SetUp() override {
    if (const std::string missing = DummyRig::MissingReason(); !missing.empty())
      GTEST_SKIP() << missing;
    ASSERT_TRUE(rig_.Start());
  }
  DummyRig rig_;
};

TEST_F(DummyRadio, RigctldAndTheLibraryReadWhatTheRadioIsSetTo) {
  RigSettings settings;
  settings.host = "127.0.0.1";
  settings.port = rig_.port();
  auto radio = MakeRigConnection(settings);
  ASSERT_TRUE(radio->Open().ok());
  RigReading reading;
  ASSERT_TRUE(rig_.Tune(7050000, "CW"));
  ASSERT_TRUE(radio->Read(&reading).ok());
  EXPECT_EQ(reading, (RigReading{7050000, "CW"}));
  ASSERT_TRUE(rig_.Tune(14074000, "PKTUSB"));
  ASSERT_TRUE(radio->Read(&reading).ok());
  EXPECT_EQ(reading, (RigReading{14074000, "PKTUSB"}));
  radio->Close();

  // Hamlib's network model reaches the same rigctld through the library.
  auto library = MakeRigConnection({.kind = RigSettings::Kind::kDirect,
                                    .model = 2,
                                    .device = "127.0.0.1:" + std::to_string(rig_.port())});
  ASSERT_TRUE(library->Open().ok());
  ASSERT_TRUE(library->Read(&reading).ok());
  EXPECT_EQ(reading, (RigReading{14074000, "PKTUSB"}));
  library->Close();
}

TEST(HamlibLibrary, DrivesTheDummyRadioAndRefusesUnknownModels) {
  auto dummy = MakeHamlibConnection(1, "", 0);
  EXPECT_EQ(dummy->Describe(), "Hamlib model 1");
  ASSERT_TRUE(dummy->Open().ok());
  RigReading reading;
  ASSERT_TRUE(dummy->Read(&reading).ok());
  EXPECT_GT(reading.hz, 0);
  EXPECT_FALSE(reading.mode.empty());
  dummy->Close();
  dummy->Close(); // a closed connection is left alone

  auto unknown = MakeHamlibConnection(987654, "/dev/ttyUSB7", 9600);
  EXPECT_EQ(unknown->Describe(), "Hamlib model 987654 on /dev/ttyUSB7 at 9600 Bd");
  const RigResult r = unknown->Open();
  EXPECT_EQ(r.reason(), "Hamlib knows no radio model 987654");
  EXPECT_EQ(unknown->Read(&reading).reason(), "not connected");

  const std::vector<RigModel> models = RigModels();
  ASSERT_FALSE(models.empty());
  EXPECT_EQ(models.front().number, 1);
  EXPECT_NE(models.front().name.find("Dummy"), std::string::npos);
}

} // namespace
} // namespace tarvik
