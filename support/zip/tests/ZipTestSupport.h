// Paths, scratch folders and byte helpers shared by the zip tests.
#pragma once
#include "CZipArchive.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace ziptest {

typedef std::vector<unsigned char> Bytes;

inline std::string Fixture(const std::string& name)
{
    return std::string(VELMORA_TEST_SOURCE_DIR) + "/fixtures/" + name;
}

inline Bytes ReadBytes(const std::string& path)
{
    Bytes out;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        unsigned char buf[65536];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
            out.insert(out.end(), buf, buf + n);
        std::fclose(f);
    }
    return out;
}

inline void WriteBytes(const std::string& path, const Bytes& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    if (!bytes.empty())
        std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

inline void WriteText(const std::string& path, const std::string& text)
{
    WriteBytes(path, Bytes(text.begin(), text.end()));
}

inline bool Exists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

// A fresh folder for the running test.
inline std::string Scratch()
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string dir = std::string(VELMORA_TEST_BINARY_DIR) + "/scratch/" + info->test_suite_name() + "." + info->name();
    std::error_code ec;
    std::filesystem::permissions(dir, std::filesystem::perms::all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(dir, ec);
    std::filesystem::create_directories(dir, ec);
    return dir;
}

// Every file under a folder, as paths relative to it with "/" separators.
inline std::vector<std::string> FilesUnder(const std::string& dir)
{
    std::vector<std::string> out;
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(dir, ec);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        std::string rel = std::filesystem::relative(it->path(), dir, ec).generic_string();
        out.push_back(rel + (it->is_directory() ? "/" : ""));
    }
    std::sort(out.begin(), out.end());
    return out;
}

// Runs f, which must throw a CZipException with that code.
template <class F> void ExpectZipError(int code, F f)
{
    try {
        f();
        ADD_FAILURE() << "no exception, expected code " << code;
    } catch (CZipException* e) {
        EXPECT_EQ(e->m_iCause, code) << e->GetErrorDescription().c_str();
        e->Delete();
    }
}

inline WORD Get16(const Bytes& b, size_t at) { return static_cast<WORD>(b[at] | (b[at + 1] << 8)); }
inline DWORD Get32(const Bytes& b, size_t at)
{
    return static_cast<DWORD>(b[at]) | (static_cast<DWORD>(b[at + 1]) << 8) | (static_cast<DWORD>(b[at + 2]) << 16) |
           (static_cast<DWORD>(b[at + 3]) << 24);
}
inline void Put16(Bytes& b, size_t at, WORD v) { b[at] = v & 0xFF; b[at + 1] = v >> 8; }
inline void Put32(Bytes& b, size_t at, DWORD v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = (v >> (8 * i)) & 0xFF;
}
inline size_t Find(const Bytes& b, const char* sig, size_t from = 0)
{
    for (size_t i = from; i + 4 <= b.size(); ++i)
        if (b[i] == sig[0] && b[i + 1] == sig[1] && b[i + 2] == sig[2] && b[i + 3] == sig[3])
            return i;
    return std::string::npos;
}

// Copies of an archive (made by Info-ZIP zip) whose deflated entry `name` is damaged in two
// ways unzip -t rejects as well: a wrong CRC, and compressed data with bytes changed.
struct DamagedCopy {
    const char* what;
    Bytes archive;
};
inline std::vector<DamagedCopy> DamagedEntryCopies(const Bytes& b, const std::string& name)
{
    size_t c = Find(b, "PK\x01\x02");
    while (c != std::string::npos &&
           std::string(b.begin() + c + 46, b.begin() + c + 46 + Get16(b, c + 28)) != name)
        c = Find(b, "PK\x01\x02", c + 4);
    if (c == std::string::npos)
        return {};
    const size_t local = Get32(b, c + 42);
    const size_t data = local + 30 + Get16(b, local + 26) + Get16(b, local + 28);
    const DWORD compressed = Get32(b, c + 20);
    Bytes crc = b;
    Put32(crc, local + 14, Get32(b, local + 14) ^ 1);
    Put32(crc, c + 16, Get32(b, c + 16) ^ 1);
    Bytes changed = b;
    for (size_t i = compressed / 2; i < compressed / 2 + 8; ++i)
        changed[data + i] ^= 0x5A;
    return { { "a wrong CRC", crc }, { "changed compressed data", changed } };
}

// Extracts every entry of an archive into dir; returns false when one fails.
inline bool ExtractAll(CZipArchive& zip, const std::string& dir)
{
    bool ok = true;
    for (int i = 0; i < zip.GetCount(); ++i)
        ok = zip.ExtractFile(static_cast<WORD>(i), dir.c_str()) && ok;
    return ok;
}

}
