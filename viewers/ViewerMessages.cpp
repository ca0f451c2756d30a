#include "ViewerMessages.h"

UINT MESSAGE_PAUSE_SOUND = 0;
UINT MESSAGE_RESTART_SOUND = 0;

void RegisterSoundMessages()
{
    MESSAGE_PAUSE_SOUND = ::RegisterWindowMessageA("MESSAGE_PAUSE_SOUND");
    MESSAGE_RESTART_SOUND = ::RegisterWindowMessageA("MESSAGE_RESTART_SOUND");
}
