// Base of the filters that change a bitmap's size.
#pragma once
#include "PLFilter.h"

class PLFilterResize : public PLFilter {
public:
    PLFilterResize(int newWidth, int newHeight);
    ~PLFilterResize() override;

    void SetNewSize(int newWidth, int newHeight);
    int GetNewWidth() const { return m_NewXSize; }
    int GetNewHeight() const { return m_NewYSize; }

protected:
    int m_NewXSize;
    int m_NewYSize;
};
