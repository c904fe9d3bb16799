// The connection to a running rigctld over TCP. rigctld answers its extended protocol
// ("+\get_freq") with the command, "Key: value" lines and a closing "RPRT n" line (0: ok),
// so every answer has a clear end. The socket is non-blocking and every wait goes through
// poll() with a deadline and a wake-up descriptor, so that a silent radio costs at most the
// timeout and Interrupt() ends a wait at once.

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "radio/rig_connection.h"

namespace tarvik {

namespace {

using SteadyClock = std::chrono::steady_clock;

// An answer longer than this is no rigctld answer.
constexpr std::size_t kMaxAnswer = 64 * 1024;

std::string ErrnoText(int error) {
  return std::strerror(error);
}

/// The value of the line "Key: value" among `lines`, or "" when there is none.
std::string ValueOf(const std::vector<std::string>& lines, std::string_view key) {
  for (const std::string& line : lines)
    if (line.size() > key.size() && line.compare(0, key.size(), key) == 0 &&
        line[key.size()] == ':') {
      std::size_t start = key.size() + 1;
      while (start < line.size() && (line[start] == ' ' || line[start] == '\t'))
        ++start;
      std::size_t end = line.size();
      while (end > start && (line[end - 1] == ' ' || line[end - 1] == '\r'))
        --end;
      return line.substr(start, end - start);
    }
  return std::string();
}

class RigctldConnection final : public RigConnection {
public:
  RigctldConnection(std::string host, int port, int connectTimeoutMs, int answerTimeoutMs)
      : host_(std::move(host)), port_(port), connectTimeoutMs_(connectTimeoutMs),
        answerTimeoutMs_(answerTimeoutMs), wake_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

  ~RigctldConnection() override {
    Close();
    if (wake_ >= 0)
      ::close(wake_);
  }

  RigResult Open() override {
    if (interrupted_)
      return RigResult::Failed("interrupted");
    if (wake_ < 0)
      return RigResult::Failed("no wake-up descriptor: " + ErrnoText(errno));
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port_);
    if (const int rc = getaddrinfo(host_.c_str(), service.c_str(), &hints, &found); rc != 0)
      return RigResult::Failed(host_ + ": " + gai_strerror(rc));
    const SteadyClock::time_point deadline =
        SteadyClock::now() + std::chrono::milliseconds(connectTimeoutMs_);
    RigResult result = RigResult::Failed("no address");
    for (const addrinfo* a = found; a != nullptr; a = a->ai_next) {
      result = Connect(*a, deadline);
      if (result.ok() || interrupted_)
        break;
    }
    freeaddrinfo(found);
    return result;
  }

  RigResult Read(RigReading* reading) override {
    std::vector<std::string> lines;
    if (RigResult r = Ask("+\\get_freq\n", &lines); !r.ok())
      return r;
    const std::string frequency = ValueOf(lines, "Frequency");
    double hz = 0;
    const auto [end, ec] =
        std::from_chars(frequency.data(), frequency.data() + frequency.size(), hz);
    if (frequency.empty() || ec != std::errc() || !std::isfinite(hz) || hz <= 0)
      return RigResult::Failed("no frequency in the answer of rigctld");
    (void)end;
    if (RigResult r = Ask("+\\get_mode\n", &lines); !r.ok())
      return r;
    const std::string mode = ValueOf(lines, "Mode");
    if (mode.empty())
      return RigResult::Failed("no mode in the answer of rigctld");
    reading->hz = hz;
    reading->mode = mode;
    return RigResult::Ok();
  }

  void Close() override {
    if (fd_ >= 0)
      ::close(fd_);
    fd_ = -1;
    pending_.clear();
  }

  void Interrupt() override {
    interrupted_ = true;
    if (wake_ >= 0) {
      const std::uint64_t one = 1;
      // The counter only grows: the descriptor stays readable for every later wait.
      (void)!::write(wake_, &one, sizeof one);
    }
  }

  std::string Describe() const override { return "rigctld " + host_ + ":" + std::to_string(port_); }

private:
  enum class Wait { kReady, kTimeout, kInterrupted, kFailed };

  /// Waits until the socket is ready for `events`, the deadline passes or Interrupt() is
  /// called.
  Wait WaitFor(short events, SteadyClock::time_point deadline) {
    for (;;) {
      if (interrupted_)
        return Wait::kInterrupted;
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now());
      if (left.count() <= 0)
        return Wait::kTimeout;
      pollfd fds[2] = {{fd_, events, 0}, {wake_, POLLIN, 0}};
      const int n = ::poll(fds, 2, static_cast<int>(left.count()));
      if (n < 0 && errno == EINTR)
        continue;
      if (n < 0)
        return Wait::kFailed;
      if (fds[1].revents != 0 || interrupted_)
        return Wait::kInterrupted;
      if (fds[0].revents != 0)
        return Wait::kReady;
    }
  }

  RigResult WaitFailure(Wait wait, int timeoutMs) const {
    if (wait == Wait::kInterrupted)
      return RigResult::Failed("interrupted");
    if (wait == Wait::kTimeout)
      return RigResult::Failed("no answer within " + std::to_string(timeoutMs) + " ms");
    return RigResult::Failed(ErrnoText(errno));
  }

