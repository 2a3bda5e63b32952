// The five readout labels as the screen shows them: for pointer positions over windows of known
// colour, the readout panel must be, pixel for pixel, the panel picture with each text drawn in
// its box the way a label is drawn (Tahoma at a character height of 9 pixels, dark blue, centred,
// cut off at the box). The reference is drawn by winhelper.exe inside the same Wine prefix, so
// font matching (a prefix without Tahoma substitutes another face), rendering and smoothing are
// those the program gets. The native build's reference is its own face drawing the same texts.
#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app_probe.h"
#include "ppm_file.h"
#ifdef TINTSPOT_E2E_X11_FACES
#include "font_files.h"
#endif

namespace e2e {
namespace {

// How a label is drawn.
constexpr const char* kLabelFace = "Tahoma";
constexpr int kLabelFontHeight = -9;  // LOGFONT height: character height in pixels
constexpr Rgb kLabelColour{0, 51, 128};

// The panel picture imgMain lies at client (0, 19); the swatch on it is not a label's business.
constexpr int kPanelTop = 19;

struct LabelBox {
  const char* name;
  Rect box;  // client pixels
};
// In the order of the texts in Readouts below.
constexpr std::array<LabelBox, 5> kLabels = {{{"lblPixel", {40, 28, 66, 13}},
                                              {"lblRGB", {40, 43, 66, 13}},
                                              {"lblHEX", {40, 58, 66, 13}},
                                              {"lblHSL", {40, 73, 66, 13}},
                                              {"lblCMYK", {40, 88, 66, 13}}}};

using Readouts = std::array<std::string, 5>;  // position, RGB, HEX, HSB, CMYK

// A window of one colour, a screen point on it and the readouts the program shows there.
struct Sample {
  Rect patch;
  Rgb colour;
  Point pointer;
  Readouts texts;
};

// Short and long texts, in an order where a long text is followed by shorter ones (what the
// longer one drew must go), at the corners of the screen and away from the program's window.
const std::vector<Sample> kSamples = {
    {{0, 0, 60, 60},
     {51, 102, 153},
     {7, 5},
     {"7 x 5", "51,102,153", "#336699", "210,67,60", "67,33,0,40"}},
    {{1180, 924, 100, 100},
     {255, 255, 255},
     {1279, 1023},
     {"1279 x 1023", "255,255,255", "#FFFFFF", "0,0,100", "0,0,0,0"}},
    {{600, 700, 60, 60},
     {0, 0, 0},
     {612, 734},
     {"612 x 734", "0,0,0", "#000000", "0,0,0", "0,0,0,100"}},
    {{20, 600, 60, 60},
     {255, 0, 0},
     {45, 640},
     {"45 x 640", "255,0,0", "#FF0000", "0,100,100", "0,100,100,0"}},
    {{900, 100, 60, 60},
     {33, 133, 193},
     {930, 130},
     {"930 x 130", "33,133,193", "#2185C1", "203,83,76", "83,31,0,24"}},
};

bool Between(int value, int a, int b) { return value >= std::min(a, b) && value <= std::max(a, b); }

// Rows of a label box as text: '.' where `image` shows the panel picture, '#' where it shows
// something else, and '!' where it differs from `expected` (when given).
std::string Sketch(const Image& image, const Rect& box, const Image* expected = nullptr) {
  const Image& panel = SkinPicture("imgmain").image;
  std::string rows;
  for (int py = box.y - kPanelTop; py < box.y - kPanelTop + box.height; ++py) {
    rows += "  ";
    for (int px = box.x; px < box.x + box.width; ++px) {
      if (expected != nullptr && image.at(px, py) != expected->at(px, py)) {
        rows += '!';
      } else {
        rows += image.at(px, py) == panel.at(px, py) ? '.' : '#';
      }
    }
    rows += '\n';
  }
  return rows;
}

class ReadoutLabelsTest : public SkinnedWindowTest {
 protected:
  // The readout panel (client rows kPanelTop onwards, as tall as imgMain) with `texts` drawn in
  // the label boxes by winhelper.exe.
  Image ExpectedPanel(const Readouts& texts) {
    const Image& panel = SkinPicture("imgmain").image;
    // The canvas is the client area down to the panel's bottom, so every text lies at the same
    // place as in the program's own drawing surface; the rows above the panel are not compared.
    Image canvas{panel.width, kPanelTop + panel.height, {}};
    canvas.pixels.assign(size_t(canvas.width) * kPanelTop, Rgb{});
    canvas.pixels.insert(canvas.pixels.end(), panel.pixels.begin(), panel.pixels.end());
    if (NativeBuild()) return DrawnByTheNativeFace(canvas, texts);
    const std::string folder = session().NewFolder("labels");
    const std::string relative =
        std::filesystem::relative(folder, session().root()).generic_string();
    WritePpm(folder + "/panel.ppm", canvas);
    std::vector<std::string> args = {
        "draw-text", relative + "/panel.ppm",          relative + "/labels.ppm",
        kLabelFace,  std::to_string(kLabelFontHeight), ToString(kLabelColour)};
    for (size_t i = 0; i < kLabels.size(); ++i) {
      const Rect& r = kLabels[i].box;
      for (int value : {r.x, r.y, r.width, r.height}) args.push_back(std::to_string(value));
      args.push_back(texts[i]);
    }
    RunResult drawn = session().RunWinHelper(args);
    if (drawn.exit_code != 0) throw std::runtime_error("winhelper draw-text: " + drawn.output);
    face_ = ParseKeyValues(drawn.output)["face"];
    Image labels = ReadPpm(folder + "/labels.ppm");
    std::filesystem::remove_all(folder);
    Image result{panel.width, panel.height, {}};
    result.pixels.assign(labels.pixels.begin() + ptrdiff_t(labels.width) * kPanelTop,
                         labels.pixels.end());
    return result;
  }

