#include "CZipStorage.h"

#include "CZipException.h"
#include "CZipPathComponent.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {
const DWORD kWriteBufferSize = 65536;
const DWORD kReadBufferSize = 65536;
const char kSpanSignature[4] = { 'P', 'K', 7, 8 };
}

CZipStorage::CZipStorage()
    : m_pFile(nullptr), m_iSpanMode(noSpan), m_pChangeDiskFunc(nullptr), m_uBytesInWriteBuffer(0),
      m_uCurrentVolSize(0), m_uBytesWritten(0), m_iCurrentDisk(-1), m_bInMemory(false), m_bReadOnly(false),
      m_bNewSpan(false), m_iTdSpanData(0), m_pDriveInfo(&m_defaultDriveInfo)
{
}

CZipStorage::~CZipStorage()
{
    if (m_pMapView)
        ZipPlatform::UnmapFile(m_pMapView, m_pMapping, m_uMapLength);
}

void CZipStorage::ThrowError(int code) const
{
    CZipException::Throw(code, m_pFile ? m_pFile->GetFilePath().c_str() : m_szArchiveName.c_str());
}

void CZipStorage::Open(const char* path, int openMode, ULONGLONG volumeSize)
{
    try {
        OpenPath(path, openMode, volumeSize);
    } catch (...) {
        m_internalfile.Abort();
        m_pFile = nullptr;
        m_pWriteBuffer.Release();
        m_iCurrentDisk = -1;
        m_iSpanMode = noSpan;
        m_bNewSpan = false;
        throw;
    }
}

void CZipStorage::OpenPath(const char* path, int openMode, ULONGLONG volumeSize)
{
    ResetReadBuffer();
    m_pWriteBuffer.Allocate(kWriteBufferSize);
    m_uBytesInWriteBuffer = 0;
    m_uBytesWritten = 0;
    m_bNewSpan = false;
    m_bRenameLastTd = false;
    m_bInMemory = false;
    m_pFile = &m_internalfile;
    m_szArchiveName = path;
    m_iLastDisk = 0;

    if (openMode == 0 || openMode == 1) {
        m_bReadOnly = openMode == 1;
        const UINT flags = CFile::modeNoTruncate | CFile::shareDenyWrite |
                           (m_bReadOnly ? CFile::modeRead : CFile::modeReadWrite);
        m_internalfile.Open(path, flags, true);
        m_iSpanMode = volumeSize ? suggestedTd : detectSpan;
        m_iCurrentDisk = -1;
    } else if (openMode == 2) {
        m_bReadOnly = false;
        m_iCurrentDisk = 0;
        m_internalfile.Open(path, CFile::modeCreate | CFile::modeReadWrite | CFile::shareDenyWrite, true);
        m_iSpanMode = noSpan;
    } else {
        m_bReadOnly = false;
        m_bNewSpan = true;
        m_iCurrentDisk = 0;
        if (volumeSize > 0) {
            m_iSpanMode = tdSpan;
            m_iTdSpanData = volumeSize;
        } else {
            m_iSpanMode = pkzipSpan;
            if (!m_pChangeDiskFunc)
                ThrowError(CZipException::noCallback);
            if (!m_pDriveInfo->IsDriveRemovable(path))
                ThrowError(CZipException::nonRemovable);
        }
        m_iCurrentDisk = -1;
        NextDisk(4);
        Write(kSpanSignature, 4, true);
    }
}

void CZipStorage::Open(CZipAbstractFile& file, int openMode)
{
    ResetReadBuffer();
    m_pWriteBuffer.Allocate(kWriteBufferSize);
    m_uBytesInWriteBuffer = 0;
    m_uBytesWritten = 0;
    m_bNewSpan = false;
    m_bRenameLastTd = false;
    m_bInMemory = true;
    m_pFile = &file;
    m_szArchiveName = file.GetFilePath();
    m_iLastDisk = 0;
    if (openMode == 2) {
        m_bReadOnly = false;
        m_iCurrentDisk = 0;
        m_iSpanMode = noSpan;
        file.SetLength(0);
    } else {
        m_bReadOnly = openMode == 1;
        m_iSpanMode = detectSpan;
        m_iCurrentDisk = -1;
        file.Seek(0, CZipAbstractFile::begin);
    }
}

