// The window messages every program of the suite registers by name: a slideshow with music
// of its own asks the player to pause its background music, and to go on afterwards.
#pragma once
#include "ViewersExport.h"
#include "WinTypes.h"

VIEWERS_API extern UINT MESSAGE_PAUSE_SOUND;
VIEWERS_API extern UINT MESSAGE_RESTART_SOUND;

// Registers both (the library does so when it is loaded).
VIEWERS_API void RegisterSoundMessages();
