// The file layer of ProfileFile: what a desktop without the profile API sees of a file it cannot
// read or write. (How files are read and written is compared with the API end to end.)
#include "profile_file.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

namespace tintspot {
namespace {

namespace fs = std::filesystem;

TEST(ProfileFileDiskTest, ReadsAndWritesReportWhatTheFileAllows) {
  char name[] = "/tmp/profile_file_test.XXXXXX";
  ASSERT_NE(mkdtemp(name), nullptr);
  const fs::path folder = name;
  fs::create_directory(folder / "a folder");
  ASSERT_TRUE(SaveProfileBytes((folder / "unix.ini").string(), "[General]\nX=5\n"));
  struct Case {
    const char* file;
    std::optional<std::string> read;   // General/X
    bool written;                      // General/X = 5
    std::optional<std::string> after;  // the file's bytes afterwards ("": there is none)
  } const cases[] = {
      {"new.ini", std::nullopt, true, "[General]\r\nX=5\r\n"},
      {"unix.ini", "5", true, "[General]\nX=5\n"},  // the same value: the file stays as it was
      {"a folder", std::nullopt, false, std::nullopt},
      {"no folder/new.ini", std::nullopt, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string path = (folder / c.file).string();
    EXPECT_EQ(ReadProfileString(path, "General", "X", 2047), c.read);
    EXPECT_EQ(WriteProfileString(path, "General", "X", "5"), c.written);
    EXPECT_EQ(LoadProfileBytes(path), c.after);
  }
  fs::remove_all(folder);
}

}  // namespace
}  // namespace tintspot
