#include "ZipShellLink.h"

#include "CZipArchive.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

bool SaveZipShellLink(const CString& linkPath, const CString& target, const CString& description,
                      const CString& icon)
{
    // A link into a folder that does not exist cannot be saved: the program group is made.
    const int cut = linkPath.ReverseFind('\\');
    if (cut > 0)
        CZipArchive::ForceDirectory(linkPath.Left(cut));
    const HRESULT init = ::CoInitialize(nullptr);
    bool saved = false;
    IShellLinkA* link = nullptr;
    if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                     reinterpret_cast<void**>(&link)))) {
        link->SetPath(target);
        link->SetDescription(description);
        if (!icon.IsEmpty())
            link->SetIconLocation(icon, 0);
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            WCHAR wide[MAX_PATH] = L"";
            if (::MultiByteToWideChar(CP_ACP, 0, linkPath, -1, wide, MAX_PATH) > 0)
                saved = SUCCEEDED(file->Save(wide, TRUE));
            file->Release();
        }
        link->Release();
    }
    if (SUCCEEDED(init))
        ::CoUninitialize();
    return saved;
}
