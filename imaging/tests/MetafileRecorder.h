// Metafiles recorded through GDI, as an author's drawing program would save them, for the
// tests that decode and show them (Windows).
#pragma once
#include <windows.h>
#include <vector>

using MetafileDrawing = void (*)(HDC dc, int width, int height);

// An enhanced metafile whose frame makes it width x height pixels of this screen; the
// drawing gets a device context of that many logical units.
std::vector<unsigned char> RecordEnhancedMetafile(int width, int height, MetafileDrawing draw);

// A placeable Windows metafile drawn on width x height logical units, with the bounding box
// (0, 0, right, bottom) and the units per inch given in its header.
std::vector<unsigned char> RecordPlaceableMetafile(int width, int height, short right, short bottom, WORD inch,
                                                   MetafileDrawing draw);