void CZipStorage::UpdateSpanMode(WORD lastDisk)
{
    m_iCurrentDisk = lastDisk;
    m_iLastDisk = lastDisk;
    if (lastDisk == 0) {
        m_iSpanMode = noSpan;
        return;
    }
    if (m_bInMemory)
        ThrowError(CZipException::badZipFile);
    if (m_iSpanMode == detectSpan)
        m_iSpanMode = m_pDriveInfo->IsDriveRemovable(m_szArchiveName) ? pkzipSpan : tdSpan;
    else
        m_iSpanMode = tdSpan;
    if (m_iSpanMode == pkzipSpan && !m_pChangeDiskFunc)
        ThrowError(CZipException::noCallback);
    m_pWriteBuffer.Release();
}

int CZipStorage::IsSpanMode() const
{
    if (m_iSpanMode == noSpan || m_iSpanMode == detectSpan || m_iSpanMode == suggestedTd)
        return 0;
    return m_bNewSpan ? 1 : -1;
}

bool CZipStorage::IsClosed(bool archive) const
{
    if (archive)
        return m_pFile == nullptr;
    return !m_pFile || m_pFile->IsClosed();
}

void CZipStorage::ResetReadBuffer()
{
    m_bReadValid = false;
    m_bReadCheck = false;
    m_uReadLength = m_uReadPos = 0;
}

void CZipStorage::DropReadBuffer()
{
    if (m_bReadValid && m_uReadPos < m_uReadLength)
        m_pFile->Seek(static_cast<LONGLONG>(m_uReadStart + m_uReadPos), CZipAbstractFile::begin);
    ResetReadBuffer();
}

void CZipStorage::Seek(ULONGLONG position)
{
    if (m_bReadValid && !m_bReadCheck && position >= m_uReadStart && position <= m_uReadStart + m_uReadLength) {
        m_uReadPos = static_cast<DWORD>(position - m_uReadStart);
        return;
    }
    ResetReadBuffer();
    if (m_uBytesInWriteBuffer)
        Flush();
    m_pFile->Seek(static_cast<LONGLONG>(position), CZipAbstractFile::begin);
    m_uReadStart = position;
    m_bReadValid = true;
}

void CZipStorage::SeekTo(int disk, ULONGLONG position)
{
    if (disk != m_iCurrentDisk || m_pFile->IsClosed())
        ChangeDisk(disk);
    Seek(position);
}

DWORD CZipStorage::ReadSome(char* out, DWORD size)
{
    if (m_bReadCheck) {
        // Still in step unless the file was moved since.
        m_bReadCheck = false;
        if (m_bReadValid && m_pFile->GetPosition() != m_uReadStart + m_uReadLength)
            ResetReadBuffer();
    }
    if (m_uBytesInWriteBuffer)
        Flush();
    if (!m_bReadValid) {
        m_uReadStart = m_pFile->GetPosition();
        m_uReadLength = m_uReadPos = 0;
        m_bReadValid = true;
    }
    DWORD got = 0;
    while (got < size) {
        if (m_uReadPos == m_uReadLength) {
            m_uReadStart += m_uReadLength;
            m_uReadLength = m_uReadPos = 0;
            // What remains of a large read goes straight to the caller.
            if (size >= kReadBufferSize) {
                const DWORD n = m_pFile->Read(out + got, size - got);
                m_uReadStart += n;
                return got + n;
            }
            if (!m_readBuffer.IsAllocated())
                m_readBuffer.Allocate(kReadBufferSize);
            m_uReadLength = m_pFile->Read(m_readBuffer, kReadBufferSize);
            if (m_uReadLength == 0)
                break;
        }
        const DWORD n = std::min(size - got, m_uReadLength - m_uReadPos);
        std::memcpy(out + got, m_readBuffer.GetBuffer() + m_uReadPos, n);
        m_uReadPos += n;
        got += n;
    }
    return got;
}

