// Typed record file: a plain sequence of records, each a 1-byte tag (0 flag, 1 integer,
// 2 string), a 2-byte little-endian payload length and the payload. Strings are scrambled
// with a fixed key. The programs open and close it; the viewers library only reads and
// writes records on an object handed to it, so every module shares this one layout.
// Reading goes through a buffer: a record is a few bytes, and a read of the system each
// would make a large file slow to load.
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
    BOOL Close();

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
    // Reads up to count bytes through the buffer; fewer only at the end of the file.
    UINT ReadBytes(void* bytes, UINT count);
    bool FillBuffer();

    CFile m_file;
    std::vector<BYTE> m_buffer;
    size_t m_bufferPos;
    size_t m_bufferEnd;
    BYTE m_tag;
    WORD m_length;
    CString m_key;
    BOOL m_ok;
};
