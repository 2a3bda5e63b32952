// The magnifier's pieces: the zoom table, the source area around the cursor,
// the enlargement into solid blocks and the inverted cross-hair.
#include "magnifier.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace tintspot {
namespace {

struct ZoomRow {
  const char* text;
  int factor;
  int width, height;  // source area
  int dx, dy;         // source origin relative to the cursor
};

const ZoomRow kZoomTable[kZoomLevels] = {
    {"Zoom: 100%", 1, 167, 87, -83, -43}, {"Zoom: 200%", 2, 83, 43, -41, -21},
    {"Zoom: 300%", 3, 55, 29, -27, -14},  {"Zoom: 400%", 4, 41, 21, -20, -10},
    {"Zoom: 500%", 5, 33, 17, -16, -8},   {"Zoom: 1200%", 12, 13, 7, -6, -3},
    {"Zoom: 2800%", 28, 5, 3, -2, -1},
};

TEST(ZoomTable, FactorsTextsAndSourceAreas) {
  for (int i = 0; i < kZoomLevels; ++i) {
    const ZoomRow& row = kZoomTable[i];
    SCOPED_TRACE(row.text);
    EXPECT_EQ(ZoomFactorOf(i), row.factor);
    EXPECT_STREQ(ZoomItemText(i), row.text);
    for (ScreenPoint cursor :
         {ScreenPoint{512, 384}, ScreenPoint{0, 0}, ScreenPoint{-1280, 15}, ScreenPoint{-3, -7}}) {
      EXPECT_EQ(MagnifierSource(cursor, row.factor, kMagWidth, kMagHeight),
                Rect::FromSize(cursor.x + row.dx, cursor.y + row.dy, row.width, row.height))
          << cursor.x << "," << cursor.y;
    }
  }
}

// A source image with a colour of its own at every pixel.
PixelBuffer NumberedSource(int width, int height) {
  PixelBuffer source(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) source.Set(x, y, static_cast<TColor>(1 + x + 256 * y));
  return source;
}

// Lengths of the runs of equal colour along row y (or column x).
std::vector<int> RunsAlongRow(const PixelBuffer& view, int y) {
  std::vector<int> runs{1};
  for (int x = 1; x < view.Width(); ++x) {
    if (view.At(x, y) == view.At(x - 1, y))
      ++runs.back();
    else
      runs.push_back(1);
  }
  return runs;
}

std::vector<int> RunsAlongColumn(const PixelBuffer& view, int x) {
  std::vector<int> runs{1};
  for (int y = 1; y < view.Height(); ++y) {
    if (view.At(x, y) == view.At(x, y - 1))
      ++runs.back();
    else
      runs.push_back(1);
  }
  return runs;
}

TEST(Enlarge, At2800PercentBlocksAre33Or34WideAnd29High) {
  PixelBuffer view(kMagWidth, kMagHeight);
  EnlargeInto(NumberedSource(5, 3), view);
  for (int y = 0; y < kMagHeight; ++y)
    ASSERT_EQ(RunsAlongRow(view, y), (std::vector<int>{33, 34, 33, 34, 33})) << "row " << y;
  for (int x = 0; x < kMagWidth; ++x)
    ASSERT_EQ(RunsAlongColumn(view, x), (std::vector<int>{29, 29, 29})) << "column " << x;
  // Source pixel (2, 1), the cursor's, lies under the whole cross-hair.
  for (int x = 78; x <= 88; ++x) EXPECT_EQ(view.At(x, 43), 1u + 2 + 256);
  for (int y = 38; y <= 48; ++y) EXPECT_EQ(view.At(83, y), 1u + 2 + 256);
}

TEST(Enlarge, EverySourcePixelBecomesOneSolidBlockInOrder) {
  for (const ZoomRow& row : kZoomTable) {
    SCOPED_TRACE(row.text);
    const PixelBuffer source = NumberedSource(row.width, row.height);
    PixelBuffer view(kMagWidth, kMagHeight);
    EnlargeInto(source, view);
    const std::vector<int> columns = RunsAlongRow(view, 0);
    const std::vector<int> rows = RunsAlongColumn(view, 0);
    ASSERT_EQ(static_cast<int>(columns.size()), row.width);
    ASSERT_EQ(static_cast<int>(rows.size()), row.height);
    // Block sizes differ by at most one and are spread symmetrically.
    const int wide = kMagWidth / row.width, high = kMagHeight / row.height;
    for (std::size_t i = 0; i < columns.size(); ++i) {
      EXPECT_TRUE(columns[i] == wide || columns[i] == wide + 1) << "column block " << i;
      EXPECT_EQ(columns[i], columns[columns.size() - 1 - i]);
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
      EXPECT_TRUE(rows[i] == high || rows[i] == high + 1) << "row block " << i;
      EXPECT_EQ(rows[i], rows[rows.size() - 1 - i]);
    }
    // Block (i, j) shows source pixel (i, j) and nothing else.
    int top = 0;
    for (int j = 0; j < row.height; ++j) {
      int left = 0;
      for (int i = 0; i < row.width; ++i) {
        for (int y = top; y < top + rows[j]; ++y)
          for (int x = left; x < left + columns[i]; ++x)
            ASSERT_EQ(view.At(x, y), source.At(i, j)) << x << "," << y;
        left += columns[i];
      }
      top += rows[j];
    }
    // The cursor's pixel is the middle one and covers the view's centre.
    EXPECT_EQ(view.At(83, 43), source.At(row.width / 2, row.height / 2));
  }
}

TEST(Enlarge, At1200PercentBlocksAre12Or13) {
  PixelBuffer view(kMagWidth, kMagHeight);
  EnlargeInto(NumberedSource(13, 7), view);
  for (int run : RunsAlongRow(view, 40)) EXPECT_TRUE(run == 12 || run == 13) << run;
  for (int run : RunsAlongColumn(view, 90)) EXPECT_TRUE(run == 12 || run == 13) << run;
}

TEST(Enlarge, At100PercentTheCopyIsOneToOne) {
  const PixelBuffer source = NumberedSource(kMagWidth, kMagHeight);
  PixelBuffer view(kMagWidth, kMagHeight);
  EnlargeInto(source, view);
  EXPECT_EQ(view, source);
}

const std::set<std::pair<int, int>> kArmPixels = {
    {81, 43}, {80, 43}, {79, 43}, {78, 43}, {85, 43}, {86, 43}, {87, 43}, {88, 43},
    {83, 41}, {83, 40}, {83, 39}, {83, 38}, {83, 45}, {83, 46}, {83, 47}, {83, 48},
};

TEST(CrossHair, InvertsExactlyTheSixteenArmPixels) {
  PixelBuffer view(kMagWidth, kMagHeight);
  for (int y = 0; y < kMagHeight; ++y)
    for (int x = 0; x < kMagWidth; ++x) view.Set(x, y, MakeColor(x, y, (x * y) & 0xFF));
  const PixelBuffer before = view;
  InvertCrossHair(view);
  int changed = 0;
  for (int y = 0; y < kMagHeight; ++y)
    for (int x = 0; x < kMagWidth; ++x) {
      const TColor was = before.At(x, y);
      if (kArmPixels.count({x, y})) {
        EXPECT_EQ(view.At(x, y), MakeColor(255 - RedOf(was), 255 - GreenOf(was), 255 - BlueOf(was)))
            << x << "," << y;
        ++changed;
      } else {
        ASSERT_EQ(view.At(x, y), was) << x << "," << y;
      }
    }
  EXPECT_EQ(changed, 16);
  // The centre and its four neighbours keep the captured colour.
  for (auto [x, y] : {std::pair{83, 43}, {82, 43}, {84, 43}, {83, 42}, {83, 44}})
    EXPECT_EQ(view.At(x, y), before.At(x, y));
}

TEST(CrossHair, BlackBecomesWhiteAndBack) {
  PixelBuffer view(kMagWidth, kMagHeight, kBlack);
  InvertCrossHair(view);
  EXPECT_EQ(view.At(78, 43), kWhite);
  EXPECT_EQ(view.At(83, 48), kWhite);
  InvertCrossHair(view);
  EXPECT_EQ(view, PixelBuffer(kMagWidth, kMagHeight, kBlack));
}

TEST(MagnifierView, StartsWhiteWithABlackOnePixelFrame) {
  PixelBuffer view(kMagWidth, kMagHeight, MakeColor(1, 2, 3));
  ResetMagnifierView(view);
  for (int y = 0; y < kMagHeight; ++y)
    for (int x = 0; x < kMagWidth; ++x) {
      const bool frame = x == 0 || y == 0 || x == kMagWidth - 1 || y == kMagHeight - 1;
      ASSERT_EQ(view.At(x, y), frame ? kBlack : kWhite) << x << "," << y;
    }
}

}  // namespace
}  // namespace tintspot