DWORD CZipStorage::Read(void* buffer, DWORD size, bool atOnce)
{
    if (size == 0)
        return 0;
    char* out = static_cast<char*>(buffer);
    DWORD total = ReadSome(out, size);
    if (total == size)
        return size;
    if (IsSpanMode() >= 0)
        ThrowError(CZipException::badZipFile);
    if (atOnce) {
        // The block must lie whole on one volume: it may only start on the next one.
        if (total != 0)
            ThrowError(CZipException::badZipFile);
        ChangeDisk(m_iCurrentDisk + 1);
        if (ReadSome(out, size) != size)
            ThrowError(CZipException::badZipFile);
        return size;
    }
    while (total < size) {
        ChangeDisk(m_iCurrentDisk + 1);
        total += ReadSome(out + total, size - total);
    }
    return size;
}

CString CZipStorage::VolumeLabel(int disk) const
{
    char label[32];
    std::snprintf(label, sizeof label, "pkback# %.3d", disk + 1);
    return label;
}

CString CZipStorage::GetTdVolumeName(int disk, bool last) const
{
    CZipPathComponent zpc(m_szArchiveName);
    CString ext;
    if (last)
        ext = "zip";
    else
        ext.Format("%.3d", disk);
    CString base = m_szArchiveName;
    if (!zpc.GetFileExt().IsEmpty())
        base = base.Left(base.GetLength() - zpc.GetFileExt().GetLength() - 1);
    return base + "." + ext;
}

void CZipStorage::OpenReadVolume(int disk)
{
    if (m_iSpanMode == pkzipSpan) {
        m_pChangeDiskFunc->m_szExternalFile = m_szArchiveName;
        m_pChangeDiskFunc->m_uDiskNeeded = static_cast<DWORD>(disk + 1);
        for (;;) {
            if (!m_pChangeDiskFunc->Callback(-1))
                ThrowError(CZipException::aborted);
            if (m_internalfile.Open(m_szArchiveName, CFile::modeRead | CFile::shareDenyWrite, false))
                break;
        }
        return;
    }
    CString name = GetTdVolumeName(disk, disk == m_iLastDisk);
    if (disk != m_iLastDisk && ZipPlatform::FileExists(name) != 1) {
        // Volume sets of other tools number their volumes name.z01, name.z02, ...
        CString other;
        other.Format("z%.2d", disk + 1);
        CZipPathComponent zpc(m_szArchiveName);
        CString base = m_szArchiveName;
        if (!zpc.GetFileExt().IsEmpty())
            base = base.Left(base.GetLength() - zpc.GetFileExt().GetLength() - 1);
        if (ZipPlatform::FileExists(base + "." + other) == 1)
            name = base + "." + other;
    }
    m_internalfile.Open(name, CFile::modeRead | CFile::shareDenyWrite, true);
}

void CZipStorage::ChangeDisk(int disk)
{
    if (disk == m_iCurrentDisk && !m_pFile->IsClosed()) {
        m_bReadCheck = true;
        return;
    }
    ResetReadBuffer();
    // Nothing lies beyond the last volume.
    if (disk < 0 || disk > m_iLastDisk)
        ThrowError(CZipException::badZipFile);
    m_internalfile.Close();
    m_iCurrentDisk = disk;
    OpenReadVolume(disk);
}

ULONGLONG CZipStorage::GetPosition() const
{
    if (m_bReadValid) {
        const ULONGLONG filePosition = m_bReadCheck ? m_pFile->GetPosition() : m_uReadStart + m_uReadLength;
        // A file moved since ChangeDisk stands where it was moved to.
        return filePosition == m_uReadStart + m_uReadLength ? m_uReadStart + m_uReadPos : filePosition;
    }
    return m_pFile->GetPosition() + m_uBytesInWriteBuffer;
}

