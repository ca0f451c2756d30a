// Unpacks a cabinet, or a set of cabinets, into a folder through the system's cabinet
// decompression interface (FDI). The handlers decide where each file goes and how a
// missing next cabinet of a set is found.
#pragma once
#include "CPathName.h"
#include <windows.h>
#include <fdi.h>
#include <vector>

class CCabExtractor {
public:
    // Errors the extractor sets itself (beside FDI's own in GetErf()).
    enum { errorCabinetNotFound = 1, errorNotACabinet = 2, errorWrongCabinet = 10, errorAborted = 11 };

    CCabExtractor();
    virtual ~CCabExtractor();
    CCabExtractor(const CCabExtractor&) = delete;
    CCabExtractor& operator=(const CCabExtractor&) = delete;

    virtual PFNALLOC GetAllocFunc();
    virtual PFNFREE GetFreeFunc();
    virtual PFNOPEN GetOpenFunc();
    virtual PFNREAD GetReadFunc();
    virtual PFNWRITE GetWriteFunc();
    virtual PFNCLOSE GetCloseFunc();
    virtual PFNSEEK GetSeekFunc();
    virtual PFNFDINOTIFY GetNotifyFunc();

    virtual bool OnCabinetInfo(USHORT setId, const char* cabinetPath, const char* nextCabinet,
                               const char* nextDisk, USHORT cabinetIndex);
    virtual bool OnPartialFile(const char* fileName, const char* firstCabinet, const char* firstDisk);
    // Sets destination (empty or skip = true to skip the file); false aborts the extraction.
    virtual bool OnCopyFile(const char* fileName, long size, CPathName& destination, bool& skip);
    virtual bool OnCloseFileInfo(const char* fileName, USHORT date, USHORT time, USHORT attributes);
    virtual bool OnFileDone(const char* fileName);
    virtual bool OnEnumerate();
    // The next cabinet of a set is missing: the handler may change cabinetPath (the folder
    // to look in). False gives up.
    virtual bool OnNextCabinet(const char* nextCabinet, const char* nextDisk, CPathName& cabinetPath,
                               FDIERROR error);

    // Target := path with a trailing "\".
    void SetTargetFolder(const char* path);
    const CPathName& GetTargetFolder() const { return m_target; }
    bool IsCabinet(const char* path, FDICABINETINFO* info = nullptr);
    // Unpacks the cabinet (and with followSet the rest of its set). On failure the files
    // this call wrote are deleted again.
    bool Extract(const char* cabinetPath, bool followSet);

    const ERF& GetErf() const { return m_erf; }
    int GetLastError() const { return m_lastError; }
    bool IsCancelled() const { return m_cancelled; }

private:
    static INT_PTR DIAMONDAPI Notify(FDINOTIFICATIONTYPE type, PFDINOTIFICATION info);
    INT_PTR OnNotify(FDINOTIFICATIONTYPE type, PFDINOTIFICATION info);
    bool CopyOnce(const CPathName& cabinet);
    bool FindNextCabinet();
    void DeleteWrittenFiles();
    int NotedIndex() const;

    ERF m_erf;
    bool m_created;
    int m_lastError;
    bool m_cancelled;
    CPathName m_currentCabinet; // the cabinet of the next FDICopy
    CPathName m_nextCabinet;    // the next cabinet named by the one FDICopy was called on
    CString m_diskName;
    CString m_nextDisk;
    int m_expectedIndex;
    int m_currentIndex;
    int m_startedIndex;
    int m_finishedIndex;
    bool m_lastCabinet;
    bool m_fileSkipped;
    bool m_firstInfoOfCopy;
    HFDI m_hfdi;
    CPathName m_target;
    CPathName m_lastDestination;
    std::vector<CString> m_written;
};
