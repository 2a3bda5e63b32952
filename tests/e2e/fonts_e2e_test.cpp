// The faces the program names for its texts must be Wine's own faces of those names inside the
// prefix, not substitutes: with a substitute the labels and the zoom list look different and the
// pixel comparisons of the labels cannot be trusted. A clear failure here names the package.
#include <string>

#include "e2e_fixture.h"

namespace e2e {
namespace {

class FontsTest : public E2eTest {};

TEST_F(FontsTest, TheNamedFacesAreWinesOwnNotSubstitutes) {
  E2E_WINDOWS_ONLY("the faces GDI finds in the prefix");
  // The readout labels and the help texts ask for "Tahoma", the zoom list for "Small Fonts",
  // both at a character height of 9 pixels.
  for (const char* face : {"Tahoma", "Small Fonts"}) {
    RunResult result = session().RunWinHelper({"font-face", face, "-9"});
    ASSERT_EQ(result.exit_code, 0) << result.output;
    const std::string given = ParseKeyValues(result.output)["face"];
    EXPECT_EQ(given, face) << "the Wine prefix gives the face \"" << given << "\" for \"" << face
                           << "\": Wine's own fonts are missing; install Debian's package "
                              "fonts-wine (scripts/install-deps.sh does)";
  }
}

}  // namespace
}  // namespace e2e
