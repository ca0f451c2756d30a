// Handle -> object maps of the framework (windows, device contexts, GDI objects, menus).
// Permanent entries belong to objects that attached the handle; temporary objects are made
// by FromHandle for handles no object owns, and are deleted at idle time
// (AfxDeleteTempMaps), so a temporary pointer is good only while the current message is
// handled. One map of each kind per process: they live in the framework module. The maps
// may be used from several threads: permanent entries are shared, temporary objects belong
// to the thread that asked for them and AfxDeleteTempMaps deletes the calling thread's.
#pragma once
#include "WinTypes.h"
#include <mutex>
#include <unordered_map>

// Deletes the calling thread's temporary objects of every map.
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
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_permanent.find(h);
        return it == m_permanent.end() ? nullptr : it->second;
    }
    // The permanent object, else this thread's temporary one (made on first request);
    // null for null.
    T* FromHandle(H h)
    {
        if (!h)
            return nullptr;
        std::lock_guard<std::mutex> lock(m_mutex);
        auto perm = m_permanent.find(h);
        if (perm != m_permanent.end())
            return perm->second;
        auto& temporary = m_temporary[::GetCurrentThreadId()];
        auto temp = temporary.find(h);
        if (temp != temporary.end())
            return temp->second;
        T* p = new T;
        p->*Member = h;
        temporary[h] = p;
        return p;
    }
    void SetPermanent(H h, T* p)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_permanent[h] = p;
    }
    void RemoveHandle(H h)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_permanent.erase(h);
    }
    // Binds a handle to an object that holds none. A registered binding makes the object the
    // handle's permanent owner, found by FromHandle, and is refused for a handle that has one
    // (windows and menus); an unregistered one only stores the handle (device contexts, GDI
    // objects, image lists).
    BOOL Attach(T& object, H h, bool registered)
    {
        if (!h || object.*Member || (registered && LookupPermanent(h)))
            return FALSE;
        object.*Member = h;
        if (registered)
            SetPermanent(h, &object);
        return TRUE;
    }
    // Unbinds the object's handle, and with a registered binding its permanent entry when the
    // object owns it; returns the handle. An unregistered one never touches the map (such
    // objects may outlive it at the end of the process).
    H Detach(T& object, bool registered)
    {
        H h = object.*Member;
        if (registered && h && LookupPermanent(h) == &object)
            RemoveHandle(h);
        object.*Member = nullptr;
        return h;
    }
    void DeleteTemp() override
    {
        std::unordered_map<H, T*> temp;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            auto it = m_temporary.find(::GetCurrentThreadId());
            if (it == m_temporary.end())
                return;
            temp = std::move(it->second);
            m_temporary.erase(it);
        }
        for (auto& kv : temp) {
            kv.second->*Member = nullptr;  // the object never owned the handle
            delete kv.second;
        }
    }
    ~CHandleMap() override
    {
        for (auto& thread : m_temporary)
            for (auto& kv : thread.second) {
                kv.second->*Member = nullptr;
                delete kv.second;
            }
    }

private:
    mutable std::mutex m_mutex;
    std::unordered_map<H, T*> m_permanent;
    std::unordered_map<DWORD, std::unordered_map<H, T*>> m_temporary;
};

// The one map of a kind. Called only from the framework's own sources, so that the map lives
// in the framework module whatever module asks.
template <class Map>
Map& TheHandleMap()
{
    static Map map;
    return map;
}
