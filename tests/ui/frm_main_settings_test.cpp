// The settings command: after the dialog, confirmed or cancelled, the root
// takes the download folder, is selected, the look is applied and the list
// refilled.
#include <gtest/gtest.h>

#include "support/list_view_fixture.h"

namespace orvane {
namespace {

class SettingsCommandTest : public test::ListViewTest {};

TEST_F(SettingsCommandTest, OkMovesTheRootToTheNewFolderAndAppliesTheLook) {
    test::WriteBytes(File(L"old.txt"), "x");
    const std::wstring other = folder / L"other";
    test::MakeFolder(other);
    test::WriteBytes(other + L"\\new.txt", "x");
    test::WriteBytes(folder / L"Orvane.dat", "Live," + ToAnsi(downloads) + "\r\n");
    LoadOnDownloads(L"[DESIGN]\r\nLINE=1\r\n");
    const std::wstring panel = statusbar::Text(main->SBMain(), 0);
    const HTREEITEM root = treeview::Root(main->TVDir());
    treeview::Select(main->TVDir(), treeview::Children(main->TVDir(), root).at(0));

    Settings answer = settings.Get();
    answer.filePath = other;
    answer.gridLines = 0;
    test::WriteBytes(folder / L"bg.bmp", "");  // an empty file: no picture
    answer.background = L"bg.bmp";
    dialogs.settingsAnswer = answer;
    Command(kCmdSettings);

    ASSERT_EQ(dialogs.settingsOpenedWith.size(), 1u);
    EXPECT_EQ(dialogs.settingsOpenedWith[0].gridLines, 1);
    EXPECT_EQ(main->Tree().NodeOf(root)->folder, other);  // no backslash added
    EXPECT_EQ(treeview::Selection(main->TVDir()), root);
    EXPECT_EQ(Column1(), (std::vector<std::wstring>{L"new.txt"}));
    EXPECT_FALSE(listview::ExtendedStyle(main->LVList()) & LVS_EX_GRIDLINES);
    EXPECT_FALSE(main->List().View().HasBackground());
    EXPECT_NE(statusbar::Text(main->SBMain(), 0), panel);
    EXPECT_EQ(statusbar::Text(main->SBMain(), 0), other);  // the folder the list shows
    EXPECT_NE(test::ReadBytes(ini.IniName).find("LINE=0"), std::string::npos);
}

TEST_F(SettingsCommandTest, CancelStillRefreshesTheRootFolder) {
    LoadOnDownloads(L"[DESIGN]\r\nINVISIBLEENABLED=1\r\nINVISIBLE=90\r\n");
    test::WriteBytes(File(L"later.txt"), "x");
    const std::string before = test::ReadBytes(ini.IniName);
    Command(kCmdSettings);
    EXPECT_EQ(dialogs.settingsOpenedWith.size(), 1u);
    EXPECT_EQ(Column1(), (std::vector<std::wstring>{L"later.txt"}));
    EXPECT_EQ(test::ReadBytes(ini.IniName), before);
    BYTE alpha = 0;
    EXPECT_TRUE(GetLayeredWindowAttributes(main->hwnd(), nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 90);
}

}  // namespace
}  // namespace orvane
