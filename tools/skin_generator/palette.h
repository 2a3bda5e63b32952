// The colours the skin is painted in.
#pragma once

#include "canvas.h"

namespace skin::palette {

// Window edge and panels.
constexpr TColor kOutline = Rgb(128, 128, 128);
constexpr TColor kTitleTop = Rgb(254, 254, 254);
constexpr TColor kTitleBottom = Rgb(233, 233, 233);
constexpr TColor kTitleBaseLine = Rgb(153, 153, 153);
constexpr TColor kNotchTop = Rgb(232, 232, 232);  // behind the tabs' slanted edges
constexpr TColor kNotchBottom = Rgb(212, 212, 212);
constexpr TColor kTabEdge = Rgb(140, 140, 140);   // slanted tab edges
constexpr TColor kPanelTop = Rgb(241, 241, 241);  // readout panel
constexpr TColor kPanelBottom = Rgb(226, 226, 226);
constexpr TColor kHighlight = Rgb(255, 255, 255);
constexpr TColor kShade = Rgb(196, 196, 196);

// Type and glyphs.
constexpr TColor kTitleActive = Rgb(51, 51, 51);
constexpr TColor kTitleInactive = Rgb(143, 143, 143);
constexpr TColor kGlyph = Rgb(76, 76, 76);
constexpr TColor kGlyphLight = Rgb(119, 119, 119);  // the minus
constexpr TColor kOrange = Rgb(229, 152, 0);        // glyphs of the "on" and pressed tabs
constexpr TColor kKeyOrange = Rgb(204, 128, 0);     // glyphs of the pressed keys
constexpr TColor kGlow = Rgb(150, 150, 150);
constexpr TColor kCaption = Rgb(64, 64, 64);
constexpr TColor kHint = Rgb(124, 124, 124);  // "PRESS ANY KEY TO LOCK"

// The readout box.
constexpr TColor kReadoutFill = Rgb(162, 215, 255);
constexpr TColor kReadoutBorder = Rgb(51, 51, 51);
constexpr TColor kReadoutRule = Rgb(112, 170, 222);
constexpr TColor kReadoutRuleLight = Rgb(222, 241, 255);

// The four squares of the emblem.
constexpr TColor kGreen = Rgb(84, 178, 60);
constexpr TColor kEmblemOrange = Rgb(245, 150, 30);
constexpr TColor kPurple = Rgb(138, 78, 176);
constexpr TColor kRed = Rgb(216, 52, 48);

}  // namespace skin::palette
