#include "PLFilterResizeBilinear.h"
#include "C2PassScale.h"
#include "CDataRGBA_UBYTE.h"
#include "PLAnyBmp.h"
#include "PLBilinearContribDef.h"

PLFilterResizeBilinear::PLFilterResizeBilinear(int newWidth, int newHeight) : PLFilterResize(newWidth, newHeight) {}

PLFilterResizeBilinear::~PLFilterResizeBilinear() = default;

void PLFilterResizeBilinear::ApplyTo(PLBmp* source, PLBmp* destination) const {
    if (source == destination) {
        PLAnyBmp copy;
        copy.CreateCopy(*source);
        ApplyTo(&copy, destination);
        return;
    }
    // Pictures of other depths are scaled as 32-bit pictures.
    PLAnyBmp converted;
    if (source->GetBitsPerPixel() != 32) {
        converted.CreateCopy(*source, 32);
        source = &converted;
    }
    destination->Create(m_NewXSize, m_NewYSize, 32, source->HasAlpha(), source->IsGreyscale(),
                        source->GetResolution());
    if (source->GetWidth() <= 0 || source->GetHeight() <= 0)
        return;
    PLBilinearContribDef contrib;
    C2PassScale<CDataRGBA_UBYTE> scaler(contrib);
    scaler.Scale(source->GetLineArray(), source->GetWidth(), source->GetHeight(), destination->GetLineArray(),
                 m_NewXSize, m_NewYSize);
}
