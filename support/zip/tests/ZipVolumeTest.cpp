// Multi-volume archives: fixed-size volume files, and removable disks through a stand-in
// drive (a folder whose "disks" the disk-change callback swaps).
#include "ZipTestSupport.h"

#include "CZipDriveInfo.h"

#include <map>

using namespace ziptest;

namespace {

std::string Noise(size_t n, unsigned seed)
{
    std::string s(n, 0);
    for (char& c : s) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 16);
    }
    return s;
}

Bytes B(const std::string& s) { return Bytes(s.begin(), s.end()); }

void AddData(CZipArchive& zip, const char* name, const std::string& data, int level = -1)
{
    CZipFileHeader h;
    h.SetFileName(name);
    h.SetTime(std::time(nullptr));
    h.m_uExternalAttr = 0x20;
    ASSERT_TRUE(zip.OpenNewFile(h, level));
    ASSERT_TRUE(zip.WriteNewFile(data.data(), static_cast<DWORD>(data.size())));
    ASSERT_TRUE(zip.CloseNewFile());
}

Bytes Entry(CZipArchive& zip, WORD index)
{
    Bytes out;
    EXPECT_TRUE(zip.OpenFile(index));
    unsigned char buf[4096];
    DWORD n;
    while ((n = zip.ReadFile(buf, sizeof buf)) > 0)
        out.insert(out.end(), buf, buf + n);
    EXPECT_EQ(zip.CloseFile(), 1);
    return out;
}

// A removable drive: the archive's folder; the disks taken out are kept in store/.
struct FakeDrive : CZipDriveInfo, CZipSpanCallback {
    std::string drive, store, archive;
    ULONGLONG capacity = 0;
    bool removable = true;
    int refuseAt = 0;
    std::vector<std::string> labels;
    std::vector<int> codes;
    int inserted = 0;  // 1-based number of the disk in the drive, 0 none

    FakeDrive(const std::string& dir, ULONGLONG cap) : capacity(cap)
    {
        drive = dir + "/drive";
        store = dir + "/store";
        archive = drive + "/set.zip";
        std::filesystem::create_directories(drive);
        std::filesystem::create_directories(store);
    }
    std::string Disk(int n) const { return store + "/disk" + std::to_string(n) + ".zip"; }
    void TakeOut()
    {
        if (inserted && Exists(archive)) {
            std::filesystem::remove(Disk(inserted));
            std::filesystem::rename(archive, Disk(inserted));
        }
        inserted = 0;
    }

    bool IsDriveRemovable(const char*) override { return removable; }
    ULONGLONG GetDeviceFreeSpace(const char*) override
    {
        std::error_code ec;
        ULONGLONG used = Exists(archive) ? std::filesystem::file_size(archive, ec) : 0;
        return capacity > used ? capacity - used : 0;
    }
    bool SetVolLabel(const char*, const char* label) override
    {
        labels.push_back(label);
        return true;
    }
    bool Callback(int code) override
    {
        codes.push_back(code);
        if (refuseAt && static_cast<int>(m_uDiskNeeded) >= refuseAt)
            return false;
        if (code == -1) {
            // Reading: put the wanted disk into the drive.
            TakeOut();
            std::filesystem::copy_file(Disk(static_cast<int>(m_uDiskNeeded)), archive,
                                       std::filesystem::copy_options::overwrite_existing);
            inserted = static_cast<int>(m_uDiskNeeded);
            return true;
        }
        if (code == -2)
            return false;
        TakeOut();  // an empty disk
        inserted = static_cast<int>(m_uDiskNeeded);
        return true;
    }
};

}

