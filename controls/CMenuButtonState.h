// The mouse, focus and timer behaviour of the drop-down menu button, apart from its window:
// every event changes the state and says what the window has to do.
#pragma once

class CMenuButtonState {
public:
    enum Face { FaceNormal, FaceHot, FacePressed, FaceDisabled };
    // The hover timer notices the mouse leaving; the click timer opens the attached viewer.
    // They have ids of their own so that neither replaces nor is taken for the other.
    enum Timer { HoverTimer = 1, ClickTimer = 2 };
    enum { TimerPeriod = 100, LatchingStyle = 4 };

    struct Actions {
        bool redraw = false;
        bool releaseCapture = false;
        bool trackMenu = false;       // drop the popup menu down
        bool launchViewer = false;    // wait cursor, Launch, Show, arrow cursor
        bool sendClick = false;       // WM_COMMAND with the button's id to the parent
        bool defaultHandling = true;  // let the button's own handling run
        int startTimer = 0;
        int killTimer = 0;
    };

    Face CurrentFace() const;

    Actions MouseMove(bool inside);
    Actions Tick(int timer, bool cursorInside);
    Actions LButtonDown(bool inDropDown);
    Actions LButtonDblClk(bool inDropDown);
    Actions LButtonUp();
    Actions CaptureChanged();
    Actions KillFocus();
    Actions Enable(bool enabled);

    int style = 0;
    bool disabled = false;
    bool hot = false;
    bool pressed = false;
    bool menuShown = false;
    bool isMenuButton = false;
    bool hasViewer = false;

private:
    bool Latching() const { return style == LatchingStyle; }
    void Leave(Actions& a);
};
