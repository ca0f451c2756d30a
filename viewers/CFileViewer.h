// A document or program target, opened through the program registered for its type.
#pragma once
#include "CViewer.h"

class VIEWERS_API CFileViewer : public CViewer {
public:
    CFileViewer();
    ~CFileViewer() override;

    void SetEqual(CViewer* other) override;
    void Read_DAT_File(CFileReadWrite* file, int major, int minor, int build) override;
    void Write_DAT_File(CFileReadWrite* file, int major, int minor, int build) override;
};
