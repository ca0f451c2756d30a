#include "SafeName.h"

namespace {

bool IsForbiddenChar(unsigned char ch)
{
    if (ch < 0x20 || ch == 0x7f)
        return true;
    switch (ch) {
    case '<': case '>': case ':': case '"': case '|': case '?': case '*':
        return true;
    default:
        return false;
    }
}

} // namespace

bool IsNameInsideFolder(std::string_view name)
{
    if (name.empty())
        return false;
    std::string_view::size_type start = 0;
    for (;;) {
        std::string_view::size_type end = name.find_first_of("\\/", start);
        std::string_view part = name.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (part.empty() || part.back() == '.' || part.back() == ' ')
            return false;
        for (char ch : part)
            if (IsForbiddenChar(static_cast<unsigned char>(ch)))
                return false;
        if (end == std::string_view::npos)
            return true;
        start = end + 1;
    }
}
