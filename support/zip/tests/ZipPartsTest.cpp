#include "CZipArchive.h"
#include <gtest/gtest.h>
TEST(Zip, Builds) { CZipArchive a; EXPECT_TRUE(a.IsClosed()); }
