#include "two_monitor_display.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <fstream>
#include <stdexcept>

#include "wine_session.h"

namespace e2e {
namespace {

// Two dummy cards, each with a screen of its own size, joined by Xinerama with the second screen
// at kSecondMonitor's place. No input drivers: XTest's devices are all the tests need.
const char* const kXorgConf = R"(Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoEnableDevices" "false"
  Option "DontVTSwitch" "true"
  Option "Xinerama" "true"
EndSection
Section "Device"
  Identifier "card0"
  Driver "dummy"
  VideoRam 64000
EndSection
Section "Device"
  Identifier "card1"
  Driver "dummy"
  VideoRam 64000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
EndSection
Section "Screen"
  Identifier "first"
  Device "card0"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes "1280x1024"
    Virtual 1280 1024
  EndSubSection
EndSection
Section "Screen"
  Identifier "second"
  Device "card1"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes "800x600"
    Virtual 800 600
  EndSubSection
EndSection
Section "ServerLayout"
  Identifier "two monitors"
  Screen 0 "first" 0 0
  Screen 1 "second" Absolute 1280 100
EndSection
)";

// Starts an X server with "-displayfd" added to `argv` and returns its display (":N").
std::string StartServer(Process& server, std::vector<std::string> argv,
                        const std::string& log_path) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe2 failed");
  argv.insert(argv.begin() + 1, {"-displayfd", std::to_string(fds[1])});
  SpawnOptions options;
  options.argv = argv;
  options.keep_fd = fds[1];
  options.output_path = log_path;
  options.parent_death_signal = SIGTERM;  // lets the server remove its lock file
  server = Process(options);
  close(fds[1]);
  const std::string number = ReadDisplayNumber(fds[0], milliseconds(30000));
  close(fds[0]);
  if (number.empty()) throw std::runtime_error(argv[0] + " did not start, see " + log_path);
  return ":" + number;
}

}  // namespace

TwoMonitorDisplay::TwoMonitorDisplay(const std::string& folder) {
  const std::string conf = folder + "/xorg.conf";
  std::ofstream(conf) << kXorgConf;
  display_ = StartServer(two_,
                         {"Xorg", "-config", conf, "-logfile", folder + "/xorg.log", "-noreset",
                          "-nolisten", "tcp", "-novtswitch", "-sharevts"},
                         folder + "/xorg.out");
  one_display_ = StartServer(one_, {"Xvfb", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"},
                             folder + "/xvfb.log");
}

TwoMonitorDisplay::~TwoMonitorDisplay() {
  for (Process* server : {&two_, &one_}) {
    server->Signal(SIGTERM);
    if (!server->Wait(milliseconds(5000))) server->Kill();
  }
}

}  // namespace e2e
