// The built exe carries its version where Windows' file properties look for it, with the numbers
// CMake sets for the whole project.
#include <filesystem>
#include <string>

#include "e2e_fixture.h"
#include "tintspot_version.h"

namespace e2e {
namespace {

class VersionTest : public E2eTest {};

TEST_F(VersionTest, FilePropertiesShowTheProjectVersion) {
  E2E_WINDOWS_ONLY("the version resource of the exe, read through Win32");
  const std::string folder = session().NewFolder("version");
  std::filesystem::copy_file(TintspotExePath(), folder + "/Tintspot.exe");
  const std::string relative =
      std::filesystem::relative(folder, session().root()).generic_string() + "/Tintspot.exe";
  RunResult result = session().RunWinHelper({"version-info", relative});
  ASSERT_EQ(result.exit_code, 0) << result.output;
  auto values = ParseKeyValues(result.output);

  const std::string numbers = std::to_string(TINTSPOT_VERSION_MAJOR) + "." +
                              std::to_string(TINTSPOT_VERSION_MINOR) + "." +
                              std::to_string(TINTSPOT_VERSION_PATCH);
  EXPECT_EQ(numbers, TINTSPOT_VERSION);
  EXPECT_EQ(values["fixed"], numbers + ".0");
  EXPECT_EQ(values["product_fixed"], numbers + ".0");
  EXPECT_EQ(values["FileVersion"], numbers);
  EXPECT_EQ(values["ProductVersion"], numbers);
  EXPECT_EQ(values["ProductName"], "Tintspot");
  EXPECT_EQ(values["OriginalFilename"], "Tintspot.exe");
  EXPECT_EQ(values["CompanyName"], "The Tintspot authors");
  EXPECT_NE(values["FileDescription"].find("Tintspot"), std::string::npos) << result.output;
  EXPECT_NE(values["LegalCopyright"].find("The Tintspot authors"), std::string::npos)
      << result.output;
}

}  // namespace
}  // namespace e2e
