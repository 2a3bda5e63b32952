// The X11 build's text against the Windows build's under Wine: the same texts drawn by GDI in
// the tests' prefix (winhelper draw-text, as the labels are drawn) and by the X11 build's
// TextFace from the very font files that prefix uses, each centred in its box as DrawText
// centres it, must be the same pixels.
#include <filesystem>
#include <sstream>

#include "e2e_fixture.h"
#include "ppm_file.h"
#include "text_face.h"

namespace e2e {
namespace {

struct FaceCase {
  const char* face;  // as the program names it
  const char* file;  // in the prefix's Fonts folder
  int height;        // LOGFONT height
  std::vector<std::string> texts;
};

const FaceCase kCases[] = {
    {"Tahoma", "tahoma.ttf", -9, {"7 x 5",      "51,102,153",  "#336699",     "210,67,60",
                                  "67,33,0,40", "1279 x 1023", "255,255,255", "#FFFFFF",
                                  "0,0,100",    "0,0,0,0",     "612 x 734",   "#000000",
                                  "0,0,0,100",  "45 x 640",    "0,100,100,0", "930 x 130",
                                  "33,133,193", "#2185C1",     "203,83,76",   "83,31,0,24"}},
    {"Small Fonts",
     "small_fonts.ttf",
     -9,
     {"Zoom: 100%", "Zoom: 200%", "Zoom: 300%", "Zoom: 400%", "Zoom: 500%", "Zoom: 1200%",
      "Zoom: 2800%"}},
    {"Tahoma", "tahoma.ttf", 12, {"Move the mouse anywhere", "Ctrl+C copies the HEX value"}},
};

constexpr Rgb kBackground{236, 233, 216};
constexpr Rgb kInk{0, 51, 128};
constexpr int kBoxWidth = 150, kBoxHeight = 16;

class NativeLabelsTest : public E2eTest {};

TEST_F(NativeLabelsTest, TextFaceDrawsThePixelsGdiDrawsUnderWine) {
  E2E_WINDOWS_ONLY("the X11 faces against GDI's under Wine");
  for (const FaceCase& c : kCases) {
    const int rows = int(c.texts.size());
    Image canvas{kBoxWidth + 4, rows * kBoxHeight, {}};
    canvas.pixels.assign(size_t(canvas.width) * size_t(canvas.height), kBackground);
    const std::string folder = session().NewFolder("native-labels");
    const std::string relative =
        std::filesystem::relative(folder, session().root()).generic_string();
    WritePpm(folder + "/canvas.ppm", canvas);
    std::vector<std::string> args = {"draw-text", relative + "/canvas.ppm", relative + "/gdi.ppm",
                                     c.face,      std::to_string(c.height), ToString(kInk)};
    for (int i = 0; i < rows; ++i) {
      for (int v : {2, i * kBoxHeight, kBoxWidth, kBoxHeight}) args.push_back(std::to_string(v));
      args.push_back(c.texts[size_t(i)]);
    }
    const RunResult drawn = session().RunWinHelper(args);
    ASSERT_EQ(drawn.exit_code, 0) << drawn.output;
    ASSERT_EQ(ParseKeyValues(drawn.output)["face"], c.face) << "the prefix lacks Wine's fonts";
    const Image gdi = ReadPpm(folder + "/gdi.ppm");

    tintspot::PixelBuffer ours(canvas.width, canvas.height, kBackground.ColorRef());
    const tintspot::x11::TextFace face(session().prefix() + "/drive_c/windows/Fonts/" + c.file,
                                       c.height);
    for (int i = 0; i < rows; ++i) {
      const auto box = tintspot::Rect::FromSize(2, i * kBoxHeight, kBoxWidth, kBoxHeight);
      const std::string& text = c.texts[size_t(i)];
      face.Draw(text, (box.left + box.right - face.AdvanceWidth(text)) / 2, box.top,
                kInk.ColorRef(), ours, box);
    }
    int differing = 0;
    std::ostringstream first;
    for (int y = 0; y < canvas.height; ++y) {
      for (int x = 0; x < canvas.width; ++x) {
        const Rgb mine = Rgb::FromColorRef(ours.At(x, y));
        if (mine != gdi.at(x, y) && differing++ == 0)
          first << "first at " << x << "," << y << " (\"" << c.texts[size_t(y / kBoxHeight)]
                << "\"): " << mine << " instead of " << gdi.at(x, y);
      }
    }
    EXPECT_EQ(differing, 0) << c.face << " " << c.height << ": " << first.str();
    std::filesystem::remove_all(folder);
  }
}

}  // namespace
}  // namespace e2e
