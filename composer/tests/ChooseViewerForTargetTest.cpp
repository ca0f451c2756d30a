// The kind of viewer a chosen target gets, and the additional viewer entries as stored.
#include "ChooseViewerForTarget.h"
#include "TidyAdditionalViewers.h"

#include "CViewer.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* target;
    bool shift;
    int kind;
};

const Case kCases[] = {
    {"index.htm", false, CViewer::TypeWeb},
    {"docs\\Intro.HTML", false, CViewer::TypeWeb},          // capitals, in a sub-folder
    {"notes.html.txt", false, CViewer::TypeWeb},            // anywhere, not only at the end
    {".htm", false, CViewer::TypeFile},                     // only after the first character
    {"http://www.example.com", false, CViewer::TypeWeb},
    {"HTTPS://secure.example.com/a.zip", false, CViewer::TypeWeb},  // the address wins over .zip
    {"ftp://example.com", false, CViewer::TypeFile},
    {"data.zip", false, CViewer::TypeZip},
    {"old.ZIP.bak", false, CViewer::TypeZip},
    {".zip", false, CViewer::TypeFile},
    {"page.htm.zip", false, CViewer::TypeWeb},              // the first rule that matches
    {"clip.mpeg", false, CViewer::TypeMedia},
    {"clip.MPG", false, CViewer::TypeMedia},
    {"clip.wmv", false, CViewer::TypeMedia},
    {"song.wma", false, CViewer::TypeMedia},
    {"stream.asf", false, CViewer::TypeMedia},
    {"video\\clip.avi", false, CViewer::TypeMedia},
    {"list.asx", false, CViewer::TypeMedia},
    {"clip.avi", true, CViewer::TypeFile},                  // the left Shift key held
    {"index.htm", true, CViewer::TypeFile},
    {"SlideShow", true, CViewer::TypeFile},
    {"movie.swf", false, CViewer::TypeFlash},
    {"movie.zip.swf", false, CViewer::TypeZip},
    {"slideshow", false, CViewer::TypeSlideShow},
    {"SLIDESHOW", false, CViewer::TypeSlideShow},
    {"slideshow.exe", false, CViewer::TypeFile},            // the keywords are whole texts
    {"Menu", false, CViewer::TypeMenu},
    {"menu.txt", false, CViewer::TypeFile},
    {"setup.exe", false, CViewer::TypeFile},
    {"", false, CViewer::TypeFile},
};

TEST(ChooseViewerForTarget, EachRuleOnItsCases)
{
    for (const Case& c : kCases)
        EXPECT_EQ(ChooseViewerForTarget(c.target, c.shift), c.kind) << c.target << (c.shift ? " with Shift" : "");
}

AdditionalViewerEntry Entry(const char* extension, const char* installer, const char* confirmation = "",
                            const char* version = "")
{
    AdditionalViewerEntry entry;
    entry.Extension = extension;
    entry.InstallerPath = installer;
    entry.Confirmation = confirmation;
    entry.MinimumVersion = version;
    return entry;
}

TEST(TidyAdditionalViewers, TrimsRemovesDotsAndCountsByTheLastInstaller)
{
    // The rows after the last one with an installer are not counted, but stay as typed
    // (tidied) for the next opening of the dialog.
    std::vector<AdditionalViewerEntry> entries = {Entry(" .pdf  ", " Acrobat\\setup.exe ", " Install? ", " 5.0 "),
                                                  Entry("doc", "", " Word? ", "9"), Entry("x.l.s", "")};
    EXPECT_EQ(TidyAdditionalViewers(entries), 1u);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].Extension, "pdf");
    EXPECT_EQ(entries[0].InstallerPath, "Acrobat\\setup.exe");
    EXPECT_EQ(entries[0].Confirmation, "Install?");
    EXPECT_EQ(entries[0].MinimumVersion, "5.0");
    EXPECT_EQ(entries[1].Extension, "doc");
    EXPECT_EQ(entries[1].Confirmation, "Word?");
    EXPECT_EQ(entries[1].MinimumVersion, "9");
    EXPECT_EQ(entries[2].Extension, "xls");

    // Only the second has an installer: two entries, the first with its empty path.
    entries = {Entry("pdf", ""), Entry(".swf", "flash.msi"), Entry("", "  ")};
    EXPECT_EQ(TidyAdditionalViewers(entries), 2u);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].InstallerPath, "");
    EXPECT_EQ(entries[1].Extension, "swf");
    EXPECT_EQ(entries[2].InstallerPath, "");

    entries = {Entry("a", ""), Entry("b", ""), Entry("c", "c.exe")};
    EXPECT_EQ(TidyAdditionalViewers(entries), 3u);
    EXPECT_EQ(entries.size(), 3u);

    entries = {Entry("a", " "), Entry("b", ""), Entry("c", "")};
    EXPECT_EQ(TidyAdditionalViewers(entries), 0u);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].Extension, "a");
}

}  // namespace