ULONGLONG CZipStorage::VolumeLeft() const
{
    const ULONGLONG used = m_uBytesWritten + m_uBytesInWriteBuffer;
    return m_uCurrentVolSize > used ? m_uCurrentVolSize - used : 0;
}

void CZipStorage::WriteInternal(const char* buffer, DWORD size)
{
    while (size > 0) {
        const DWORD room = m_pWriteBuffer.GetSize() - m_uBytesInWriteBuffer;
        const DWORD n = std::min(room, size);
        std::memcpy(m_pWriteBuffer.GetBuffer() + m_uBytesInWriteBuffer, buffer, n);
        m_uBytesInWriteBuffer += n;
        buffer += n;
        size -= n;
        if (m_uBytesInWriteBuffer == m_pWriteBuffer.GetSize())
            Flush();
    }
}

void CZipStorage::AssureFree(DWORD bytesNeeded)
{
    if (IsSpanMode() != 1)
        return;
    while (VolumeLeft() < bytesNeeded) {
        if (m_uBytesWritten + m_uBytesInWriteBuffer == 0 && m_iSpanMode == tdSpan)
            ThrowError(CZipException::internal);  // the block is bigger than a whole volume
        NextDisk(bytesNeeded);
    }
}

void CZipStorage::Write(const void* buffer, DWORD size, bool atOnce)
{
    if (m_bReadValid)
        DropReadBuffer();
    const char* in = static_cast<const char*>(buffer);
    if (IsSpanMode() != 1) {
        WriteInternal(in, size);
        return;
    }
    while (size > 0) {
        AssureFree(atOnce ? size : 1);
        const ULONGLONG left = VolumeLeft();
        const DWORD n = left < size ? static_cast<DWORD>(left) : size;
        WriteInternal(in, n);
        in += n;
        size -= n;
    }
}

void CZipStorage::Flush()
{
    if (m_bReadValid)
        DropReadBuffer();
    if (m_uBytesInWriteBuffer) {
        m_pFile->Write(m_pWriteBuffer, m_uBytesInWriteBuffer);
        if (IsSpanMode() == 1)
            m_uBytesWritten += m_uBytesInWriteBuffer;
        m_uBytesInWriteBuffer = 0;
    }
    if (IsSpanMode() == 1 && m_iSpanMode == pkzipSpan)
        m_uCurrentVolSize = m_pDriveInfo->GetDeviceFreeSpace(m_szArchiveName) + m_uBytesWritten;
}

void CZipStorage::NextDisk(DWORD bytesNeeded)
{
    Flush();
    if (m_iCurrentDisk < 0 || m_uBytesWritten) {
        m_uBytesWritten = 0;
        ++m_iCurrentDisk;
        if (m_iCurrentDisk >= 999)
            ThrowError(CZipException::tooManyVolumes);
    }
    m_internalfile.Close();
    if (m_iSpanMode == pkzipSpan) {
        int code = static_cast<int>(bytesNeeded);
        m_pChangeDiskFunc->m_szExternalFile = m_szArchiveName;
        m_pChangeDiskFunc->m_uDiskNeeded = static_cast<DWORD>(m_iCurrentDisk + 1);
        for (;;) {
            if (!m_pChangeDiskFunc->Callback(code))
                ThrowError(CZipException::aborted);
            if (ZipPlatform::FileExists(m_szArchiveName) != 0) {
                code = -2;
                continue;
            }
            if (!m_pDriveInfo->SetVolLabel(m_szArchiveName, VolumeLabel(m_iCurrentDisk))) {
                code = -3;
                continue;
            }
            if (!m_internalfile.Open(m_szArchiveName, CFile::modeCreate | CFile::modeReadWrite | CFile::shareDenyWrite, false)) {
                code = -4;
                continue;
            }
            break;
        }
        m_uCurrentVolSize = m_pDriveInfo->GetDeviceFreeSpace(m_szArchiveName);
    } else {
        m_internalfile.Open(GetTdVolumeName(m_iCurrentDisk, false),
                            CFile::modeCreate | CFile::modeReadWrite | CFile::shareDenyWrite, true);
        m_uCurrentVolSize = m_iTdSpanData;
        m_bRenameLastTd = true;
    }
}

