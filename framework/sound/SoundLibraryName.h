// The file name of our sound library: the one place it is named. The build gives the DLL
// this name, the player and the viewers link against it, and Create copies this file
// into the base folder next to the player.
#pragma once

#define VELMORA_SOUND_LIBRARY_BASE "VelmoraSound"
#define VELMORA_SOUND_LIBRARY VELMORA_SOUND_LIBRARY_BASE ".dll"
