#include "CMenuButtonState.h"

CMenuButtonState::Face CMenuButtonState::CurrentFace() const
{
    if (disabled)
        return FaceDisabled;
    if (!hot)
        return FaceNormal;
    return pressed ? FacePressed : FaceHot;
}

// The pointer has left the button. A press dragged out is given up (the button-up will not
// come back to this window), except a latched button, which stays down.
void CMenuButtonState::Leave(Actions& a)
{
    if (!Latching())
        pressed = false;
    hot = Latching() && pressed;
    a.redraw = true;
    a.releaseCapture = true;
}

CMenuButtonState::Actions CMenuButtonState::MouseMove(bool inside)
{
    Actions a;
    if (!inside) {
        Leave(a);
    } else if (!hot) {
        hot = true;
        a.redraw = true;
        a.startTimer = HoverTimer;
    }
    return a;
}

CMenuButtonState::Actions CMenuButtonState::Tick(int timer, bool cursorInside)
{
    Actions a;
    a.defaultHandling = false;
    if (timer == HoverTimer) {
        if (!cursorInside) {
            Leave(a);
            a.killTimer = HoverTimer;
        }
    } else if (timer == ClickTimer) {
        a.killTimer = ClickTimer;
        a.launchViewer = hasViewer;
    } else {
        a.defaultHandling = true;
    }
    return a;
}

CMenuButtonState::Actions CMenuButtonState::LButtonDown(bool inDropDown)
{
    Actions a;
    if (disabled) {
        a.defaultHandling = false;
        return a;
    }
    if (hot && !pressed) {
        if (isMenuButton && inDropDown) {
            a.trackMenu = true;
            a.defaultHandling = false;
            menuShown = true;
            return a;
        }
        pressed = true;
        a.redraw = true;
    } else if (hot && pressed && Latching()) {
        pressed = false;  // a second press releases a latched button
        a.redraw = true;
    }
    return a;
}

CMenuButtonState::Actions CMenuButtonState::LButtonDblClk(bool inDropDown)
{
    Actions a = LButtonDown(inDropDown);
    a.sendClick = !disabled;
    return a;
}

CMenuButtonState::Actions CMenuButtonState::LButtonUp()
{
    Actions a;
    if (pressed) {
        if (!Latching())
            pressed = false;
        a.redraw = true;
        if (hasViewer)
            a.startTimer = ClickTimer;
    }
    return a;
}

CMenuButtonState::Actions CMenuButtonState::CaptureChanged()
{
    Actions a;
    if (pressed) {
        a.releaseCapture = true;
        a.redraw = true;
    }
    menuShown = false;
    return a;
}

CMenuButtonState::Actions CMenuButtonState::KillFocus()
{
    Actions a;
    if (pressed && !Latching()) {
        pressed = false;
        a.redraw = true;
    }
    menuShown = false;
    return a;
}

CMenuButtonState::Actions CMenuButtonState::Enable(bool enabled)
{
    Actions a;
    disabled = !enabled;
    a.redraw = true;
    return a;
}
