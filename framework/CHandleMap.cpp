#include "CHandleMap.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<CHandleMapBase*>& AllMaps()
{
    static std::vector<CHandleMapBase*> maps;
    return maps;
}
} // namespace

CHandleMapBase::CHandleMapBase()
{
    AllMaps().push_back(this);
}

CHandleMapBase::~CHandleMapBase()
{
    auto& maps = AllMaps();
    maps.erase(std::remove(maps.begin(), maps.end(), this), maps.end());
}

void AfxDeleteTempMaps()
{
    for (CHandleMapBase* map : AllMaps())
        map->DeleteTemp();
}
