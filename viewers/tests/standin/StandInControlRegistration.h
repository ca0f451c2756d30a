// Registers the stand-in player controls in HKEY_CLASSES_ROOT under the real class ids for as
// long as the object lives (this Wine ignores per-user classes), then puts back what was there
// (Wine's own media player entry) and removes what was not.
#pragma once
#include "CRegistryKey.h"

#include <string>
#include <vector>

class StandInControlRegistration {
public:
    static constexpr const char* Newer = "CLSID\\{6BF52A52-394A-11D3-B153-00C04F79FAA6}\\InprocServer32";
    static constexpr const char* Older = "CLSID\\{22D6F312-B0F6-11D0-94AB-0080C74C7E95}\\InprocServer32";
    static constexpr const char* Flash = "CLSID\\{D27CDB6E-AE6D-11CF-96B8-444553540000}\\InprocServer32";

    StandInControlRegistration() = default;
    ~StandInControlRegistration()
    {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
            if (it->had) {
                m_classes.SetString(it->key.c_str(), "", it->server.c_str());
                m_classes.SetString(it->key.c_str(), "ThreadingModel", it->model.c_str());
            } else {
                m_classes.Delete(Parent(it->key).c_str(), nullptr);
            }
        }
    }
    StandInControlRegistration(const StandInControlRegistration&) = delete;
    StandInControlRegistration& operator=(const StandInControlRegistration&) = delete;

    // The class of key served by the file at path (which need not exist).
    void Register(const char* key, const std::string& path)
    {
        Saved s;
        s.key = key;
        CString server, model;
        s.had = m_classes.QueryString(key, "", server);
        m_classes.QueryString(key, "ThreadingModel", model);
        s.server = server.c_str();
        s.model = model.c_str();
        bool known = false;
        for (const Saved& o : m_saved)
            known = known || o.key == s.key;
        if (!known)
            m_saved.push_back(s);
        m_classes.SetString(key, "", path.c_str());
        m_classes.SetString(key, "ThreadingModel", "Apartment");
    }
    // The class of key no longer registered.
    void Unregister(const char* key)
    {
        Register(key, "");
        m_classes.Delete(Parent(key).c_str(), nullptr);
    }

private:
    struct Saved {
        std::string key, server, model;
        bool had = false;
    };
    static std::string Parent(const std::string& key) { return key.substr(0, key.rfind('\\')); }

    CRegistryKey m_classes{ HKEY_CLASSES_ROOT };
    std::vector<Saved> m_saved;
};
