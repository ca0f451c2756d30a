#include "PLMemSource.h"

PLMemSource::PLMemSource(PLIProgressNotification* notification) : PLDataSource(notification) {}

PLMemSource::~PLMemSource() = default;

int PLMemSource::Open(const BYTE* data, int size) {
    m_pCurPos = const_cast<BYTE*>(data);
    SetNameAndSize("Mem", size);
    return 0;
}

void PLMemSource::Close() {
    m_pCurPos = nullptr;
    PLDataSource::Close();
}