TEST(ZipVolume, FixedSizeVolumes)
{
    const std::string dir = Scratch();
    const std::string path = dir + "/name.zip";
    const std::string a = Noise(150000, 1), b = Noise(100000, 2);
    {
        CZipArchive zip;
        ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipCreateSpan, 100000));
        EXPECT_EQ(zip.GetSpanMode(), 1);
        AddData(zip, "a.bin", a);
        AddData(zip, "b.bin", b, 0);
        EXPECT_FALSE(zip.OpenFile(0));  // no reading while volumes are written
        zip.Close();
    }
    EXPECT_EQ(FilesUnder(dir), std::vector<std::string>({ "name.000", "name.001", "name.zip" }));
    EXPECT_EQ(std::filesystem::file_size(dir + "/name.000"), 100000u);
    const Bytes first = ReadBytes(dir + "/name.000");
    EXPECT_EQ(Get32(first, 0), 0x08074b50u);

    CZipArchive zip;
    ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipOpenReadOnly));
    EXPECT_EQ(zip.GetSpanMode(), -1);
    ASSERT_EQ(zip.GetCount(), 2);
    EXPECT_EQ(Entry(zip, 1), B(b));
    EXPECT_EQ(Entry(zip, 0), B(a));
    const std::string out = dir + "/out";
    EXPECT_TRUE(ExtractAll(zip, out));
    zip.Close();
    EXPECT_EQ(ReadBytes(out + "/b.bin"), B(b));
}

TEST(ZipVolume, ReadingPastTheLastVolumeIsDamage)
{
    const std::string dir = Scratch();
    const std::string path = dir + "/v.zip";
    {
        CZipArchive zip;
        ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipCreateSpan, 70000));
        AddData(zip, "a.bin", Noise(100000, 5), 0);
        AddData(zip, "b.bin", Noise(1000, 6), 0);
        zip.Close();
    }
    // The last entry claims more data than the set holds (and has a descriptor, so the
    // local header is not compared).
    Bytes last = ReadBytes(dir + "/v.zip");
    const size_t c = Find(last, "PK\x01\x02", Find(last, "PK\x01\x02") + 4);
    ASSERT_NE(c, std::string::npos);
    const DWORD local = Get32(last, c + 42);
    Put16(last, c + 8, 8);
    Put16(last, local + 6, 8);
    Put32(last, c + 20, 500000);
    Put32(last, c + 24, 500000);
    WriteBytes(dir + "/v.zip", last);
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipOpenReadOnly));
    ASSERT_TRUE(zip.OpenFile(1));
    std::vector<char> buf(600000);
    ExpectZipError(101, [&] { zip.ReadFile(buf.data(), static_cast<DWORD>(buf.size())); });
    zip.Close(CZipArchive::afAfterException);
}

TEST(ZipVolume, SetThatFitsOneVolumeBecomesASingleFile)
{
    const std::string dir = Scratch();
    const std::string path = dir + "/one.zip";
    {
        CZipArchive zip;
        ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipCreateSpan, 1000000));
        AddData(zip, "noise.bin", Noise(150000, 4), 0);  // more than the write buffer holds
        AddData(zip, "plain.txt", std::string(5000, 'p'));
        ASSERT_TRUE(zip.SetPassword("pw"));
        AddData(zip, "secret.txt", std::string(3000, 's'));
        ASSERT_TRUE(zip.SetPassword(nullptr));
        AddData(zip, "stored.txt", "stored", 0);
        zip.Close();
    }
    EXPECT_EQ(FilesUnder(dir), std::vector<std::string>({ "one.zip" }));
    const Bytes b = ReadBytes(path);
    EXPECT_EQ(Get32(b, 0), 0x04034b50u);
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipOpenReadOnly));
    EXPECT_EQ(zip.GetSpanMode(), 0);
    ASSERT_EQ(zip.GetCount(), 4);
    EXPECT_EQ(Entry(zip, 0), B(Noise(150000, 4)));
    EXPECT_EQ(Entry(zip, 1), B(std::string(5000, 'p')));
    EXPECT_EQ(Entry(zip, 3), B("stored"));
    ASSERT_TRUE(zip.SetPassword("pw"));
    EXPECT_EQ(Entry(zip, 2), B(std::string(3000, 's')));
    zip.Close();
}

