#include "CHandleMap.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace {
std::vector<CHandleMapBase*>& AllMaps()
{
    static std::vector<CHandleMapBase*> maps;
    return maps;
}

std::mutex& AllMapsMutex()
{
    static std::mutex mutex;
    return mutex;
}
} // namespace

CHandleMapBase::CHandleMapBase()
{
    std::lock_guard<std::mutex> lock(AllMapsMutex());
    AllMaps().push_back(this);
}

CHandleMapBase::~CHandleMapBase()
{
    std::lock_guard<std::mutex> lock(AllMapsMutex());
    auto& maps = AllMaps();
    maps.erase(std::remove(maps.begin(), maps.end(), this), maps.end());
}

void AfxDeleteTempMaps()
{
    std::vector<CHandleMapBase*> maps;
    {
        std::lock_guard<std::mutex> lock(AllMapsMutex());
        maps = AllMaps();
    }
    for (CHandleMapBase* map : maps)
        map->DeleteTemp();
}
