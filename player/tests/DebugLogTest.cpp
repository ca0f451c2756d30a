// The debug log: off by default, created at the first message, and silent when its file fails.
#include "CDebugLog.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/stat.h>

namespace {

std::string Folder(const char* name)
{
    const std::string folder = std::string(VELMORA_TEST_BINARY_DIR) + "/" + name;
#ifdef _WIN32
    mkdir(folder.c_str());
#else
    mkdir(folder.c_str(), 0755);
#endif
    return folder;
}

std::string LogPath(const std::string& folder) { return folder + "/" + CDebugLog::FileName; }

bool Exists(const std::string& path) { return std::ifstream(path).good(); }

} // namespace

TEST(DebugLog, WritesOneStringRecordAMessageFromTheFirstOn)
{
    const std::string folder = Folder("log_on");
    { std::ofstream(LogPath(folder)) << "old contents that must go"; }
    {
        CDebugLog log;
        log.SetUp(folder.c_str(), true);
        log.Write("Velmora Version: 2.9.6\n");
        log.Write("Splash Started...\n");
        log.Write(".");
        log.Close();
        log.Write("after the close"); // dropped, never reopens the file
    }
    CFileReadWrite f;
    ASSERT_TRUE(f.OpenRead(LogPath(folder).c_str()));
    EXPECT_EQ(f.ReadString(), CString("Velmora Version: 2.9.6\n"));
    EXPECT_EQ(f.ReadString(), CString("Splash Started...\n"));
    EXPECT_EQ(f.ReadString(), CString("."));
    EXPECT_EQ(f.ReadString(), CString(""));
    EXPECT_FALSE(f.IsOK());
    f.Close();
}

TEST(DebugLog, OffMeansNoFile)
{
    const std::string folder = Folder("log_off");
    std::remove(LogPath(folder).c_str());
    CDebugLog log;
    log.SetUp(folder.c_str(), false);
    log.Write("nothing");
    log.Close();
    EXPECT_FALSE(Exists(LogPath(folder)));
}

TEST(DebugLog, AFileThatCannotBeMadeDropsTheMessagesWithoutThrowing)
{
    CDebugLog log;
    log.SetUp((std::string(VELMORA_TEST_BINARY_DIR) + "/no/such/folder").c_str(), true);
    EXPECT_NO_THROW(log.Write("lost"));
    EXPECT_NO_THROW(log.Write("lost too"));
    EXPECT_NO_THROW(log.Close());
}

#ifndef _WIN32
#include <unistd.h>
TEST(DebugLog, AWriteThatFailsIsSwallowed)
{
    // A log file that takes nothing: every write fails with "no space left".
    const std::string folder = Folder("log_full");
    std::remove(LogPath(folder).c_str());
    ASSERT_EQ(symlink("/dev/full", LogPath(folder).c_str()), 0);
    CDebugLog log;
    log.SetUp(folder.c_str(), true);
    EXPECT_NO_THROW(log.Write("Velmora Version: 2.9.6\n"));
    EXPECT_NO_THROW(log.Write("more"));
    EXPECT_NO_THROW(log.Close());
}
#endif
