// The stand-in player controls of the media and Flash tests: what a test needs to know of them.
//
// One in-process server (built twice, with the file versions 9.0.0.3250 and 6.4.9.1130, so a
// test can steer the media viewer's choice) serves the newer media player control, the older
// 6.4 one and the Flash control under their own class ids. Each control paints its window in a
// colour of its own and plays a "media" file of text:
//     <picture width> <picture height> <length in milliseconds>
// or anything else for a file it cannot open. Every call it gets is appended as a line to the
// file named by the environment variable VELMORA_STANDIN_LOG:
//     <object>:<dispid>=<value>   a property put ("player", "controls", "settings", "media",
//     <object>:<dispid>?          a property get   "older", "flash")
//     <object>:<dispid>()         a method
//     event <dispid> <argument>   an event fired
//     activate <width>x<height>   in-place activation; "rects <w>x<h>" when resized
#pragma once
#include <windows.h>

#define STANDIN_NEWER_COLOUR RGB(0, 170, 0)
#define STANDIN_OLDER_COLOUR RGB(0, 0, 170)
#define STANDIN_FLASH_COLOUR RGB(170, 0, 170)
#define STANDIN_LOG_VARIABLE "VELMORA_STANDIN_LOG"

// Dispatch id of the stand-ins' own play state (0 stopped, 1 paused, 2 playing), for tests.
#define STANDIN_DISPID_STATE 9999
