#include "CMenuButtonState.h"

#include <gtest/gtest.h>

using State = CMenuButtonState;

TEST(CMenuButtonStateTest, HoverShowsTheHotFaceAndTheTimerNoticesLeaving)
{
    State s;
    EXPECT_EQ(s.CurrentFace(), State::FaceNormal);
    State::Actions a = s.MouseMove(true);
    EXPECT_TRUE(s.hot);
    EXPECT_TRUE(a.redraw);
    EXPECT_EQ(a.startTimer, State::HoverTimer);
    EXPECT_EQ(s.CurrentFace(), State::FaceHot);
    // Moving within starts nothing new.
    a = s.MouseMove(true);
    EXPECT_EQ(a.startTimer, 0);
    EXPECT_FALSE(a.redraw);
    // A tick with the cursor still inside changes nothing; outside it ends the hover.
    a = s.Tick(State::HoverTimer, true);
    EXPECT_TRUE(s.hot);
    EXPECT_EQ(a.killTimer, 0);
    a = s.Tick(State::HoverTimer, false);
    EXPECT_FALSE(s.hot);
    EXPECT_EQ(a.killTimer, State::HoverTimer);
    EXPECT_TRUE(a.releaseCapture);
    EXPECT_EQ(s.CurrentFace(), State::FaceNormal);
}

TEST(CMenuButtonStateTest, HoverAndClickTimersAreToldApart)
{
    State s;
    s.hasViewer = true;
    s.MouseMove(true);
    s.LButtonDown(false);
    State::Actions a = s.LButtonUp();
    EXPECT_EQ(a.startTimer, State::ClickTimer);
    EXPECT_NE(State::ClickTimer, State::HoverTimer);
    // The hover timer's tick while the cursor is away does not launch the viewer, and does
    // not kill the click timer.
    a = s.Tick(State::HoverTimer, false);
    EXPECT_FALSE(a.launchViewer);
    EXPECT_EQ(a.killTimer, State::HoverTimer);
    // The click timer launches even with the cursor outside, once.
    a = s.Tick(State::ClickTimer, false);
    EXPECT_TRUE(a.launchViewer);
    EXPECT_EQ(a.killTimer, State::ClickTimer);
    // Without a viewer a click starts no timer.
    State plain;
    plain.MouseMove(true);
    plain.LButtonDown(false);
    EXPECT_EQ(plain.LButtonUp().startTimer, 0);
}

TEST(CMenuButtonStateTest, PressAndReleaseByStyle)
{
    for (int style = 0; style <= 4; ++style) {
        State s;
        s.style = style;
        s.MouseMove(true);
        State::Actions a = s.LButtonDown(false);
        EXPECT_TRUE(a.redraw);
        EXPECT_TRUE(a.defaultHandling);
        EXPECT_EQ(s.CurrentFace(), State::FacePressed);
        s.LButtonUp();
        // Only the latching style stays down, also when it loses the focus.
        EXPECT_EQ(s.pressed, style == 4) << style;
        s.KillFocus();
        EXPECT_EQ(s.pressed, style == 4) << style;
    }
}

TEST(CMenuButtonStateTest, APressDraggedOutAndReleasedClearsThePressedLook)
{
    for (bool byTimer : {false, true}) {
        State s;
        s.hasViewer = true;
        s.MouseMove(true);
        s.LButtonDown(false);
        if (byTimer)
            s.Tick(State::HoverTimer, false);
        else
            s.MouseMove(false);
        EXPECT_FALSE(s.pressed);
        EXPECT_EQ(s.CurrentFace(), State::FaceNormal);
        // Coming back shows the hot face, not a pressed one, and a later button-up alone
        // does not open the viewer.
        s.MouseMove(true);
        EXPECT_EQ(s.CurrentFace(), State::FaceHot);
        EXPECT_EQ(s.LButtonUp().startTimer, 0);
    }
}

TEST(CMenuButtonStateTest, ALatchedButtonStaysDownOutsideAndIsReleasedByTheNextPress)
{
    State s;
    s.style = 4;
    s.MouseMove(true);
    s.LButtonDown(false);
    s.LButtonUp();
    s.MouseMove(false);
    EXPECT_TRUE(s.pressed);
    EXPECT_TRUE(s.hot);
    EXPECT_EQ(s.CurrentFace(), State::FacePressed);
    s.MouseMove(true);
    State::Actions a = s.LButtonDown(false);
    EXPECT_TRUE(a.redraw);
    EXPECT_FALSE(s.pressed);
    s.LButtonUp();
    EXPECT_FALSE(s.pressed);
    EXPECT_EQ(s.CurrentFace(), State::FaceHot);
    // And latches again on the press after that.
    s.LButtonDown(false);
    s.LButtonUp();
    EXPECT_TRUE(s.pressed);
}

TEST(CMenuButtonStateTest, DropDownSquareTracksTheMenu)
{
    State s;
    s.isMenuButton = true;
    s.MouseMove(true);
    State::Actions a = s.LButtonDown(true);
    EXPECT_TRUE(a.trackMenu);
    EXPECT_FALSE(a.defaultHandling);
    EXPECT_TRUE(s.menuShown);
    EXPECT_FALSE(s.pressed);
    s.CaptureChanged();
    EXPECT_FALSE(s.menuShown);
    // Elsewhere on the face it is an ordinary press; a plain button has no menu at all.
    EXPECT_FALSE(s.LButtonDown(false).trackMenu);
    State plain;
    plain.MouseMove(true);
    EXPECT_FALSE(plain.LButtonDown(true).trackMenu);
}

TEST(CMenuButtonStateTest, DoubleClickSendsAClickAndPresses)
{
    State s;
    s.MouseMove(true);
    State::Actions a = s.LButtonDblClk(false);
    EXPECT_TRUE(a.sendClick);
    EXPECT_TRUE(s.pressed);
}

TEST(CMenuButtonStateTest, DisabledShowsTheDisabledFaceAndIgnoresPresses)
{
    State s;
    s.Enable(false);
    s.MouseMove(true);
    EXPECT_EQ(s.CurrentFace(), State::FaceDisabled);
    State::Actions a = s.LButtonDown(false);
    EXPECT_FALSE(s.pressed);
    EXPECT_FALSE(a.defaultHandling);
    EXPECT_FALSE(s.LButtonDblClk(false).sendClick);
    s.Enable(true);
    EXPECT_EQ(s.CurrentFace(), State::FaceHot);
}
