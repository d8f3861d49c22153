// Fixture for tests of the process-wide picture: each test starts, and leaves
// the picture behind, as the program starts: empty and screensaver-sized.
#pragma once

#include <gtest/gtest.h>

#include "picture/PictureGrid.h"

class FreshPictureTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetPicture(); }
    void TearDown() override { ResetPicture(); }

    static void ResetPicture() {
        ClearPicture();
        SetPictureMode(PictureMode::Screensaver);
    }
};
