// Handle -> object maps of the framework (windows, device contexts, GDI objects, menus).
// Permanent entries belong to objects that attached the handle; temporary objects are made
// by FromHandle for handles no object owns, and are deleted at idle time
// (AfxDeleteTempMaps), so a temporary pointer is good only while the current message is
// handled. One map of each kind per process: they live in the framework module.
#pragma once
#include "WinTypes.h"
#include <unordered_map>

// Deletes every temporary object of every map.
FW_API void AfxDeleteTempMaps();

class FW_API CHandleMapBase {
public:
    CHandleMapBase();
    virtual ~CHandleMapBase();
    CHandleMapBase(const CHandleMapBase&) = delete;
    CHandleMapBase& operator=(const CHandleMapBase&) = delete;
    virtual void DeleteTemp() = 0;
};

template <class T, class H, auto Member>
class CHandleMap : public CHandleMapBase {
public:
    T* LookupPermanent(H h) const
    {
        auto it = m_permanent.find(h);
        return it == m_permanent.end() ? nullptr : it->second;
    }
    T* LookupTemporary(H h) const
    {
        auto it = m_temporary.find(h);
        return it == m_temporary.end() ? nullptr : it->second;
    }
    // The permanent object, else a temporary one (made on first request); null for null.
    T* FromHandle(H h)
    {
        if (!h)
            return nullptr;
        if (T* p = LookupPermanent(h))
            return p;
        if (T* p = LookupTemporary(h))
            return p;
        T* p = new T;
        p->*Member = h;
        m_temporary[h] = p;
        return p;
    }
    void SetPermanent(H h, T* p) { m_permanent[h] = p; }
    void RemoveHandle(H h) { m_permanent.erase(h); }
    void DeleteTemp() override
    {
        auto temp = std::move(m_temporary);
        m_temporary.clear();
        for (auto& kv : temp) {
            kv.second->*Member = nullptr;  // the object never owned the handle
            delete kv.second;
        }
    }
    ~CHandleMap() override { DeleteTemp(); }

private:
    std::unordered_map<H, T*> m_permanent;
    std::unordered_map<H, T*> m_temporary;
};
