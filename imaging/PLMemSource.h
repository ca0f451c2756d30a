// Data source over a block of memory the caller keeps alive.
#pragma once
#include "PLDataSource.h"

class PLMemSource : public PLDataSource {
public:
    explicit PLMemSource(PLIProgressNotification* notification = nullptr);
    ~PLMemSource() override;

    int Open(const BYTE* data, int size);  // never fails: 0
    void Close() override;
    BYTE* CurrentPointer() override { return m_pCurPos; }

protected:
    void advance(int n) override { m_pCurPos += n; }

private:
    BYTE* m_pCurPos = nullptr;
};
