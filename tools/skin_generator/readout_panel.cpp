#include "readout_panel.h"

#include "palette.h"
#include "typeface.h"

namespace skin {

namespace {

using namespace palette;

void DrawReadoutBox(PixelBuffer& panel) {
  const int left = kReadoutLeft - 1;
  const int right = kReadoutLeft + kReadoutWidth;
  const int top = kReadoutTop - 1;
  const int bottom = kReadoutTop + (kReadoutRows - 1) * kReadoutPitch + kReadoutHeight;
  FillRect(panel, left, top, right - left + 1, bottom - top + 1, kReadoutBorder);
  FillRect(panel, left + 1, top + 1, right - left - 1, bottom - top - 1, kReadoutFill);
  // Between two rows: a darker rule with a light one under it.
  for (int row = 1; row < kReadoutRows; ++row) {
    const int y = kReadoutTop + row * kReadoutPitch - 2;
    HLine(panel, left + 1, right - 1, y, kReadoutRule);
    HLine(panel, left + 1, right - 1, y + 1, kReadoutRuleLight);
  }
}

// The recess the swatch sits in: shade above and left, light below and right.
void DrawSwatchWell(PixelBuffer& panel) {
  const int left = kSwatchLeft - 1;
  const int top = kSwatchTop - 1;
  const int right = kSwatchLeft + kSwatchSize;
  const int bottom = kSwatchTop + kSwatchSize;
  HLine(panel, left, right, top, kShade);
  VLine(panel, left, top, bottom, kShade);
  HLine(panel, left + 1, right, bottom, kHighlight);
  VLine(panel, right, top + 1, bottom, kHighlight);
}

}  // namespace

PixelBuffer ReadoutPanel(const FontFiles& fonts) {
  PixelBuffer panel(kPanelWidth, kPanelHeight);
  VerticalGradient(panel, 0, 0, kPanelWidth, kPanelHeight, kPanelTop, kPanelBottom);
  HLine(panel, 1, kPanelWidth - 2, 0, kHighlight);
  VLine(panel, 0, 0, kPanelHeight - 1, kOutline);
  VLine(panel, kPanelWidth - 1, 0, kPanelHeight - 1, kOutline);

  DrawReadoutBox(panel);
  Typeface caption(fonts.regular, 9);
  const char* const captions[kReadoutRows] = {"Pixel:", "RGB:", "HEX:", "HSB:", "CMYK:"};
  for (int row = 0; row < kReadoutRows; ++row) {
    const int baseline = kReadoutTop + row * kReadoutPitch + 9;
    const int width = caption.Width(captions[row]);
    caption.Draw(panel, kReadoutLeft - 5 - width, baseline, captions[row], kCaption);
  }

  DrawSwatchWell(panel);
  Typeface hint(fonts.regular, 7);
  const int centre = kSwatchLeft + kSwatchSize / 2;
  const char* const lines[2] = {"PRESS ANY", "KEY TO LOCK"};
  for (int line = 0; line < 2; ++line) {
    const int width = hint.Width(lines[line]);
    hint.Draw(panel, centre - (width + 1) / 2, kSwatchTop + kSwatchSize + 10 + 9 * line,
              lines[line], kHint);
  }
  return panel;
}

}  // namespace skin
