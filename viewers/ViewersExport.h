// What the viewers library exports. The library itself builds with VELMORA_VIEWERS_BUILD;
// programs that load it import. The native tree links the same code statically.
#pragma once

#if defined(_WIN32) && defined(VELMORA_VIEWERS_DLL)
#ifdef VELMORA_VIEWERS_BUILD
#define VIEWERS_API __declspec(dllexport)
#else
#define VIEWERS_API __declspec(dllimport)
#endif
#else
#define VIEWERS_API
#endif
