// Where a decoder reads its bytes from: a name, a size, and a read position that only
// moves forwards. Reading past the end throws code 11.
#pragma once
#include "PLObject.h"
#include "WinTypes.h"
#include <string>

class PLIProgressNotification;

class PLDataSource : public PLObject {
public:
    explicit PLDataSource(PLIProgressNotification* notification = nullptr);
    ~PLDataSource() override;

    virtual void SetNameAndSize(const char* name, int size);
    virtual void Close();
    // Pointer to the current position, not advanced. Checks that n more bytes exist.
    virtual BYTE* PeekBytes(int n);
    // Checks that n more bytes exist, advances past them and returns a pointer to them.
    virtual BYTE* ReadBytes(int n);
    virtual BYTE* CurrentPointer() = 0;

    const char* GetName() const { return m_Name.c_str(); }
    int GetFileSize() const { return m_FileSize; }
    int GetBytesRead() const { return int(m_BytesRead); }
    int GetBytesLeft() const { return int(m_FileSize - m_BytesRead); }
    PLIProgressNotification* GetNotification() const { return m_pNotification; }

    // Readers of the usual multi-byte values.
    BYTE ReadByte() { return *ReadBytes(1); }
    WORD ReadWordLE();
    DWORD ReadDWordLE();
    WORD ReadWordBE();
    DWORD ReadDWordBE();

protected:
    // Advances the read position of the source's own pointer.
    virtual void advance(int n) = 0;

private:
    std::string m_Name;
    int m_FileSize = 0;
    long long m_BytesRead = 0;
    PLIProgressNotification* m_pNotification;
};
