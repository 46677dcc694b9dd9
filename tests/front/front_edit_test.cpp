// The editing operations and the scroll, as the cave-editing mode and the
// game states drive them.
#include <gtest/gtest.h>

#include "front_world.h"

using front_test::FrontWorld;
using front_test::Records;

TEST(FrontEdit, FirstClickPlacesSecondClickPicksUp) {
    FrontWorld w;
    TFront& f = w.Load();
    f.ScrollPos = -5000;
    f.ClickAt(400, 500, 1);
    EXPECT_EQ(f.Count, 1);
    EXPECT_FALSE(f.Selected);
    EXPECT_EQ(f.SelectedIndex, -1);
    TFrontelement* e = f.Element(1);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->BaseX, -4600);
    EXPECT_EQ(e->Y, 500);
    EXPECT_FLOAT_EQ(e->Z, -700);
    EXPECT_EQ(e->Type, 1);
    EXPECT_EQ(e->Bob(1)->X, 400);  // drawn under the cursor at once

    f.ClickAt(400, 500, 1);
    EXPECT_EQ(f.Count, 1);
    EXPECT_TRUE(f.Selected);
    EXPECT_EQ(f.SelectedIndex, 1);
    EXPECT_EQ(f.LastMouseX, 400);
    EXPECT_EQ(f.LastMouseY, 500);
}

TEST(FrontEdit, WithTheFrontOptionOffAClickPlacesNothing) {
    FrontWorld w;
    Env.FrontOn = 0;
    TFront& f = w.Load();
    f.ClickAt(400, 300, 1);
    EXPECT_EQ(f.Count, 0);
    EXPECT_EQ(f.Element(1), nullptr);
}

TEST(FrontEdit, ElementAtCoversThePictureInclusiveAndPrefersTheLowestSlot) {
    FrontWorld w;
    // Type 6 is 195 x 96; the second element overlaps the first's right half.
    w.WriteFront(Records({{1000, 300, -1, 6}, {1090, 300, -1, 6}}));
    TFront& f = w.Load();
    f.ScrollPos = 500;
    EXPECT_EQ(f.ElementAt(500 - 97, 300), 1);  // px 902.5 would be outside; 903 is inside
    EXPECT_EQ(f.ElementAt(500 - 98, 300), -1);
    EXPECT_EQ(f.ElementAt(500, 252), 1);
    EXPECT_EQ(f.ElementAt(500, 251), -1);
    EXPECT_EQ(f.ElementAt(500, 348), 1);
    EXPECT_EQ(f.ElementAt(590, 300), 1);
    EXPECT_EQ(f.ElementAt(650, 300), 2);
}

TEST(FrontEdit, PickedUpElementFollowsTheMouseAndTheView) {
    FrontWorld w;
    TFront& f = w.Load();
    f.ClickAt(300, 200, 3);
    f.ClickAt(300, 200, 3);
    w.screen.MouseX = 300;
    w.screen.MouseY = 200;
    f.Move();
    w.screen.MouseX = 340;
    w.screen.MouseY = 180;
    f.Move();
    TFrontelement* e = f.Element(1);
    EXPECT_EQ(e->BaseX, 340);
    EXPECT_EQ(e->Y, 180);
    EXPECT_EQ(e->X, 340);

    // The view scrolls 30 to the right: the element keeps its screen place.
    f.ScrollPos += 30;
    f.MoveSelected(30);
    f.Move();
    EXPECT_EQ(e->BaseX, 370);
    EXPECT_EQ(e->X, 340);

    f.Release();
    w.screen.MouseX = 10;
    f.Move();
    EXPECT_EQ(e->BaseX, 370);
}

