// The sprite list and bodies of bobs: ownership, capacities, the depth sort,
// the target motion and the log lines of a failed paint.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engine/bobs.h"
#include "engine/rbob.h"
#include "infra/random.h"
#include "sprite_world.h"
#include "support/definitions_builder.h"

using defs::Ani;
using defs::Block;

namespace {

class BobsTest : public ::testing::Test {
protected:
    void SetUp() override {
        LoadGOs(Lines(Block("Dot", "CreateAnimation", 4, 4, 1, 1, 1, {Ani("standard", "001")})));
    }
    SpriteWorld world;
};

std::vector<TBob*> PaintOrder() {
    std::vector<TBob*> order;
    for (int i = 1; i <= Bobs->Count(); ++i) order.push_back(Bobs->Entry(i));
    return order;
}

}  // namespace

TEST_F(BobsTest, SortzOrdersByLayerThenDepthAndKeepsEqualKeysInOrder) {
    TRBob body;
    for (int i = 0; i < 6; ++i) body.AddBob(1, 0, -1, 0, 0, 0);
    auto bob = [&](int n) { return body.Bob(n); };
    bob(1)->Layer = 1, bob(1)->Z = -2000;
    bob(2)->Layer = 0, bob(2)->Z = -100;
    bob(3)->Layer = 0, bob(3)->Z = -500;
    bob(4)->Layer = 0, bob(4)->Z = -500;
    bob(5)->Layer = -1, bob(5)->Z = -10;
    bob(6)->Layer = 0, bob(6)->Z = -500;
    Bobs->sortz();
    EXPECT_EQ(PaintOrder(), (std::vector<TBob*>{bob(5), bob(3), bob(4), bob(6), bob(2), bob(1)}));
    EXPECT_EQ(Bobs->CallCounter, 1);
    Bobs->sortz();
    EXPECT_EQ(PaintOrder(), (std::vector<TBob*>{bob(5), bob(3), bob(4), bob(6), bob(2), bob(1)}));
    EXPECT_EQ(Bobs->CallCounter, 2);
}

TEST_F(BobsTest, SortingNeedsTwoEntries) {
    TRBob body;
    Bobs->sortz();
    body.AddBob(1, 0, -1, 0, 0, 0);
    Bobs->sortz();
    EXPECT_EQ(Bobs->CallCounter, 0);
}

TEST_F(BobsTest, DeletingRemovesOneEntryAndClearsTheReference) {
    TRBob body;
    body.AddBob(1, 0, -1, 0, 0, 0);
    body.AddBob(1, 0, -1, 0, 0, 0);
    body.AddBob(1, 0, -1, 0, 0, 0);
    TBob* third = body.Bob(3);
    TBob* stranger = nullptr;
    Bobs->Delete(stranger);
    EXPECT_EQ(Bobs->Count(), 3);
    Bobs->Delete(body.Member(2).Bob);
    EXPECT_EQ(body.Bob(2), nullptr);
    EXPECT_EQ(PaintOrder(), (std::vector<TBob*>{body.Bob(1), third}));
    // The body still moves its remaining members.
    body.SetX(10);
    EXPECT_EQ(third->X, 10);
}

TEST_F(BobsTest, DestroyingABodyRemovesItsBobs) {
    TRBob stays;
    stays.AddBob(1, 0, -1, 0, 0, 0);
    {
        TRBob goes;
        goes.AddBob(1, 0, -1, 0, 0, 0);
        goes.AddBob(1, 0, -1, 0, 0, 0);
        EXPECT_EQ(Bobs->Count(), 3);
    }
    EXPECT_EQ(PaintOrder(), (std::vector<TBob*>{stays.Bob(1)}));
    // A list destroyed first leaves the bodies with cleared references.
    Bobs.reset();
    EXPECT_EQ(stays.Bob(1), nullptr);
}

