// Typed record file: a plain sequence of records, each a 1-byte tag (0 flag, 1 integer,
// 2 string), a 2-byte little-endian payload length and the payload. Strings are scrambled
// with a fixed key. The programs open and close it; the viewers library only reads and
// writes records on an object handed to it, so every module shares this one layout.
// Reads and writes go through a buffer: what is written reaches the file at Flush, at Close
// (which reports a failing write as the write itself would) and when the buffer is full.
#pragma once
#include "CFile.h"
#include "CString.h"

#include <vector>

class CFileReadWrite {
public:
    enum : BYTE { TagFlag = 0, TagInt = 1, TagString = 2, TagEnd = 255 };
    // A string record holds at most this many bytes; longer strings are cut to it.
    static const UINT MaxStringLength = 65535;

    CFileReadWrite();
    virtual ~CFileReadWrite();
    CFileReadWrite(const CFileReadWrite&) = delete;
    CFileReadWrite& operator=(const CFileReadWrite&) = delete;

    BOOL IsOK() const { return m_ok; }
    // True when a file opened for reading has no byte left to read (or none is open).
    bool AtEnd();
    BOOL OpenRead(const char* path);
    BOOL OpenWrite(const char* path);
    // Writes what is buffered and closes; a failing write throws its CFileException (the
    // file is closed all the same).
    BOOL Close();
    // Hands what is buffered to the file now, so it survives the end of this process.
    void Flush();

    void WriteBool(int value);
    void WriteInt(int value);
    void WriteString(const CString& value);

    // A record of another kind reads as 0 or "" and consumes only its 3-byte header.
    int ReadBool();
    int ReadInt();
    CString ReadString();

private:
    void WriteHeader();
    void ReadHeader();
    void WriteValue(BYTE tag, int value);
    int ReadValue(BYTE tag);
    void Scramble(BYTE* bytes, UINT count, int sign) const;
    // Buffered counterparts of the file's Write and Read (Read gives fewer bytes only at
    // the end of the file).
    void Put(const void* bytes, UINT count);
    UINT Get(void* bytes, UINT count);

    CFile m_file;
    std::vector<BYTE> m_buffer;
    UINT m_used = 0;      // writing: bytes waiting; reading: bytes in the buffer
    UINT m_consumed = 0;  // reading: bytes of the buffer already handed out
    bool m_writing = false;
    BYTE m_tag;
    WORD m_length;
    CString m_key;
    BOOL m_ok;
};
