// The archive's file or volumes: buffered reading and writing, reading across volumes, and
// the two kinds of multi-volume archive (removable disks, fixed-size volume files).
// Reads go through a buffer: whoever moves or writes m_pFile directly calls Flush (or
// ChangeDisk) first, and positions the archive for reading with Seek or SeekTo.
#pragma once
#include "CString.h"
#include "CZipBuffer.h"
#include "CZipDriveInfo.h"
#include "CZipFile.h"
#include "CZipSpanCallback.h"

class CZipStorage {
public:
    enum ZipSpanMode {
        noSpan = 0,
        pkzipSpan = 1,    // removable disks
        tdSpan = 2,       // fixed-size volume files
        detectSpan = 3,   // opened, kind not known yet
        suggestedTd = 4   // opened, the caller announced fixed-size volumes
    };

    CZipStorage();
    ~CZipStorage();
    CZipStorage(const CZipStorage&) = delete;
    CZipStorage& operator=(const CZipStorage&) = delete;

    void Open(const char* path, int openMode, ULONGLONG volumeSize);
    void Open(CZipAbstractFile& file, int openMode);
    // Settles the kind of an opened archive from the disk number of its end record.
    void UpdateSpanMode(WORD lastDisk);

    // Reads size bytes; with atOnce the block must lie on the current volume.
    DWORD Read(void* buffer, DWORD size, bool atOnce);
    // Positions the current volume for reading (within what is buffered, no system call).
    void Seek(ULONGLONG position);
    // Positions the volume of that disk for reading.
    void SeekTo(int disk, ULONGLONG position);
    // Appends through the write buffer, starting new volumes as needed; with atOnce the
    // block goes wholly onto one volume.
    void Write(const void* buffer, DWORD size, bool atOnce);
    void Flush();
    // Makes the volume of that disk current (reading).
    void ChangeDisk(int disk);
    CString Close(bool afterException);

    // 0 single file, 1 writing volumes, -1 reading volumes.
    int IsSpanMode() const;
    int GetSpanMode() const { return m_iSpanMode; }
    int GetCurrentDisk() const { return m_iCurrentDisk; }
    bool IsReadOnly() const { return m_bReadOnly; }
    bool IsClosed(bool archive) const;
    // Position in the current volume, counting what is buffered.
    ULONGLONG GetPosition() const;
    // Bytes the current volume being written still takes.
    ULONGLONG VolumeLeft() const;
    // Starts a new volume when the current one cannot take bytesNeeded at once.
    void AssureFree(DWORD bytesNeeded);
    // Overwrites bytes already written at a position of a volume (local headers).
    void WriteAt(int disk, ULONGLONG position, const void* data, DWORD size);
    // The name of the file of a fixed-size volume ("zip" for the last one).
    CString GetTdVolumeName(int disk, bool last) const;
    CString GetArchivePath() const { return m_szArchiveName; }

    // The written data of a volume set that stayed on its first volume, to be turned
    // into a single file: the buffered bytes when nothing was written out yet, else a
    // mapping of the file. Null when neither can be had.
    char* BeginSingleConversion(DWORD& length);
    // Ends it with the new length; the archive is a single file from now on.
    void EndSingleConversion(DWORD newLength);

    void SetDriveInfo(CZipDriveInfo* info) { m_pDriveInfo = info ? info : &m_defaultDriveInfo; }

    CZipFile m_internalfile;
    CZipAbstractFile* m_pFile;
    int m_iSpanMode;
    CZipSpanCallback* m_pChangeDiskFunc;
    DWORD m_uBytesInWriteBuffer;
    ULONGLONG m_uCurrentVolSize;
    CZipBuffer m_pWriteBuffer;
    ULONGLONG m_uBytesWritten;
    int m_iCurrentDisk;
    bool m_bInMemory;
    bool m_bReadOnly;
    bool m_bNewSpan;
    ULONGLONG m_iTdSpanData;

private:
    void OpenPath(const char* path, int openMode, ULONGLONG volumeSize);
    void NextDisk(DWORD bytesNeeded);
    void WriteInternal(const char* buffer, DWORD size);
    void ThrowError(int code) const;
    CString VolumeLabel(int disk) const;
    void OpenReadVolume(int disk);
    // Up to size bytes of the current volume, through the read buffer.
    DWORD ReadSome(char* out, DWORD size);
    // Gives up what is buffered for reading, leaving the file where reading had got to.
    void DropReadBuffer();
    void ResetReadBuffer();

    CString m_szArchiveName;
    int m_iLastDisk = 0;
    bool m_bRenameLastTd = false;
    CZipDriveInfo m_defaultDriveInfo;
    CZipDriveInfo* m_pDriveInfo;
    void* m_pMapView = nullptr;
    void* m_pMapping = nullptr;
    ULONGLONG m_uMapLength = 0;

    // Read buffer: while m_bReadValid, it holds the file's bytes from m_uReadStart on
    // (m_uReadLength of them), the file stands at their end and reading at m_uReadPos.
    CZipBuffer m_readBuffer;
    ULONGLONG m_uReadStart = 0;
    DWORD m_uReadLength = 0;
    DWORD m_uReadPos = 0;
    bool m_bReadValid = false;
    // Set by ChangeDisk to the current disk: the file may be moved directly next, so the
    // buffer is checked against its position before it is used again.
    bool m_bReadCheck = false;
};
