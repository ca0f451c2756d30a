// Menu targets without a window: the settings, the slots and their limit, where the window
// puts its buttons and text box, the e-mail address rule, and the record with the buttons'
// own viewers' records inside it, in both forms a file may hold them, with who frees which
// viewer (the sanitizers of this tree catch a leak or a double free).
#include "CFileViewer.h"
#include "CFlashViewer.h"
#include "CFolderViewer.h"
#include "CMediaViewer.h"
#include "CMenuViewer.h"
#include "CSlideShowViewer.h"
#include "CWebViewer.h"
#include "CZipViewer.h"
#include "MenuWindowLayout.h"
#include "RecordDecoder.h"
#include "ViewerFactory.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

TEST(MenuViewer, DefaultsSettersAndTheTwentyFiveSlots)
{
    CMenuViewer m;
    const CMenuViewerSettings defaults;
    EXPECT_TRUE(m.MenuSettings() == defaults);
    EXPECT_EQ(m.GetShowMenuTitleBar(), 1);
    EXPECT_EQ(m.GetMenuTitle(), "My Menu");
    EXPECT_EQ(m.GetMenuWidth(), 640);
    EXPECT_EQ(m.GetMenuHeight(), 480);
    EXPECT_EQ(m.GetShowMenuText(), 0);
    EXPECT_EQ(m.GetMenuText(), "My Menu Text");
    EXPECT_EQ(m.GetShowMenuBackgroundColor(), 0);
    EXPECT_EQ(m.GetMenuBackgroundColor(), 0u);
    EXPECT_EQ(m.GetMenuBackgroundImage(), "");
    EXPECT_EQ(m.GetMenuButtonCount(), 0);

    m.SetShowMenuTitleBar(0);
    m.SetMenuTitle("Demo");
    m.SetMenuWidth(500);
    m.SetMenuHeight(300);
    m.SetShowMenuText(1);
    m.SetMenuText("<b>Hi</b>");
    m.SetShowMenuBackgroundColor(1);
    m.SetMenuBackgroundColor(0x00123456);
    m.SetMenuBackgroundImage("art\\menu.bmp");
    CMenuViewerSettings s;
    s.ShowMenuTitleBar = 0;
    s.MenuTitle = "Demo";
    s.MenuWidth = 500;
    s.MenuHeight = 300;
    s.ShowMenuText = 1;
    s.MenuText = "<b>Hi</b>";
    s.ShowMenuBackgroundColor = 1;
    s.MenuBackgroundColor = 0x00123456;
    s.MenuBackgroundImage = "art\\menu.bmp";
    EXPECT_TRUE(m.MenuSettings() == s);

    m.SetProgramDirectory("D:\\");
    std::vector<std::unique_ptr<CFileViewer>> given;
    for (int i = 0; i < 26; ++i) {
        given.emplace_back(new CFileViewer);
        CString caption;
        caption.Format("B%d", i);
        m.AddMenuButton(caption, i % 3, MenuActionFile, given.back().get());
    }
    EXPECT_EQ(m.GetMenuButtonCount(), 25) << "a 26th button changes nothing";
    EXPECT_EQ(m.GetMenuButtonCaption(24), "B24");
    EXPECT_EQ(m.GetMenuButtonStyle(24), 0);
    EXPECT_EQ(m.GetMenuButtonAction(24), MenuActionFile);
    EXPECT_EQ(m.GetMenuButtonViewer(24), given[24].get());
    EXPECT_EQ(given[0]->GetProgramDirectory(), "D:\\") << "a given viewer gets the menu's folder";
    EXPECT_EQ(given[25]->GetProgramDirectory(), "") << "the ignored one is left alone";
    EXPECT_EQ(m.GetMenuButtonViewer(25), nullptr);
    EXPECT_EQ(m.GetMenuButtonCaption(-1), "");
    EXPECT_EQ(m.GetMenuButtonAction(30), MenuActionNone);

    m.ClearMenuButtons();
    EXPECT_EQ(m.GetMenuButtonCount(), 0);
    EXPECT_EQ(m.GetMenuButtonViewer(0), nullptr);
    given[0]->SetTargetFilename("still mine");  // not freed by the menu

    std::unique_ptr<CViewer> made(NewViewerOfType(CViewer::TypeMenu));
    EXPECT_NE(dynamic_cast<CMenuViewer*>(made.get()), nullptr);
}

