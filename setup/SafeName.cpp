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

bool IsPlainPath(std::string_view path)
{
    if (path.empty())
        return false;
    for (std::string_view::size_type i = 0; i < path.size(); ++i) {
        const unsigned char ch = static_cast<unsigned char>(path[i]);
        if (ch == ':') {
            if (i != 1 || !((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')))
                return false;
        } else if (IsForbiddenChar(ch)) {
            return false;
        }
    }
    return true;
}
