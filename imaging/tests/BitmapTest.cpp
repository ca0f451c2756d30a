#include "PLAnyBmp.h"
#include "PLWinBmp.h"
#include <gtest/gtest.h>

TEST(Bitmap, Placeholder) {
    PLAnyBmp b;
    EXPECT_EQ(b.GetWidth(), 16);
}
