// Volume settings to decibels and world positions to pan.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "sound/sound_levels.h"

TEST(VolumeToDB, FollowsTheSettingCurve) {
    const std::pair<int, int> cases[] = {{0, -10000}, {127, 0},    {100, -213}, {64, -775},
                                         {10, -9213}, {9, -10000}, {1, -10000}, {126, -6}};
    for (auto [v, db] : cases) EXPECT_EQ(VolumeToDB(static_cast<std::uint8_t>(v)), db) << v;
}

TEST(VolumeToDB, SettingsAboveTheScaleStayAtFullVolume) {
    // A damaged settings file must not ask the device for gain it refuses.
    EXPECT_EQ(VolumeToDB(128), 0);
    EXPECT_EQ(VolumeToDB(255), 0);
}

TEST(ScreenPan, FollowsTheProjection) {
    EXPECT_EQ(ScreenPan(400, -800), 2000);
    EXPECT_EQ(ScreenPan(-400, -800), -2000);
    EXPECT_EQ(ScreenPan(100, -400), 1000);    // nearer sounds pan further
    EXPECT_EQ(ScreenPan(0.3, -800), 2);       // 1.5 rounds to the even 2
    EXPECT_EQ(ScreenPan(0.5, -800), 2);       // 2.5 rounds to the even 2
    EXPECT_EQ(ScreenPan(5000, -100), 10000);  // clamped
    EXPECT_EQ(ScreenPan(-5000, -100), -10000);
    for (double z : {-800.0, -1.0, 250.0, 0.0}) EXPECT_EQ(ScreenPan(0, z), 0) << z;
}

TEST(ScreenPan, OnTheEyePlaneTheSoundIsFullyOnItsSide) {
    EXPECT_EQ(ScreenPan(10, 0), 10000);
    EXPECT_EQ(ScreenPan(-10, 0), -10000);
    EXPECT_EQ(ScreenPan(std::numeric_limits<double>::quiet_NaN(), -800), 0);
}