TEST(ZipVolume, RemovableDisks)
{
    const std::string dir = Scratch();
    FakeDrive fake(dir, 40000);
    const std::string a = Noise(60000, 11), b = Noise(20000, 13) + std::string(20000, 'b'), c = Noise(15000, 12);
    {
        CZipArchive zip;
        zip.GetStorage()->SetDriveInfo(&fake);
        zip.SetSpanCallback(&fake);
        ASSERT_TRUE(zip.Open(fake.archive.c_str(), CZipArchive::zipCreateSpan));
        AddData(zip, "a.bin", a);
        AddData(zip, "b.txt", b);
        ASSERT_TRUE(zip.SetPassword("pw"));
        AddData(zip, "c.bin", c);
        zip.Close();
        fake.TakeOut();
    }
    ASSERT_GE(fake.labels.size(), 3u);
    EXPECT_EQ(fake.labels[0], "pkback# 001");
    EXPECT_EQ(fake.labels[2], "pkback# 003");
    const int disks = static_cast<int>(fake.labels.size());
    for (int n = 1; n <= disks; ++n)
        EXPECT_LE(std::filesystem::file_size(fake.Disk(n)), 40000u) << n;
    // Every entry has a signed data descriptor.
    const Bytes first = ReadBytes(fake.Disk(1));
    EXPECT_EQ(Get32(first, 0), 0x08074b50u);
    EXPECT_EQ(Get16(first, 4 + 6) & 8, 8);

    // Reading starts with the last disk in the drive.
    std::filesystem::copy_file(fake.Disk(disks), fake.archive);
    fake.inserted = disks;
    CZipArchive zip;
    zip.GetStorage()->SetDriveInfo(&fake);
    zip.SetSpanCallback(&fake);
    ASSERT_TRUE(zip.Open(fake.archive.c_str(), CZipArchive::zipOpenReadOnly));
    EXPECT_EQ(zip.GetSpanMode(), -1);
    ASSERT_EQ(zip.GetCount(), 3);
    EXPECT_EQ(Entry(zip, 0), B(a));
    EXPECT_EQ(Entry(zip, 1), B(b));
    ASSERT_TRUE(zip.SetPassword("pw"));
    EXPECT_EQ(Entry(zip, 2), B(c));
    zip.Close();
}

TEST(ZipVolume, RemovableSetOnOneDiskBecomesASingleFile)
{
    const std::string dir = Scratch();
    FakeDrive fake(dir, 1000000);
    CZipArchive zip;
    zip.GetStorage()->SetDriveInfo(&fake);
    zip.SetSpanCallback(&fake);
    ASSERT_TRUE(zip.Open(fake.archive.c_str(), CZipArchive::zipCreateSpan));
    AddData(zip, "a.txt", Noise(100000, 21));  // the data leave the write buffer
    AddData(zip, "b.txt", "bb", 0);
    zip.Close();
    const Bytes b = ReadBytes(fake.archive);
    EXPECT_EQ(Get32(b, 0), 0x04034b50u);
    EXPECT_EQ(Find(b, "PK\x07\x08"), std::string::npos);
    ASSERT_TRUE(zip.Open(fake.archive.c_str(), CZipArchive::zipOpenReadOnly));
    EXPECT_EQ(zip.GetSpanMode(), 0);
    CZipFileHeader h;
    ASSERT_TRUE(zip.GetFileInfo(h, 0));
    EXPECT_EQ(h.m_uFlag & 8, 0);
    EXPECT_EQ(Entry(zip, 0), B(Noise(100000, 21)));
    EXPECT_EQ(Entry(zip, 1), B("bb"));
    zip.Close();
}

