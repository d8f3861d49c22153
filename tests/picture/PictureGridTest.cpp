#include <gtest/gtest.h>

#include "picture/PictureGrid.h"

TEST(PictureGridSmoke, StartsAsEmptyScreensaver) {
    EXPECT_EQ(PictureWidth(), 101);
    EXPECT_EQ(PictureHeight(), 49);
}
