#include <gtest/gtest.h>

#include "platform/core/types.h"

TEST(Types, ColourComponents) {
    TColor navy = clNavy;
    EXPECT_EQ(GetRValue(navy), 0);
    EXPECT_EQ(GetGValue(navy), 0);
    EXPECT_EQ(GetBValue(navy), 128);
    EXPECT_EQ(RGBColor(255, 0, 255), clFuchsia);
}
