// A test with an Xvfb of its own (and a connection to it), started by the test with the screen
// it needs.
#pragma once

// GoogleTest comes before the X headers, whose macros (None, Bool) clash with it.
#include <gtest/gtest.h>
// (the X headers)
#include <X11/Xlib.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "wine_session.h"

class XvfbTest : public ::testing::Test {
 protected:
  void StartServer(const std::string& screen = "640x480x24",
                   const std::vector<std::string>& extra = {}) {
    char pattern[] = "/tmp/tintspot-x11-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    server_ = e2e::StartXvfb(screen, folder_ + "/xvfb.log", extra);
    display_ = XOpenDisplay(server_.display.c_str());
    ASSERT_NE(display_, nullptr) << server_.display;
  }
  void TearDown() override {
    if (display_ != nullptr && server_.process.Running()) XCloseDisplay(display_);
    server_.process.Kill();
    if (!folder_.empty()) std::filesystem::remove_all(folder_);
  }
  Display* display() const { return display_; }
  Window root() const { return DefaultRootWindow(display_); }
  e2e::EnvVars Env() const { return {{"DISPLAY", server_.display}}; }

  std::string folder_;
  e2e::XvfbServer server_;
  Display* display_ = nullptr;
};