  // The native build has no prefix to draw in: its reference is the X11 build's own face, which
  // the Windows build's test of the faces holds to GDI's pixels, drawing the same texts here.
  Image DrawnByTheNativeFace(const Image& canvas, const Readouts& texts) {
#ifdef TINTSPOT_E2E_X11_FACES
    namespace x11 = tintspot::x11;
    tintspot::PixelBuffer drawn(canvas.width, canvas.height);
    for (int py = 0; py < canvas.height; ++py)
      for (int px = 0; px < canvas.width; ++px) drawn.Set(px, py, canvas.at(px, py).ColorRef());
    const x11::TextFace face(x11::FontFolder() + "/tahoma.ttf", kLabelFontHeight);
    for (size_t i = 0; i < kLabels.size(); ++i) {
      const Rect& r = kLabels[i].box;
      const auto box = tintspot::Rect::FromSize(r.x, r.y, r.width, r.height);
      face.Draw(texts[i], (box.left + box.right - face.AdvanceWidth(texts[i])) / 2, box.top,
                kLabelColour.ColorRef(), drawn, box);
    }
    face_ = "Tahoma (the native face)";
    Image result{canvas.width, canvas.height - kPanelTop, {}};
    for (int py = kPanelTop; py < canvas.height; ++py)
      for (int px = 0; px < canvas.width; ++px)
        result.pixels.push_back(Rgb::FromColorRef(drawn.At(px, py)));
    return result;
#else
    (void)canvas, (void)texts;
    throw std::runtime_error("the native build's faces are not built in");
#endif
  }

  Image CapturePanel() {
    const Point origin = probe().Origin();
    const Image& panel = SkinPicture("imgmain").image;
    return x().Capture({origin.x, origin.y + kPanelTop, panel.width, panel.height});
  }

