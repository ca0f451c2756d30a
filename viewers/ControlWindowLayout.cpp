#include "ControlWindowLayout.h"

LayoutRect CentreInWorkArea(int width, int height, const LayoutMetrics& m)
{
    LayoutRect r;
    r.x = (m.areaRight - width - m.areaLeft) / 2;
    r.y = (m.areaBottom - m.areaTop - height) / 2;
    r.width = width;
    r.height = height;
    return r;
}
