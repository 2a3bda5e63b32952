// What the desktop says of the program's windows, asked the way each build allows: under Wine
// through Win32 (winhelper.exe in the prefix), natively through X (geometry, WM_STATE,
// _NET_WM_STATE, the input focus). The tests use these and never ask which build runs.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "subprocess.h"
#include "wine_session.h"
#include "xdriver.h"

namespace e2e {

// The top-level window captioned `caption` as key=value: rect ("x,y,w,h"), iconic, topmost,
// foreground ("1" or "0") and pid.
std::map<std::string, std::string> WindowInfo(WineSession& session, const std::string& caption);
// As a taskbar would: minimise, or restore and activate.
void MinimizeWindow(WineSession& session, const std::string& caption);
void RestoreWindow(WineSession& session, const std::string& caption);

// Puts `text` on the clipboard from another program: winhelper under Wine, natively xclip
// (kept running as the owner until the object goes or another program takes the clipboard).
class ClipboardSetter {
 public:
  // False (with the tool's output in *error) when the text could not be handed over.
  bool Set(WineSession& session, const std::string& text, std::string* error);

 private:
  std::unique_ptr<Process> owner_;
};

}  // namespace e2e