TEST_F(BobsTest, CapacitiesRefuseFurtherBobs) {
    std::vector<std::unique_ptr<TRBob>> bodies;
    for (int b = 0; b < 30; ++b) {
        bodies.push_back(std::make_unique<TRBob>());
        for (int m = 0; m < MaxMembers; ++m) bodies.back()->AddBob(1, 0, -1, 0, 0, 0);
    }
    EXPECT_EQ(Bobs->Count(), 1500);
    try {
        bodies.front()->AddBob(1, 0, -1, 0, 0, 0);
        FAIL();
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Exception raised in TRBob.AddBob: Too many bobs");
    }
    bodies.pop_back();
    TRBob extra;
    for (int m = 0; m < MaxMembers; ++m) extra.AddBob(1, 0, -1, 0, 0, 0);
    TRBob last;
    try {
        last.AddBob(1, 0, -1, 0, 0, 0);
        FAIL();
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Exception raised in TBobs.Add: Too many bobs");
    }
    EXPECT_EQ(last.Count, 0);
    EXPECT_EQ(Bobs->Count(), 1500);
}

TEST_F(BobsTest, AddBobByNameKeepsTheNameOrAddsNothing) {
    TRBob body;
    EXPECT_EQ(body.AddBobByName("dot", 0, -1, 1, 2, 3), 1);
    EXPECT_EQ(body.Bob(1)->Name, "dot");
    EXPECT_EQ(body.Bob(1)->GO, 1);
    try {
        body.AddBobByName("sperm2", 0, -1, 0, 0, 0);
        FAIL();
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Animation not found: SPERM2");
    }
    EXPECT_EQ(body.Count, 1);
    EXPECT_EQ(Bobs->Count(), 1);
}

TEST(RBob, StartsAtRestSomewhereInFront) {
    RandSeed = 12345;
    for (int i = 0; i < 200; ++i) {
        TRBob body;
        EXPECT_GE(body.X, -250);
        EXPECT_LE(body.X, 249);
        EXPECT_GE(body.Y, -250);
        EXPECT_LE(body.Y, 249);
        EXPECT_GE(body.Z, -1099);
        EXPECT_LE(body.Z, -100);
        EXPECT_EQ(body.X, std::floor(body.X));
        EXPECT_EQ(body.TargetZ, body.Z);
        body.Steer();
        body.Move();
        EXPECT_EQ(body.TargetX, body.X);
        EXPECT_EQ(body.VelocityZ, 0);
    }
}

TEST_F(BobsTest, MotionIsSinglePrecisionWithMembersFollowing) {
    TRBob body;
    body.AddBob(1, 0, -1, 5, -5, 100);
    body.SetX(0), body.SetY(0), body.SetZ(-800);
    body.TargetX = 1000;
    body.TargetY = -3;
    body.TargetZ = -800;
    body.ApproachDivisor = 30.0f;
    body.WobbleY = 2;
    body.SpringDivisor = 7.0f;
    float vx = 0, vy = 0, wy = 2, wvy = 0, x = 0, y = 0;
    for (int step = 0; step < 50; ++step) {
        body.Steer();
        body.Move();
        const float tx = std::clamp((1000.0f - x) / 30.0f, -5.0f, 5.0f);
        const float ty = (-3.0f - y) / 30.0f;
        const float ay = -wy / 7.0f;
        wvy += ay;
        wy += wvy;
        vx = (vx + tx) / 1.1f;
        x = x + vx + 0.0f;
        vy = (vy + ty) / 1.1f;
        y = y + vy + wy;
        ASSERT_EQ(body.X, x) << step;
        ASSERT_EQ(body.Y, y) << step;
    }
    EXPECT_EQ(body.Bob(1)->X, x + 5);
    EXPECT_EQ(body.Bob(1)->Y, y - 5);
    EXPECT_EQ(body.Bob(1)->Z, -700);
    // Constant thrust t settles at t / (Damping - 1): ten times t.
    body.ThrustX = 2.0f;
    for (int step = 0; step < 400; ++step) body.Move();
    EXPECT_NEAR(body.VelocityX, 20.0f, 0.001f);
}

TEST_F(BobsTest, VisibilityAndAnimationReachEveryMember) {
    TRBob body;
    body.AddBob(1, 0, -1, 0, 0, 0);
    body.AddBob(1, 0, -1, 0, 0, 0);
    body.SetVisible(false);
    EXPECT_FALSE(body.Bob(1)->Visible || body.Bob(2)->Visible);
    body.AnimateBobs();
    EXPECT_EQ(body.Bob(2)->Tick, 1);
}
