// Data source over a whole file mapped read-only into memory.
#pragma once
#include "PLDataSource.h"

class PLFileSource : public PLDataSource {
public:
    explicit PLFileSource(PLIProgressNotification* notification = nullptr);
    ~PLFileSource() override;

    // 0 on success, else the error code: 3 path not found, 5 access denied, sharing
    // violation or no mapping, 4 anything else.
    virtual int Open(const char* path);
    void Close() override;
    BYTE* CurrentPointer() override { return m_pCurPos; }

protected:
    void advance(int n) override { m_pCurPos += n; }

private:
#ifdef _WIN32
    HANDLE m_hf = INVALID_HANDLE_VALUE;
    HANDLE m_hm = nullptr;
#else
    int m_fd = -1;
    size_t m_MappedSize = 0;
#endif
    BYTE* m_pStartPos = nullptr;
    BYTE* m_pCurPos = nullptr;
};
