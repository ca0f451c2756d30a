#include "PLFileExtension.h"
#include "PLPicDecoder.h"
#include "PLTextException.h"
#include <cctype>
#include <new>
#include <string>

bool PLHasFileExtension(const char* name, const char* extension) {
    std::string upper, ext;
    try {
        upper = name ? name : "";
        ext = extension;
    } catch (const std::bad_alloc&) {
        PLPicDecoder::raiseError(PL_ERRNO_MEMORY, "Out of memory during strdup.");
    }
    for (char& c : upper)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    for (char& c : ext)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    size_t sep = upper.find_last_of("\\/:");
    size_t dot = upper.find_last_of('.');
    if (dot == std::string::npos || (sep != std::string::npos && dot < sep))
        return false;
    return upper.compare(dot, std::string::npos, ext) == 0;
}
