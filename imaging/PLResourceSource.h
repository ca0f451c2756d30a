// Data source over a resource of a Windows module (Windows build only).
#pragma once
#include "PLDataSource.h"

#ifdef _WIN32
class PLResourceSource : public PLDataSource {
public:
    explicit PLResourceSource(PLIProgressNotification* notification = nullptr);
    ~PLResourceSource() override;

    // Finds resource id of the type (RT_RCDATA when none is given); 0 or code 4.
    int Open(HINSTANCE instance, int resourceId, const char* resourceType = nullptr);
    void Close() override;
    BYTE* CurrentPointer() override { return m_pCurPos; }

protected:
    void advance(int n) override { m_pCurPos += n; }

private:
    HRSRC m_hRsrc = nullptr;
    HGLOBAL m_hGlobal = nullptr;
    BYTE* m_pCurPos = nullptr;
};
#endif
