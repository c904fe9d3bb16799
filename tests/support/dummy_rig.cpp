#include "support/dummy_rig.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace tarvik::test {

namespace {

constexpr const char* kRigctld = "rigctld";

std::string FindProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string dirs = path != nullptr ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= dirs.size()) {
    const std::size_t end = dirs.find(':', start);
    const std::string dir = dirs.substr(start, end == std::string::npos ? end : end - start);
    const std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0)
      return candidate;
    if (end == std::string::npos)
      break;
    start = end + 1;
  }
  return std::string();
}

sockaddr_in Loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

/// A blocking connection to 127.0.0.1:port with 5-second send and receive limits, or -1.
int ConnectTo(int port) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0)
    return -1;
  timeval limit{5, 0};
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
  setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
  const sockaddr_in address = Loopback(port);
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

} // namespace

int FreeLoopbackPort() {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address = Loopback(0);
  socklen_t size = sizeof address;
  int port = 0;
  if (fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0)
    port = ntohs(address.sin_port);
  if (fd >= 0)
    close(fd);
  return port;
}

std::string DummyRig::MissingReason() {
  return FindProgram(kRigctld).empty() ? "rigctld (Debian package libhamlib-utils) is not installed"
                                       : std::string();
}

DummyRig::DummyRig(int port) : port_(port != 0 ? port : FreeLoopbackPort()) {}

DummyRig::~DummyRig() {
  Stop();
}

bool DummyRig::Start() {
  if (pid_ > 0)
    return true;
  const std::string program = FindProgram(kRigctld);
  if (program.empty())
    return false;
  const std::string port = std::to_string(port_);
  std::vector<std::string> args = {program, "-m", "1", "-T", "127.0.0.1", "-t", port};
  std::vector<char*> argv;
  for (std::string& a : args)
    argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // The radio's chatter stays out of the test output.
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const int rc = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) {
    pid_ = -1;
    return false;
  }
  // Ready when it takes a connection; a radio that never comes up gives up after 10 s.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    if (const int fd = ConnectTo(port_); fd >= 0) {
      close(fd);
      return true;
    }
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return false;
    }
    (void)poll(nullptr, 0, 10); // the process is starting: look again shortly
  }
  Stop();
  return false;
}

void DummyRig::Stop() {
  if (pid_ <= 0)
    return;
  kill(pid_, SIGTERM);
  int status = 0;
  waitpid(pid_, &status, 0);
  pid_ = -1;
}

bool DummyRig::Command(const std::string& command) {
  const int fd = ConnectTo(port_);
  if (fd < 0)
    return false;
  const std::string line = command + "\n";
  bool ok = send(fd, line.data(), line.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(line.size());
  std::string answer;
  char buffer[256];
  while (ok && answer.find('\n') == std::string::npos) {
    const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0)
      ok = false;
    else
      answer.append(buffer, static_cast<std::size_t>(n));
  }
  close(fd);
  return ok && answer.rfind("RPRT 0", 0) == 0;
}

bool DummyRig::Tune(long long hz, const std::string& mode) {
  return Command("F " + std::to_string(hz)) && Command("M " + mode + " 0");
}

SilentPort::SilentPort() {
  fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address = Loopback(0);
  socklen_t size = sizeof address;
  if (fd_ >= 0 && bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      listen(fd_, 64) == 0 && getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size) == 0)
    port_ = ntohs(address.sin_port);
}

SilentPort::~SilentPort() {
  if (fd_ >= 0)
    close(fd_);
}

} // namespace tarvik::test
