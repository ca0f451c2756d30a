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