TEST(MenuViewer, TheButtonViewerClassOfEveryTypeCode)
{
    const struct {
        int code;
        int type;
    } cases[] = { { 0, 0 }, { 1, 1 }, { 2, 2 }, { 3, 3 }, { 4, 4 }, { 5, 5 }, { 6, 6 }, { 7, 0 }, { 8, 0 }, { -1, 0 } };
    for (const auto& c : cases)
        EXPECT_EQ(ButtonViewerType(c.code), c.type) << c.code;
}

TEST(MenuLayoutDecisions, ButtonsTextBoxAndIds)
{
    struct Case {
        const char* what;
        int width, height;
        std::vector<int> captions, actions;
        int widest, step;
        std::vector<MenuButtonPlace> buttons;  // id, x, y, width, height
        LayoutRect text;
    };
    const Case cases[] = {
        { "three narrow buttons", 640, 480, { 30, 40, 20 }, { 0, 2, 3 }, 75, 70,
          { { 1024, { 515, 50, 75, 25 } }, { 1025, { 515, 120, 75, 25 } }, { 1026, { 515, 190, 75, 25 } } },
          { 50, 150, 415, 280 } },
        { "the third is Exit: at the bottom, id 1", 640, 480, { 30, 40, 20 }, { 0, 2, 4 }, 75, 70,
          { { 1024, { 515, 50, 75, 25 } }, { 1025, { 515, 120, 75, 25 } }, { 1, { 515, 405, 75, 25 } } },
          { 50, 150, 415, 280 } },
        { "an Exit that is not last stays in the column", 640, 480, { 30, 40, 20 }, { 4, 2, 3 }, 75, 70,
          { { 1, { 515, 50, 75, 25 } }, { 1025, { 515, 120, 75, 25 } }, { 1026, { 515, 190, 75, 25 } } },
          { 50, 150, 415, 280 } },
        { "a caption wider than 75 widens them all", 640, 480, { 30, 120 }, { 0, 1 }, 120, 70,
          { { 1024, { 470, 50, 120, 25 } }, { 1025, { 470, 120, 120, 25 } } }, { 50, 150, 370, 280 } },
        { "the step shrinks with the height, buttons may overlap", 400, 225, { 10, 10, 10, 10, 10 },
          { 0, 0, 0, 0, 4 }, 75, 20,
          { { 1024, { 275, 50, 75, 25 } }, { 1025, { 275, 70, 75, 25 } }, { 1026, { 275, 90, 75, 25 } },
            { 1027, { 275, 110, 75, 25 } }, { 1, { 275, 150, 75, 25 } } },
          { 50, 150, 175, 25 } },
        { "no buttons: the text box reaches to width - 100", 640, 480, {}, {}, 0, 0, {}, { 50, 150, 490, 280 } },
        { "wider than the window: negative x, nothing cut", 100, 480, { 90 }, { 0 }, 90, 70,
          { { 1024, { -40, 50, 90, 25 } } }, { 50, 150, -140, 280 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const MenuLayout l = LayOutMenu(c.width, c.height, c.captions, c.actions);
        EXPECT_EQ(l.widest, c.widest);
        EXPECT_EQ(l.step, c.step);
        ASSERT_EQ(l.buttons.size(), c.buttons.size());
        for (size_t i = 0; i < c.buttons.size(); ++i) {
            EXPECT_EQ(l.buttons[i].id, c.buttons[i].id) << i;
            EXPECT_TRUE(l.buttons[i].rect == c.buttons[i].rect)
                << i << ": " << l.buttons[i].rect.x << "," << l.buttons[i].rect.y << " " << l.buttons[i].rect.width;
        }
        EXPECT_TRUE(l.textBox == c.text) << l.textBox.x << "," << l.textBox.y << " " << l.textBox.width << "x"
                                         << l.textBox.height;
    }
}

TEST(MenuLayoutDecisions, TheWindowCentredWithItsCaptionOnTop)
{
    const struct {
        int width, height;
        bool titleBar;
        LayoutRect window;
    } cases[] = {
        { 640, 480, true, { 320, 263, 640, 498 } },   // 480 + an 18-pixel caption on a 1280 x 1024 screen
        { 640, 480, false, { 320, 272, 640, 480 } },
        { 1281, 1025, false, { 0, 0, 1281, 1025 } },  // (1280 - 1281) / 2 truncates toward zero
        { 1301, 400, true, { -10, 303, 1301, 418 } },
    };
    for (const auto& c : cases) {
        const LayoutRect r = MenuWindowRect(c.width, c.height, c.titleBar, 18, 1280, 1024);
        EXPECT_TRUE(r == c.window) << c.width << "x" << c.height << ": " << r.x << "," << r.y << " " << r.width << "x"
                                   << r.height;
    }
}

TEST(MenuLayoutDecisions, TheMailAddressRule)
{
    const struct {
        const char* target;
        const char* opened;
    } cases[] = {
        { "sales@example.com", "mailto:sales@example.com" },
        { "mailto:sales@example.com", "mailto:sales@example.com" },
        { "MAILTO:Sales@Example.com", "MAILTO:Sales@Example.com" },
        { "MailTo:x@y", "MailTo:x@y" },
        { "", "mailto:" },
        { " mailto:x@y", "mailto: mailto:x@y" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(MenuMailTarget(c.target), c.opened) << c.target;
}

// --- the record

class MenuRecord : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = std::string(VELMORA_TEST_BINARY_DIR) + "/"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".dat";
    }
    void TearDown() override { std::remove(path_.c_str()); }

    // Reads one target as the programs do: its type code, then its viewer, then the sentinel.
    std::unique_ptr<CMenuViewer> ReadMenu(int major, int minor, int build, int* sentinel, bool typeCode = true)
    {
        CFileReadWrite in;
        EXPECT_TRUE(in.OpenRead(path_.c_str()));
        if (typeCode)
            EXPECT_EQ(in.ReadInt(), CViewer::TypeMenu);
        std::unique_ptr<CMenuViewer> read(new CMenuViewer);
        read->SetViewerType(CViewer::TypeMenu);
        read->SetProgramDirectory("E:\\");
        read->SetTempPath("C:\\Temp");
        read->SetProjectRegistryKey("key-7");
        read->Read_DAT_File(&in, major, minor, build);
        *sentinel = in.ReadInt();
        if (!in.IsOK())
            *sentinel = -1;
        return read;
    }
    std::string path_;
};

// The common record of a file viewer as files of 2.5 hold it: no launch type, no failsafe.
void WriteOldCommonRecord(CFileReadWrite& f, const char* target)
{
    f.WriteString(target);
    f.WriteString("");
    f.WriteBool(0);
    f.WriteBool(0);
    f.WriteString("");
    f.WriteString("");
    f.WriteBool(0);
}

void WriteMenuFields(CFileReadWrite& f)
{
    CMenuViewerSettings().Write(f);
}

TEST_F(MenuRecord, EveryKindOfButtonViewerTravelsInsideTheMenuRecord)
{
    CFileViewer file;
    file.SetViewerType(CViewer::TypeFile);
    file.SetTargetFilename("docs\\readme.txt");
    CFolderViewer folder;
    folder.SetViewerType(CViewer::TypeFolder);
    folder.SetTargetFilename("D:\\base\\Pictures");
    CWebViewer web;
    web.SetViewerType(CViewer::TypeWeb);
    web.SetTargetFilename("web\\index.html");
    web.SetCustomWidth(700);
    CZipViewer zip;
    zip.SetViewerType(CViewer::TypeZip);
    zip.SetTargetFilename("setup\\app.zip");
    zip.AddShortcut(1, "app\\readme.txt", 1, "Read me", "", 1);
    CMediaViewer media;
    media.SetViewerType(CViewer::TypeMedia);
    media.SetTargetFilename("clip.vmedia");
    CFlashViewer flash;
    flash.SetViewerType(CViewer::TypeFlash);
    flash.SetTargetFilename("movie.vflash");
    flash.SetCustomFlashWidth(333);
    CSlideShowViewer show;
    show.SetViewerType(CViewer::TypeSlideShow);
    show.AddSlide("one.png");
    CFileViewer mail;
    mail.SetViewerType(CViewer::TypeFile);
    mail.SetTargetFilename("sales@example.com");

    CMenuViewer menu;
    menu.SetViewerType(CViewer::TypeMenu);
    menu.SetProgramDirectory("D:\\base");
    menu.SetMenuTitle("Everything");
    menu.SetMenuBackgroundColor(0x00ABCDEF);
    CViewer* viewers[] = { &file, &folder, &web, &zip, &media, &flash, &show };
    const int actions[] = { 0, 1, 2, 0, 0, 0, 3 };
    for (int i = 0; i < 7; ++i) {
        CString caption;
        caption.Format("Kind %d", i);
        menu.AddMenuButton(caption, i % 3, actions[i], viewers[i]);
    }
    menu.AddMenuButton("Mail us", 1, MenuActionMail, &mail);
    menu.AddMenuButton("Exit", 2, MenuActionExit, nullptr);
    {
        CFileReadWrite out;
        ASSERT_TRUE(out.OpenWrite(path_.c_str()));
        menu.Write_DAT_File(&out, 2, 9, 6);
        out.WriteInt(0x5e7);
        out.Close();
    }
    int sentinel = 0;
    std::unique_ptr<CMenuViewer> read = ReadMenu(2, 9, 6, &sentinel);
    EXPECT_EQ(sentinel, 0x5e7) << "the reader stays in step";
    EXPECT_TRUE(read->MenuSettings() == menu.MenuSettings());
    ASSERT_EQ(read->GetMenuButtonCount(), 9);
    const std::type_info* classes[] = { &typeid(CFileViewer), &typeid(CFolderViewer), &typeid(CWebViewer),
                                        &typeid(CZipViewer), &typeid(CMediaViewer), &typeid(CFlashViewer),
                                        &typeid(CSlideShowViewer), &typeid(CFileViewer) };
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        CViewer* v = read->GetMenuButtonViewer(i);
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(typeid(*v), *classes[i]);
        EXPECT_EQ(read->GetMenuButtonCaption(i), menu.GetMenuButtonCaption(i));
        EXPECT_EQ(read->GetMenuButtonStyle(i), menu.GetMenuButtonStyle(i));
        EXPECT_EQ(read->GetMenuButtonAction(i), menu.GetMenuButtonAction(i));
        // Bound to the menu as a program binds its targets.
        EXPECT_EQ(v->GetOwner(), read.get());
        EXPECT_EQ(v->GetViewerType(), i < 7 ? viewers[i]->GetViewerType() : 0);
        EXPECT_EQ(v->GetProgramDirectory(), "E:\\");
        EXPECT_EQ(v->GetTempPath(), "C:\\Temp");
        EXPECT_EQ(v->GetProjectRegistryKey(), "key-7");
    }
    EXPECT_EQ(read->GetMenuButtonViewer(0)->GetTargetFilename(), "docs\\readme.txt");
    EXPECT_EQ(read->GetMenuButtonViewer(1)->GetTargetFilename(), "E:\\Pictures") << "the folder below the base folder";
    EXPECT_EQ(dynamic_cast<CWebViewer*>(read->GetMenuButtonViewer(2))->GetCustomWidth(), 700);
    EXPECT_EQ(dynamic_cast<CZipViewer*>(read->GetMenuButtonViewer(3))->GetNumShortcuts(), 1);
    EXPECT_EQ(dynamic_cast<CFlashViewer*>(read->GetMenuButtonViewer(5))->GetCustomFlashWidth(), 333);
    EXPECT_EQ(dynamic_cast<CSlideShowViewer*>(read->GetMenuButtonViewer(6))->GetSlides().size(), 1u);
    EXPECT_EQ(read->GetMenuButtonViewer(7)->GetTargetFilename(), "sales@example.com") << "stored as given";
    EXPECT_EQ(read->GetMenuButtonAction(8), MenuActionExit);
    EXPECT_EQ(read->GetMenuButtonViewer(8), nullptr);

    // Read again into the same menu: the first read's viewers are replaced (and freed).
    CViewer* first = read->GetMenuButtonViewer(0);
    CFileReadWrite again;
    ASSERT_TRUE(again.OpenRead(path_.c_str()));
    again.ReadInt();
    read->Read_DAT_File(&again, 2, 9, 6);
    EXPECT_EQ(read->GetMenuButtonCount(), 9);
    EXPECT_NE(read->GetMenuButtonViewer(0), nullptr);
    (void)first;  // freed now: ASan reports it if it is used or leaked

    // Another menu shares the read viewers; neither frees the other's.
    CMenuViewer copy;
    copy.SetEqual(read.get());
    ASSERT_EQ(copy.GetMenuButtonCount(), 9);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(copy.GetMenuButtonViewer(i), read->GetMenuButtonViewer(i)) << i;
    EXPECT_EQ(copy.GetMenuTitle(), "Everything");
    EXPECT_EQ(copy.GetViewerType(), CViewer::TypeMenu);
    {
        CMenuViewer shortLived;
        shortLived.SetEqual(read.get());
    }
    EXPECT_EQ(read->GetMenuButtonViewer(2)->GetTargetFilename(), "web\\index.html") << "not freed by a sharer";
    copy.SetEqual(&copy);
    EXPECT_EQ(copy.GetMenuButtonCount(), 9) << "equal to itself: nothing lost";
}

TEST_F(MenuRecord, RecordFieldsInFileOrder)
{
    CFileViewer file;
    file.SetTargetFilename("a.txt");
    CMenuViewer menu;
    menu.SetViewerType(CViewer::TypeMenu);
    menu.SetMenuText("Line one\r\nLine two");
    menu.AddMenuButton("Open", 1, MenuActionFile, &file);
    menu.AddMenuButton("Exit", 0, MenuActionExit, nullptr);
    // A slot whose action wants a viewer it lacks is stored as a button doing nothing.
    menu.AddMenuButton("Nothing", 2, MenuActionWeb, nullptr);
    {
        CFileReadWrite out;
        ASSERT_TRUE(out.OpenWrite(path_.c_str()));
        menu.Write_DAT_File(&out, 2, 9, 6);
        out.WriteInt(0x5e7);
        out.Close();
    }
    // Decoded independently of the record file: the common record, the menu's fields, the
    // count, then each button with its viewer's whole record, type code first.
    const std::vector<std::string> expected = {
        "I:7", "I:0", "S:", "S:", "B:0", "B:0", "S:", "S:", "B:0",
        "B:1", "S:My Menu", "I:640", "I:480", "B:0", "S:Line one\r\nLine two", "B:0", "I:0", "S:", "I:3",
        "S:Open", "I:1", "I:0", "I:0", "I:0", "S:a.txt", "S:", "B:0", "B:0", "S:", "S:", "B:0",
        "S:Exit", "I:0", "I:4",
        // -1 as the decoder's long holds the four bytes FF FF FF FF
        "S:Nothing", "I:2", "I:" + std::to_string(static_cast<long>(0xFFFFFFFFul)),
        "I:1511",
    };
    EXPECT_EQ(DecodeRecords(FileBytes(path_)), expected);
    int sentinel = 0;
    std::unique_ptr<CMenuViewer> read = ReadMenu(2, 9, 6, &sentinel);
    EXPECT_EQ(sentinel, 0x5e7);
    ASSERT_EQ(read->GetMenuButtonCount(), 3);
    EXPECT_EQ(read->GetMenuButtonAction(2), MenuActionNone);
    EXPECT_EQ(read->GetMenuButtonViewer(2), nullptr);
    EXPECT_EQ(read->GetMenuText(), "Line one\r\nLine two");
}

TEST_F(MenuRecord, OldFilesHoldNoTypeCodesAndEveryButtonOpensAFile)
{
    {
        CFileReadWrite f;
        ASSERT_TRUE(f.OpenWrite(path_.c_str()));
        WriteOldCommonRecord(f, "");
        WriteMenuFields(f);
        f.WriteInt(3);
        f.WriteString("Folder?");
        f.WriteInt(0);
        f.WriteInt(MenuActionFolder);
        WriteOldCommonRecord(f, "C:\\Pictures");
        f.WriteString("Exit");
        f.WriteInt(0);
        f.WriteInt(MenuActionExit);
        f.WriteString("Page");
        f.WriteInt(0);
        f.WriteInt(MenuActionWeb);
        WriteOldCommonRecord(f, "index.html");
        f.WriteInt(0x5e7);
        f.Close();
    }
    int sentinel = 0;
    std::unique_ptr<CMenuViewer> read = ReadMenu(2, 5, 0, &sentinel, false);
    EXPECT_EQ(sentinel, 0x5e7);
    ASSERT_EQ(read->GetMenuButtonCount(), 3);
    EXPECT_EQ(typeid(*read->GetMenuButtonViewer(0)), typeid(CFileViewer));
    EXPECT_EQ(read->GetMenuButtonViewer(0)->GetTargetFilename(), "C:\\Pictures");
    EXPECT_EQ(read->GetMenuButtonViewer(1), nullptr);
    EXPECT_EQ(typeid(*read->GetMenuButtonViewer(2)), typeid(CFileViewer));
    EXPECT_EQ(read->GetMenuButtonViewer(2)->GetTargetFilename(), "index.html");
}

TEST_F(MenuRecord, CountsAboveTwentyFiveBeyondTheFileAndBelowZero)
{
    // 27 buttons, the last two with viewers of their own: 25 slots, the rest read and dropped.
    CMenuViewer big;
    big.SetViewerType(CViewer::TypeMenu);
    {
        CFileReadWrite f;
        ASSERT_TRUE(f.OpenWrite(path_.c_str()));
        big.CViewer::Write_DAT_File(&f, 2, 9, 6);  // the common record alone, type code first
        WriteMenuFields(f);
        f.WriteInt(27);
        for (int i = 0; i < 27; ++i) {
            CString caption;
            caption.Format("B%d", i);
            f.WriteString(caption);
            f.WriteInt(0);
            f.WriteInt(i >= 24 ? MenuActionSlideShow : MenuActionExit);
            if (i >= 24) {
                CSlideShowViewer show;
                show.SetViewerType(CViewer::TypeSlideShow);
                show.AddSlide("a.png");
                show.AddSlide("b.png");
                show.Write_DAT_File(&f, 2, 9, 6);
            }
        }
        f.WriteInt(0x5e7);
        f.Close();
    }
    int sentinel = 0;
    std::unique_ptr<CMenuViewer> read = ReadMenu(2, 9, 6, &sentinel);
    EXPECT_EQ(sentinel, 0x5e7) << "the dropped buttons' records are read too";
    EXPECT_EQ(read->GetMenuButtonCount(), 25);
    EXPECT_EQ(read->GetMenuButtonCaption(24), "B24");
    EXPECT_NE(dynamic_cast<CSlideShowViewer*>(read->GetMenuButtonViewer(24)), nullptr);

    // A count beyond the records present: the whole buttons before the end of the file.
    {
        CFileReadWrite f;
        ASSERT_TRUE(f.OpenWrite(path_.c_str()));
        big.CViewer::Write_DAT_File(&f, 2, 9, 6);
        WriteMenuFields(f);
        f.WriteInt(5);
        f.WriteString("One");
        f.WriteInt(0);
        f.WriteInt(MenuActionExit);
        f.WriteString("Two");
        f.WriteInt(0);
        f.WriteInt(MenuActionFile);
        f.WriteInt(CViewer::TypeFile);
        f.WriteInt(0);
        f.WriteString("cut.txt");  // the file ends inside this viewer's record
        f.Close();
    }
    read = ReadMenu(2, 9, 6, &sentinel);
    EXPECT_EQ(sentinel, -1);
    EXPECT_EQ(read->GetMenuButtonCount(), 1);
    EXPECT_EQ(read->GetMenuButtonCaption(0), "One");
    EXPECT_EQ(read->GetMenuButtonViewer(1), nullptr);

    // A negative count reads no button.
    {
        CFileReadWrite f;
        ASSERT_TRUE(f.OpenWrite(path_.c_str()));
        big.CViewer::Write_DAT_File(&f, 2, 9, 6);
        WriteMenuFields(f);
        f.WriteInt(-3);
        f.WriteInt(0x5e7);
        f.Close();
    }
    read = ReadMenu(2, 9, 6, &sentinel);
    EXPECT_EQ(sentinel, 0x5e7);
    EXPECT_EQ(read->GetMenuButtonCount(), 0);
}

// A button makes its viewer ready (Init) at every launch of the menu's window: a slideshow's
// slides and music get the base folder once.
TEST(MenuViewer, AButtonsSlideShowMadeReadyAgainKeepsItsPaths)
{
    CSlideShowViewer show;
    show.SetProgramDirectory("D:\\cd");
    show.AddSlide("one.png");
    show.SetBackgroundMusic("music\\slides.wav");
    for (int launch = 0; launch < 3; ++launch)
        show.Init();
    ASSERT_EQ(show.GetSlides().size(), 1u);
    EXPECT_EQ(show.GetSlides()[0], "D:\\cd\\one.png");
    EXPECT_EQ(show.GetBackgroundMusic(), "D:\\cd\\music\\slides.wav");
}

#if !(defined(_WIN32) && defined(VELMORA_VIEWERS_WINDOWS))
// (The library's build makes the window; its tests run under Wine.)
TEST(MenuViewer, WithoutAWindowALaunchedMenuEndsAtOnce)
{
    CMenuViewer m;
    m.Init();
    EXPECT_NE(std::string(m.GetLog().c_str()).find("** Additional Viewer #0 **"), std::string::npos);
    m.Launch();
    m.Show();
    EXPECT_FALSE(m.IsAlive());
}

#endif

}