TEST(FrontEdit, MoveDerivesXOnlyForVisibleElementsAndOnlyWithTheOption) {
    FrontWorld w;
    w.WriteFront(Records({{-3000, 300, -1, 2}}));
    TFront& f = w.Load();
    TFrontelement* e = f.Element(1);
    f.HideAll();
    f.ScrollPos = FrontScrollStart;
    f.Move();
    EXPECT_FALSE(e->Bob(1)->Visible);
    EXPECT_NE(e->X, -500);

    f.ShowAll();
    EXPECT_TRUE(e->Bob(1)->Visible);
    EXPECT_EQ(e->X, -500);
    f.ScrollPos -= 5;
    f.Move();
    EXPECT_EQ(e->X, -495);
    EXPECT_EQ(e->Bob(1)->X, -495);

    Env.FrontOn = 0;
    f.ScrollPos -= 5;
    f.Move();
    EXPECT_EQ(e->X, -495);
}

TEST(FrontEdit, ChangeTypeWrapsAndSwapsThePicture) {
    FrontWorld w;
    w.WriteFront(Records({{400, 300, -1, 10}}));
    TFront& f = w.Load();
    f.ClickAt(400, 300, 1);
    f.ChangeType(1);
    TFrontelement* e = f.Element(1);
    EXPECT_EQ(e->Type, 1);
    EXPECT_EQ(e->Bob(1)->GO, GetGOIndex("Element_Boden_1"));
    EXPECT_EQ(e->Bob(1)->Width, 288);
    f.ChangeType(-1);
    EXPECT_EQ(e->Type, 10);
    f.ChangeType(-1);
    EXPECT_EQ(e->Type, 9);
    EXPECT_EQ(e->Bob(1)->Height, 600);
}

TEST(FrontEdit, ChangeDepthStaysInItsBand) {
    FrontWorld w;
    TFront& f = w.Load();
    f.ClickAt(400, 300, 1);
    f.ClickAt(400, 300, 1);
    TFrontelement* e = f.Element(1);
    f.ChangeDepth(-1.0);
    EXPECT_NEAR(e->Z, -700.01, 1e-4);
    for (int i = 0; i < 30; ++i) f.ChangeDepth(-1.0);
    EXPECT_GE(e->Z, -700.115);
    EXPECT_LE(e->Z, -700.095);
    for (int i = 0; i < 60; ++i) f.ChangeDepth(+1.0);
    EXPECT_LE(e->Z, -699.885);
    EXPECT_GE(e->Z, -699.905);
    EXPECT_FLOAT_EQ(e->Bob(1)->Z, e->Z);
}

TEST(FrontEdit, WithoutAPickedUpElementEditingDoesNothing) {
    FrontWorld w;
    w.WriteFront(Records({{400, 300, -1, 5}}));
    TFront& f = w.Load();
    f.ClickAt(400, 300, 1);
    f.Release();
    f.ChangeType(1);
    f.ChangeDepth(1.0);
    f.MoveSelected(50);
    f.DeleteSelected();
    EXPECT_EQ(f.Count, 1);
    TFrontelement* e = f.Element(1);
    EXPECT_EQ(e->Type, 5);
    EXPECT_FLOAT_EQ(e->Z, -700);
    EXPECT_EQ(e->BaseX, 400);
}

TEST(FrontEdit, AFullFrontRefusesANewElementAndAFreedSlotIsReused) {
    FrontWorld w;
    TFrontRecords all;
    for (int i = 0; i < MaxFrontElements; ++i) all[static_cast<std::size_t>(i)] = {i * 1000, 300, -1, 8};
    w.WriteFront(EncodeFrontRecords(all));
    TFront& f = w.Load();
    int fullCalls = 0;
    f.OnFull = [&] { ++fullCalls; };
    f.ClickAt(500, 50, 1);  // between two columns
    EXPECT_EQ(fullCalls, 1);
    EXPECT_EQ(f.Count, MaxFrontElements);
    EXPECT_EQ(w.LastLogLine(), "Sorry, maximale Anzahl von Frontelementen erreicht");

    f.ClickAt(5000, 300, 1);
    f.DeleteSelected();
    EXPECT_EQ(f.Element(6), nullptr);
    f.ClickAt(500, 50, 2);
    EXPECT_EQ(fullCalls, 1);
    EXPECT_EQ(f.Count, MaxFrontElements);
    ASSERT_NE(f.Element(6), nullptr);
    EXPECT_EQ(f.Element(6)->Type, 2);
    EXPECT_EQ(f.Element(6)->BaseX, 500);
}
