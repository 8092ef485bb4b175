// The recent-file list: order, capacity, persistence in the registry, and its menu entries.
#include <gtest/gtest.h>
#include "fx/fx_recent.h"
#include "fx/fx_settings.h"
#include "resource.h"

namespace {
FxSettings TestSettings()
{
    FxSettings s;
    s.SetRoot("Halyard Tests", "RecentFiles");
    return s;
}

std::string MenuText(HMENU menu, UINT index)
{
    char text[512] = {};
    GetMenuStringA(menu, index, text, sizeof text, MF_BYPOSITION);
    return text;
}
}  // namespace

TEST(RecentFiles, MostRecentFirstAtMostFourAndNoDuplicates)
{
    FxRecentFiles list(4, ID_FILE_MRU_FILE1);
    for (const char* p : {"C:\\a.asm", "C:\\b.asm", "C:\\c.asm", "C:\\d.asm", "C:\\e.asm"}) list.Add(p);
    ASSERT_EQ(4u, list.Count());
    EXPECT_EQ("C:\\e.asm", list.At(0));
    EXPECT_EQ("C:\\b.asm", list.At(3));
    list.Add("c:\\C.ASM");  // the same file in other case moves to the front
    ASSERT_EQ(4u, list.Count());
    EXPECT_EQ("c:\\C.ASM", list.At(0));
    EXPECT_EQ("C:\\e.asm", list.At(1));
}

TEST(RecentFiles, SurviveASaveAndLoadAndShrink)
{
    FxSettings settings = TestSettings();
    FxRecentFiles first(4, ID_FILE_MRU_FILE1);
    for (const char* p : {"C:\\1.asm", "C:\\2.asm", "C:\\3.asm"}) first.Add(p);
    first.Save(settings);
    FxRecentFiles second(4, ID_FILE_MRU_FILE1);
    second.Load(settings);
    ASSERT_EQ(3u, second.Count());
    EXPECT_EQ("C:\\3.asm", second.At(0));
    second.Remove(0);
    second.Save(settings);  // a shorter list leaves no stale entry behind
    FxRecentFiles third(4, ID_FILE_MRU_FILE1);
    third.Load(settings);
    EXPECT_EQ(2u, third.Count());
}

TEST(RecentFiles, MenuEntriesReplaceThePlaceholder)
{
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, ID_FILE_OPEN, "&Open");
    AppendMenuA(menu, MF_STRING | MF_GRAYED, ID_FILE_MRU_FILE1, "Recent File");
    AppendMenuA(menu, MF_STRING, ID_APP_EXIT, "E&xit");
    FxRecentFiles list(4, ID_FILE_MRU_FILE1);
    list.UpdateMenu(menu, 1);
    EXPECT_EQ("Recent File", MenuText(menu, 1));
    list.Add("C:\\R&D\\x.asm");
    list.Add("C:\\y.asm");
    list.UpdateMenu(menu, 1);
    EXPECT_EQ(4, GetMenuItemCount(menu));
    EXPECT_EQ("&1 C:\\y.asm", MenuText(menu, 1));
    EXPECT_EQ("&2 C:\\R&&D\\x.asm", MenuText(menu, 2));
    EXPECT_EQ(ID_APP_EXIT, GetMenuItemID(menu, 3));
    DestroyMenu(menu);
}
