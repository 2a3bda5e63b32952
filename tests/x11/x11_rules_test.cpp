// The settings path rule and the Wayland notice: pure functions of their inputs.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>

#include "settings_path.h"
#include "x_connection.h"

namespace x11 = tintspot::x11;

namespace {

TEST(SettingsPath, BesideTheBinaryOnlyWhenAFileIsThereElseTheXdgConfigFolder) {
  struct Case {
    const char *binary, *xdg, *home;
    std::set<std::string> existing;
    std::string expected;
  };
  const Case cases[] = {
      {"/opt/ts", nullptr, "/home/u", {"/opt/ts/tSpot.ini"}, "/opt/ts/tSpot.ini"},
      {"/opt/ts", "/cfg", "/home/u", {"/opt/ts/tSpot.ini"}, "/opt/ts/tSpot.ini"},
      {"/usr/bin", nullptr, "/home/u", {}, "/home/u/.config/tintspot/tSpot.ini"},
      {"/usr/bin", "", "/home/u", {}, "/home/u/.config/tintspot/tSpot.ini"},
      {"/usr/bin", "relative/cfg", "/home/u", {}, "/home/u/.config/tintspot/tSpot.ini"},
      {"/usr/bin", "/x/cfg", "/home/u", {}, "/x/cfg/tintspot/tSpot.ini"},
      {"/usr/bin", "/x/cfg/", "/home/u/", {}, "/x/cfg/tintspot/tSpot.ini"},
      // A file in the configuration folder does not matter: the binary's folder decides.
      {"/usr/bin",
       nullptr,
       "/home/u",
       {"/home/u/.config/tintspot/tSpot.ini"},
       "/home/u/.config/tintspot/tSpot.ini"},
      {"/usr/bin", nullptr, nullptr, {}, ""},
      {"", "/x/cfg", nullptr, {}, "/x/cfg/tintspot/tSpot.ini"},
  };
  for (const Case& c : cases) {
    const std::string path =
        x11::SettingsPath({c.binary, c.xdg, c.home},
                          [&](const std::string& file) { return c.existing.count(file) > 0; });
    EXPECT_EQ(path, c.expected) << c.binary << " " << (c.xdg ? c.xdg : "(unset)");
  }
}

TEST(SettingsPath, TheFoldersAreMadeAtTheFirstWrite) {
  const auto top =
      std::filesystem::temp_directory_path() / ("tintspot-xdg-" + std::to_string(getpid()));
  const std::string file = (top / "config" / "tintspot" / "tSpot.ini").string();
  ASSERT_TRUE(x11::CreateFoldersFor(file));
  struct stat info {};
  ASSERT_EQ(stat((top / "config" / "tintspot").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  EXPECT_TRUE(x11::CreateFoldersFor(file)) << "folders that exist already";
  std::filesystem::remove_all(top);
}

TEST(WaylandNotice, OnlyWhenWaylandDisplayIsSet) {
  EXPECT_EQ(x11::WaylandNotice(nullptr), std::nullopt);
  EXPECT_EQ(x11::WaylandNotice(""), std::nullopt);
  const auto notice = x11::WaylandNotice("wayland-0");
  ASSERT_TRUE(notice.has_value());
  EXPECT_NE(notice->find("colours outside X11 windows cannot be read"), std::string::npos);
}

}  // namespace
