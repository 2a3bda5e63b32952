#include <gtest/gtest.h>
#include "readout_texts.h"
using namespace tintspot;
TEST(Smoke, Line) { EXPECT_EQ(ReadoutLine(MakeColor(51,102,153)), "51,102,153 #336699 210,67,60 67,33,0,40 34,68,102 44,88,133 white"); }