void CZipStorage::WriteAt(int disk, ULONGLONG position, const void* data, DWORD size)
{
    if (disk == m_iCurrentDisk || IsSpanMode() == 0) {
        // Bytes still in the write buffer are changed there.
        if (m_uBytesInWriteBuffer && !m_bReadValid) {
            const ULONGLONG start = m_pFile->GetPosition();
            if (position >= start && position + size <= start + m_uBytesInWriteBuffer) {
                std::memcpy(m_pWriteBuffer.GetBuffer() + (position - start), data, size);
                return;
            }
        }
        Flush();
        const ULONGLONG back = m_pFile->GetPosition();
        m_pFile->Seek(static_cast<LONGLONG>(position), CZipAbstractFile::begin);
        m_pFile->Write(data, size);
        m_pFile->Seek(static_cast<LONGLONG>(back), CZipAbstractFile::begin);
        return;
    }
    // An earlier fixed-size volume (on removable disks entries carry data descriptors).
    if (m_iSpanMode != tdSpan)
        ThrowError(CZipException::internal);
    CZipFile volume;
    volume.Open(GetTdVolumeName(disk, false), CFile::modeReadWrite | CFile::modeNoTruncate, true);
    volume.Seek(static_cast<LONGLONG>(position), CZipAbstractFile::begin);
    volume.Write(data, size);
    volume.Close();
}

char* CZipStorage::BeginSingleConversion(DWORD& length)
{
    if (m_uBytesWritten == 0 && m_pFile->GetPosition() == 0) {
        length = m_uBytesInWriteBuffer;
        return m_pWriteBuffer.GetBuffer();
    }
    Flush();
    m_uMapLength = m_pFile->GetLength();
    if (!ZipPlatform::MapFile(m_pFile->GetHandle(), m_uMapLength, &m_pMapView, &m_pMapping)) {
        m_pMapView = m_pMapping = nullptr;
        return nullptr;
    }
    length = static_cast<DWORD>(m_uMapLength);
    return static_cast<char*>(m_pMapView);
}

void CZipStorage::EndSingleConversion(DWORD newLength)
{
    if (m_pMapView) {
        ZipPlatform::UnmapFile(m_pMapView, m_pMapping, m_uMapLength);
        m_pMapView = m_pMapping = nullptr;
        m_pFile->SetLength(newLength);
        m_pFile->Seek(static_cast<LONGLONG>(newLength), CZipAbstractFile::begin);
    } else {
        m_uBytesInWriteBuffer = newLength;
    }
    // From now on a single file; a fixed-size first volume still takes the "zip" name.
    m_bNewSpan = false;
    m_iSpanMode = noSpan;
    m_uBytesWritten = 0;
}

CString CZipStorage::Close(bool afterException)
{
    const bool wasReading = IsSpanMode() < 0;
    if (!afterException)
        Flush();
    if (!m_bInMemory) {
        if (afterException) {
            m_internalfile.Abort();
        } else {
            if (!m_bReadOnly && !wasReading && !m_internalfile.IsClosed())
                m_internalfile.Flush();
            m_internalfile.Close();
        }
    }
    if (!afterException && m_bRenameLastTd && m_iCurrentDisk >= 0) {
        const CString from = GetTdVolumeName(m_iCurrentDisk, false);
        const CString to = GetTdVolumeName(m_iCurrentDisk, true);
        if (ZipPlatform::FileExists(to))
            ZipPlatform::RemoveFile(to, true);
        ZipPlatform::RenameFile(from, to, true);
    }
    m_bRenameLastTd = false;
    m_pWriteBuffer.Release();
    m_uBytesInWriteBuffer = 0;
    ResetReadBuffer();
    m_readBuffer.Release();
    m_iCurrentDisk = -1;
    m_iSpanMode = noSpan;
    m_bNewSpan = false;
    m_pFile = nullptr;
    return m_szArchiveName;
}