  RigResult Connect(const addrinfo& address, SteadyClock::time_point deadline) {
    fd_ = ::socket(address.ai_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC,
                   address.ai_protocol);
    if (fd_ < 0)
      return RigResult::Failed(ErrnoText(errno));
    if (::connect(fd_, address.ai_addr, address.ai_addrlen) != 0) {
      if (errno != EINPROGRESS) {
        const int error = errno;
        Close();
        return RigResult::Failed(ErrnoText(error));
      }
      const Wait wait = WaitFor(POLLOUT, deadline);
      if (wait != Wait::kReady) {
        RigResult failure = wait == Wait::kTimeout
                                ? RigResult::Failed("no connection within " +
                                                    std::to_string(connectTimeoutMs_) + " ms")
                                : WaitFailure(wait, connectTimeoutMs_);
        Close();
        return failure;
      }
      int error = 0;
      socklen_t size = sizeof error;
      if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &size) != 0)
        error = errno;
      if (error != 0) {
        Close();
        return RigResult::Failed(ErrnoText(error));
      }
    }
    const int on = 1;
    // Short questions answered at once: no waiting for more bytes to send.
    (void)::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return RigResult::Ok();
  }

  /// Sends `command` and collects the lines of its answer up to and including "RPRT n".
  RigResult Ask(std::string_view command, std::vector<std::string>* lines) {
    lines->clear();
    if (fd_ < 0)
      return RigResult::Failed("not connected");
    const SteadyClock::time_point deadline =
        SteadyClock::now() + std::chrono::milliseconds(answerTimeoutMs_);
    std::size_t sent = 0;
    while (sent < command.size()) {
      const ssize_t n = ::send(fd_, command.data() + sent, command.size() - sent, MSG_NOSIGNAL);
      if (n >= 0) {
        sent += static_cast<std::size_t>(n);
        continue;
      }
      if (errno == EINTR)
        continue;
      if (errno != EAGAIN && errno != EWOULDBLOCK)
        return RigResult::Failed(ErrnoText(errno));
      if (const Wait wait = WaitFor(POLLOUT, deadline); wait != Wait::kReady)
        return WaitFailure(wait, answerTimeoutMs_);
    }
    for (;;) {
      // Complete lines first: an answer may have arrived with the one before.
      std::size_t start = 0;
      for (std::size_t end; (end = pending_.find('\n', start)) != std::string::npos;
           start = end + 1) {
        std::string line = pending_.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
          line.pop_back();
        const bool last = line.rfind("RPRT ", 0) == 0;
        lines->push_back(std::move(line));
        if (last) {
          pending_.erase(0, end + 1);
          int code = 0;
          const std::string& report = lines->back();
          const auto [ptr, ec] =
              std::from_chars(report.data() + 5, report.data() + report.size(), code);
          (void)ptr;
          if (ec != std::errc())
            return RigResult::Failed("unreadable answer of rigctld: " + report);
          if (code != 0)
            return RigResult::Failed("rigctld reports error " + std::to_string(code));
          return RigResult::Ok();
        }
      }
      pending_.erase(0, start);
      if (pending_.size() > kMaxAnswer)
        return RigResult::Failed("answer of rigctld too long");
      if (const Wait wait = WaitFor(POLLIN, deadline); wait != Wait::kReady)
        return WaitFailure(wait, answerTimeoutMs_);
      char buffer[1024];
      const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
      if (n == 0)
        return RigResult::Failed("connection closed by rigctld");
      if (n < 0) {
        if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)
          continue;
        return RigResult::Failed(ErrnoText(errno));
      }
      pending_.append(buffer, static_cast<std::size_t>(n));
    }
  }

  std::string host_;
  int port_;
  int connectTimeoutMs_;
  int answerTimeoutMs_;
  int fd_ = -1;
  int wake_ = -1;
  std::atomic<bool> interrupted_{false};
  std::string pending_; // bytes received after the last complete answer
};

bool ParsePort(std::string_view text, int* port) {
  int value = 0;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || ptr != text.data() + text.size() || value < 1 ||
      value > 65535)
    return false;
  *port = value;
  return true;
}

} // namespace

std::unique_ptr<RigConnection> MakeRigctldConnection(std::string host, int port,
                                                     int connectTimeoutMs, int answerTimeoutMs) {
  return std::make_unique<RigctldConnection>(std::move(host), port, connectTimeoutMs,
                                             answerTimeoutMs);
}

std::unique_ptr<RigConnection> MakeRigConnection(const RigSettings& settings) {
  if (settings.kind == RigSettings::Kind::kDirect)
    return MakeHamlibConnection(settings.model, settings.device, settings.baud);
  return MakeRigctldConnection(settings.host, settings.port);
}

bool ParseHostPort(std::string_view text, std::string* host, int* port) {
  while (!text.empty() && text.front() == ' ')
    text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ')
    text.remove_suffix(1);
  int parsedPort = kRigctldDefaultPort;
  std::string_view name = text;
  if (!text.empty() && text.front() == '[') {
    // "[::1]:4532" or "[::1]"
    const std::size_t close = text.find(']');
    if (close == std::string_view::npos)
      return false;
    name = text.substr(1, close - 1);
    const std::string_view rest = text.substr(close + 1);
    if (!rest.empty() && (rest.front() != ':' || !ParsePort(rest.substr(1), &parsedPort)))
      return false;
  } else if (const std::size_t colon = text.rfind(':');
             colon != std::string_view::npos && text.find(':') == colon) {
    name = text.substr(0, colon);
    if (!ParsePort(text.substr(colon + 1), &parsedPort))
      return false;
  }
  // A bare address with several colons is an IPv6 address on the default port.
  if (name.empty() || name.find_first_of(" \t") != std::string_view::npos)
    return false;
  *host = std::string(name);
  *port = parsedPort;
  return true;
}

} // namespace tarvik
