// The viewer class of a target type code: 0 File, 1 Folder; every code not known here gives
// a File viewer. The program that asks owns the object.
#pragma once
#include "CViewer.h"

VIEWERS_API CViewer* NewViewerOfType(int type);
