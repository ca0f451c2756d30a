#include "CZipInstaller.h"

#include "CFileException.h"
#include "CZipArchive.h"
#include "CZipException.h"
#include "CZipFileHeader.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include <memory>

namespace {

CString Normalised(CString path)
{
    path.Replace('/', '\\');
    return path;
}

bool IsFile(const CString& path)
{
#ifdef _WIN32
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
#else
    // The archive library names paths with backslashes on every system.
    CString local = path;
    local.Replace('\\', '/');
    struct stat st;
    return ::stat(local, &st) == 0 && !S_ISDIR(st.st_mode);
#endif
}

bool SamePath(const CString& a, const CString& b) { return Normalised(a).CompareNoCase(Normalised(b)) == 0; }

CString TextOf(CException* e)
{
    char text[512] = "";
    if (!e->GetErrorMessage(text, sizeof text) || !text[0])
        return CString("The archive could not be read.");
    return CString(text);
}

// Runs work on an open archive; whatever the archive library throws becomes error text
// and the archive is closed in its after-exception mode.
template <class Work>
bool WithArchive(const CString& path, const CString& password, CString& error, Work work)
{
    auto archive = std::make_unique<CZipArchive>();
    try {
        archive->SetCaseSensitivity(false);
        if (!archive->Open(path, CZipArchive::zipOpenReadOnly)) {
            error = CString("The archive could not be opened: ") + path;
            return false;
        }
        archive->SetPassword(password.IsEmpty() ? nullptr : password.c_str());
        const bool ok = work(*archive);
        archive->Close(CZipArchive::afNoException, false);
        return ok;
    } catch (CException* e) {
        error = TextOf(e);
        e->Delete();
    }
    archive->Close(CZipArchive::afAfterException, false);
    return false;
}

}

CZipInstaller::CZipInstaller(const CString& archive, const CString& password)
    : m_archive(archive), m_password(password)
{
}

bool CZipInstaller::Survey(const CString& destination)
{
    m_files = 0;
    m_existing.clear();
    m_error.Empty();
    return WithArchive(m_archive, m_password, m_error, [&](CZipArchive& zip) {
        const int count = zip.GetCount();
        for (int i = 0; i < count; ++i) {
            CZipFileHeader header;
            if (!zip.GetFileInfo(header, WORD(i)) || header.IsDirectory())
                continue;
            ++m_files;
            const CString target = zip.PredictExtractedFileName(header.GetFileName(), destination, true);
            if (IsFile(target))
                m_existing.push_back(target);
        }
        return true;
    });
}

bool CZipInstaller::Extract(const CString& destination, const Progress& progress)
{
    m_failed.clear();
    m_error.Empty();
    int files = 0;
    const bool read = WithArchive(m_archive, m_password, m_error, [&](CZipArchive& zip) {
        const int count = zip.GetCount();
        int total = 0;
        for (int i = 0; i < count; ++i) {
            CZipFileHeader header;
            if (zip.GetFileInfo(header, WORD(i)) && !header.IsDirectory())
                ++total;
        }
        if (total < 1)
            total = 1;
        if (progress)
            progress(0, total);
        for (int i = 0; i < count; ++i) {
            CZipFileHeader header;
            if (!zip.GetFileInfo(header, WORD(i))) {
                CString unread;
                unread.Format("#%d", i);
                m_failed.push_back(unread);
                continue;
            }
            const CString name = header.GetFileName();
            const CString target = zip.PredictExtractedFileName(name, destination, true);
            // The archive being read is never written over.
            if (SamePath(target, zip.GetArchivePath()) || SamePath(target, m_archive)) {
                m_failed.push_back(name);
                continue;
            }
            if (!zip.ExtractFile(WORD(i), destination, true, nullptr, CZipArchive::kBufferSize)) {
                m_failed.push_back(name);
                continue;
            }
            if (!header.IsDirectory() && progress)
                progress(++files, total);
        }
        if (progress)
            progress(total, total);
        return true;
    });
    if (read && !m_failed.empty()) {
        m_error = "These entries could not be installed:";
        for (const CString& name : m_failed)
            m_error += CString("\r\n") + name;
    }
    return read && m_failed.empty();
}
