#pragma once
// The radio as the log sees it: a connection that is opened, asked for the frequency and the
// mode, and closed. Two kinds stand behind it: a running rigctld (Hamlib's radio daemon)
// reached over TCP, or Hamlib's library driving the radio on a serial port itself. The
// poller, the log window and the tests work on this interface and do not care which.
//
// Every call that talks to the radio is bounded by a timeout, so that a radio that does not
// answer costs the calling thread at most that long; Interrupt() cuts a rigctld call short
// at once (the library's own timeouts bound its calls).

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvik {

/// How the radio is reached.
struct RigSettings {
  enum class Kind { kRigctld, kDirect };
  Kind kind = Kind::kRigctld;
  // rigctld over TCP.
  std::string host = "localhost";
  int port = 4532;
  // Hamlib directly: rig model number (1 is Hamlib's dummy radio), serial port, baud rate
  // (0: the model's default).
  int model = 1;
  std::string device;
  int baud = 0;
  friend bool operator==(const RigSettings&, const RigSettings&) = default;
};

/// The default port of rigctld.
inline constexpr int kRigctldDefaultPort = 4532;

/// What the radio said: its frequency in Hz and its mode as Hamlib names it ("USB", "CW",
/// "PKTUSB" ...).
struct RigReading {
  double hz = 0;
  std::string mode;
  friend bool operator==(const RigReading&, const RigReading&) = default;
};

/// The outcome of a call to the radio: ok, or why it failed (a short English text for the
/// panel's tooltip and the tool: "connection refused", "no answer within 1000 ms").
class [[nodiscard]] RigResult {
public:
  static RigResult Ok() { return RigResult(); }
  static RigResult Failed(std::string reason) { return RigResult(std::move(reason)); }
  bool ok() const { return !failed_; }
  const std::string& reason() const { return reason_; }

private:
  RigResult() = default;
  explicit RigResult(std::string reason) : failed_(true), reason_(std::move(reason)) {}
  bool failed_ = false;
  std::string reason_;
};

class RigConnection {
public:
  virtual ~RigConnection() = default;

  /// Opens the connection. REQUIRES: not open. On failure the connection stays closed.
  virtual RigResult Open() = 0;
  /// Asks the radio for its frequency and mode. REQUIRES: open. A failure leaves the
  /// connection unusable until Close() and Open().
  virtual RigResult Read(RigReading* reading) = 0;
  /// Closes the connection; a closed connection is left alone.
  virtual void Close() = 0;
  /// Makes a call running on another thread return soon, and every later Open() and Read()
  /// fail at once. Thread-safe; may be called at any time, also before the call starts.
  virtual void Interrupt() = 0;
  /// What is connected: "rigctld localhost:4532", "Hamlib model 1".
  virtual std::string Describe() const = 0;
};

/// The connection `settings` describe (not yet opened).
std::unique_ptr<RigConnection> MakeRigConnection(const RigSettings& settings);

/// The connection to a rigctld at host:port. The timeouts bound connecting and each answer.
std::unique_ptr<RigConnection> MakeRigctldConnection(std::string host, int port,
                                                     int connectTimeoutMs = 1500,
                                                     int answerTimeoutMs = 1000);

/// The connection through Hamlib's library: `model`, serial `device` ("" keeps the model's
/// default), `baud` (0 keeps the model's default).
std::unique_ptr<RigConnection> MakeHamlibConnection(int model, std::string device, int baud);

/// A radio model Hamlib knows: its number and "maker model" ("Icom IC-7300").
struct RigModel {
  int number = 0;
  std::string name;
};

/// Every radio model of the Hamlib library, by number.
std::vector<RigModel> RigModels();

/// "HOST:PORT", "HOST" (the default port) or "[V6ADDRESS]:PORT" read into host and port;
/// false for a malformed text or a port outside 1..65535.
[[nodiscard]] bool ParseHostPort(std::string_view text, std::string* host, int* port);

} // namespace tarvik