TEST(ZipVolume, SpanningErrors)
{
    const std::string dir = Scratch();
    FakeDrive fake(dir, 20000);
    {
        CZipArchive zip;
        zip.GetStorage()->SetDriveInfo(&fake);
        ExpectZipError(103, [&] { zip.Open(fake.archive.c_str(), CZipArchive::zipCreateSpan); });
        EXPECT_TRUE(zip.IsClosed());
        zip.SetSpanCallback(&fake);
        fake.removable = false;
        ExpectZipError(107, [&] { zip.Open(fake.archive.c_str(), CZipArchive::zipCreateSpan); });
        fake.removable = true;
    }
    {
        // The user gives up at the second disk.
        fake.refuseAt = 2;
        CZipArchive zip;
        zip.GetStorage()->SetDriveInfo(&fake);
        zip.SetSpanCallback(&fake);
        ASSERT_TRUE(zip.Open(fake.archive.c_str(), CZipArchive::zipCreateSpan));
        ExpectZipError(104, [&] { AddData(zip, "a.bin", Noise(50000, 1)); });
        zip.Close(CZipArchive::afAfterException);
        EXPECT_TRUE(zip.IsClosed());
        fake.refuseAt = 0;
    }
    {
        // A header that no volume can hold ends in an error instead of endless new volumes.
        CZipArchive zip;
        ASSERT_TRUE(zip.Open((dir + "/tiny.zip").c_str(), CZipArchive::zipCreateSpan, 20));
        ExpectZipError(112, [&] { AddData(zip, "a-long-name.bin", "x", 0); });
        zip.Close(CZipArchive::afAfterException);
    }
    {
        // At most 999 volumes.
        CZipArchive zip;
        ASSERT_TRUE(zip.Open((dir + "/many.zip").c_str(), CZipArchive::zipCreateSpan, 1000));
        zip.GetStorage()->m_iCurrentDisk = 997;
        ExpectZipError(108, [&] { AddData(zip, "a.bin", Noise(5000, 1), 0); });
        zip.Close(CZipArchive::afAfterException);
    }
}

TEST(ZipVolume, SmartAddingIntoVolumesGoesThroughMemory)
{
    const std::string dir = Scratch();
    WriteText(dir + "/noise.bin", Noise(90000, 31));
    WriteText(dir + "/text.txt", std::string(90000, 't'));
    const std::string path = dir + "/set/smart.zip";
    std::filesystem::create_directories(dir + "/set");
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipCreateSpan, 50000));
    ASSERT_TRUE(zip.SetPassword("pw"));
    for (const char* f : { "noise.bin", "text.txt" }) {
        CZipAddFileOptions options((dir + "/" + f).c_str());
        options.m_iSmartLevel = 15;
        ASSERT_TRUE(zip.AddNewFile(options)) << f;
    }
    zip.Close();
    EXPECT_EQ(FilesUnder(dir + "/set"), std::vector<std::string>({ "smart.000", "smart.zip" }));
    ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipOpenReadOnly));
    CZipFileHeader h;
    ASSERT_TRUE(zip.GetFileInfo(h, 0));
    EXPECT_EQ(h.m_uMethod, 0);
    EXPECT_TRUE(h.IsEncrypted());
    ASSERT_TRUE(zip.GetFileInfo(h, 1));
    EXPECT_EQ(h.m_uMethod, 8);
    ASSERT_TRUE(zip.SetPassword("pw"));
    EXPECT_EQ(Entry(zip, 0), ReadBytes(dir + "/noise.bin"));
    EXPECT_EQ(Entry(zip, 1), ReadBytes(dir + "/text.txt"));
    zip.Close();
}

TEST(ZipVolume, BlocksThatMustNotCrossAVolume)
{
    const std::string dir = Scratch();
    const std::string path = dir + "/x.zip";
    const std::string data = Noise(250000, 8);
    {
        CZipArchive zip;
        ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipCreateSpan, 100000));
        AddData(zip, "a.bin", data, 0);
        zip.Close();
    }
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipOpenReadOnly));
    CZipStorage* storage = zip.GetStorage();
    char buf[100];
    storage->ChangeDisk(0);
    storage->m_pFile->Seek(100000 - 10, CZipAbstractFile::begin);
    ExpectZipError(101, [&] { storage->Read(buf, 30, true); });
    storage->ChangeDisk(0);
    storage->m_pFile->Seek(100000 - 10, CZipAbstractFile::begin);
    EXPECT_EQ(storage->Read(buf, 100, false), 100u);
    EXPECT_EQ(storage->GetCurrentDisk(), 1);
    // 30 bytes of local header and 5 of name come before the data on the first volume.
    EXPECT_EQ(std::string(buf, 100), data.substr(100000 - 10 - 35 - 4, 100));
    zip.Close();
}
