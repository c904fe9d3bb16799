#pragma once
// Radios for the rig-control tests: Hamlib's dummy radio served by a rigctld process on a
// free loopback port, and a port that accepts connections and never answers.

#include <sys/types.h>

#include <string>

namespace tarvik::test {

/// A free TCP port on 127.0.0.1 (bound and released again).
int FreeLoopbackPort();

/// `rigctld -m 1` (Hamlib's dummy radio) on 127.0.0.1:port, ended with the object.
class DummyRig {
public:
  /// Why the tests with a dummy radio cannot run ("" when rigctld is installed).
  static std::string MissingReason();

  /// Remembers the port (0: a free one); Start() runs the radio.
  explicit DummyRig(int port = 0);
  ~DummyRig();
  DummyRig(const DummyRig&) = delete;
  DummyRig& operator=(const DummyRig&) = delete;

  /// Starts rigctld and waits until it takes connections; false when it did not come up.
  bool Start();
  /// Ends rigctld (the port refuses connections afterwards).
  void Stop();
  int port() const { return port_; }

  /// Sends one rigctld command ("F 7050000", "M CW 500") on a connection of its own; true
  /// when rigctld reports success.
  bool Command(const std::string& command);
  /// Sets frequency (Hz) and mode (Hamlib's name) of the dummy radio.
  bool Tune(long long hz, const std::string& mode);

private:
  int port_;
  pid_t pid_ = -1;
};

/// A loopback port that accepts connections (the kernel completes them) and never says a
/// word: a radio that has gone silent.
class SilentPort {
public:
  SilentPort();
  ~SilentPort();
  SilentPort(const SilentPort&) = delete;
  SilentPort& operator=(const SilentPort&) = delete;
  int port() const { return port_; }

private:
  int fd_ = -1;
  int port_ = 0;
};

} // namespace tarvik::test
