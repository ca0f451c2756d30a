#include "ZipCompatibility.h"

#include "CZipException.h"

namespace {

typedef DWORD (*Converter)(DWORD, bool toDos);

DWORD Unchanged(DWORD attr, bool) { return attr; }

DWORD Macintosh(DWORD attr, bool) { return attr & 0x11; }

DWORD Unix(DWORD attr, bool toDos)
{
    if (toDos) {
        DWORD dos = 0;
        if (attr & 0x40000000)
            dos |= 0x10;
        if (!(attr & 0x00800000))
            dos |= 0x01;
        if (!(attr & 0x00400000))
            dos |= 0x20;
        if (!(attr & 0x01000000))
            dos |= 0x02;
        return dos;
    }
    DWORD unix = 0;
    if (!(attr & 0x02))
        unix |= 0x01240000;
    if (!(attr & 0x01))
        unix |= 0x00900000;
    unix |= (attr & 0x10) ? 0x40000010 : 0x80000000;
    return unix;
}

Converter ConverterOf(int code)
{
    switch (code) {
    case ZipCompatibility::zcDosFat:
    case ZipCompatibility::zcOs2Hpfs:
    case ZipCompatibility::zcNtfs: return Unchanged;
    case ZipCompatibility::zcUnix: return Unix;
    case ZipCompatibility::zcMacintosh: return Macintosh;
    default: return nullptr;
    }
}

}

bool ZipCompatibility::IsPlatformSupported(int code)
{
    return ConverterOf(code) != nullptr;
}

DWORD ZipCompatibility::ConvertToSystem(DWORD attributes, int from, int to)
{
    if (from == to)
        return attributes;
    Converter fromConv = (from >= 0 && from <= 10) ? ConverterOf(from) : nullptr;
    Converter toConv = (to >= 0 && to <= 10) ? ConverterOf(to) : nullptr;
    if (!fromConv || !toConv)
        CZipException::Throw(CZipException::platfNotSupp);
    return toConv(fromConv(attributes, true), false);
}