  // Empty when `shown` equals `expected` outside the swatch, else the differences per label box
  // (and outside them), the first of them, and sketches of the first box that differs.
  static std::string Differences(const Image& shown, const Image& expected) {
    std::array<int, kLabels.size() + 1> wrong{};
    std::ostringstream first;
    for (int py = 0; py < expected.height; ++py) {
      for (int px = 0; px < expected.width; ++px) {
        const int client_y = py + kPanelTop;
        if (Inside(kSwatchArea, px, client_y) || shown.at(px, py) == expected.at(px, py)) continue;
        size_t where = kLabels.size();
        for (size_t i = 0; i < kLabels.size(); ++i) {
          if (Inside(kLabels[i].box, px, client_y)) where = i;
        }
        if (std::accumulate(wrong.begin(), wrong.end(), 0) == 0) {
          first << "first at client " << px << "," << client_y << ": " << shown.at(px, py)
                << " instead of " << expected.at(px, py) << "\n";
        }
        ++wrong[where];
      }
    }
    std::ostringstream report;
    bool sketched = false;
    for (size_t i = 0; i < kLabels.size(); ++i) {
      if (wrong[i] == 0) continue;
      report << kLabels[i].name << ": " << wrong[i] << " pixels differ\n";
      if (!sketched) {
        report << " expected\n"
               << Sketch(expected, kLabels[i].box) << " shown\n"
               << Sketch(shown, kLabels[i].box, &expected);
        sketched = true;
      }
    }
    if (wrong.back() != 0) report << "outside the labels: " << wrong.back() << " pixels differ\n";
    return report.str().empty() ? "" : first.str() + report.str();
  }

  std::string face_;  // the face GDI chose for the reference drawing
};

// The labels show the readouts of the pixel under the pointer, each drawn in its own box exactly
// as the reference drawing has it: nothing missing, nothing extra, nothing left of the texts
// before, and the panel picture untouched around them.
TEST_F(ReadoutLabelsTest, LabelsAreDrawnPixelExactOverThePanel) {
  std::vector<PatternWindow> patches;
  for (const Sample& sample : kSamples) {
    patches.push_back(x().CreatePatternWindow(sample.patch, sample.colour));
  }
  x().MovePointer(kSamples[0].pointer.x, kSamples[0].pointer.y);
  StartAt(400, 300);
  const Image& panel = SkinPicture("imgmain").image;

  for (const Sample& sample : kSamples) {
    SCOPED_TRACE(sample.texts[0] + " on " + ToString(sample.colour));
    const Image expected = ExpectedPanel(sample.texts);
    // The reference itself, whatever the face and its smoothing: every box has text in it, and
    // every pixel the text changed lies, channel by channel, between the panel and the text
    // colour (a blend of the two, never another colour).
    for (size_t i = 0; i < kLabels.size(); ++i) {
      const Rect& r = kLabels[i].box;
      int changed = 0, foreign = 0;
      for (int py = r.y - kPanelTop; py < r.y - kPanelTop + r.height; ++py) {
        for (int px = r.x; px < r.x + r.width; ++px) {
          const Rgb& c = expected.at(px, py);
          const Rgb& under = panel.at(px, py);
          if (c == under) continue;
          ++changed;
          foreign +=
              !(Between(c.r, under.r, kLabelColour.r) && Between(c.g, under.g, kLabelColour.g) &&
                Between(c.b, under.b, kLabelColour.b));
        }
      }
      EXPECT_GT(changed, 10) << kLabels[i].name << " of the reference";
      EXPECT_EQ(foreign, 0) << kLabels[i].name << " of the reference";
    }

    x().MovePointer(sample.pointer.x, sample.pointer.y);
    std::string last;
    EXPECT_TRUE(WaitUntil([&] { return (last = Differences(CapturePanel(), expected)).empty(); },
                          milliseconds(3000)))
        << last;
  }
  // Which face the prefix gave for the label font, for the test report.
  RecordProperty("label_face", face_);
  ASSERT_TRUE(app().Close());
}

}  // namespace
}  // namespace e2e
