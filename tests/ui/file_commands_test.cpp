// The commands on the listed files: the list's pop-up menu, rename in place,
// delete, open and properties, on real files through the real list view.
#include <gtest/gtest.h>

#include "core/text.h"
#include "support/list_view_fixture.h"
#include "platform/file_drop.h"
#include "platform/window.h"

namespace orvane {
namespace {

class FileCommandsTest : public test::ListViewTest {
protected:
    HWND List() const { return main->LVList(); }
    POINT RowCenter(int row) const {
        RECT r{};
        ListView_GetItemRect(List(), row, &r, LVIR_LABEL);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void Key(WORD key) { SendMessageW(List(), WM_KEYDOWN, key, 0); }
    // Holds Shift down (or lets it go) as the thread's keyboard state shows it.
    static void SetKeyboardShift(bool down) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    }
    void SelectOnly(std::initializer_list<const wchar_t*> names) {
        ListView_SetItemState(List(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        for (const wchar_t* name : names) ListView_SetItemState(List(), Row(name), LVIS_SELECTED, LVIS_SELECTED);
    }
    void FocusOn(const wchar_t* name) { ListView_SetItemState(List(), Row(name), LVIS_FOCUSED, LVIS_FOCUSED); }
    // Renames the focused row in place as a user does: F2, types, Enter.
    // Returns the text the edit started from.
    std::wstring Rename(const std::wstring& typed) {
        Key(VK_F2);
        const HWND edit = ListView_GetEditControl(List());
        if (!edit) return L"(no edit)";
        wchar_t started[MAX_PATH] = {};
        GetWindowTextW(edit, started, MAX_PATH);
        ProcessPendingMessages();
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selected.first), reinterpret_cast<LPARAM>(&selected.second));
        SetWindowTextW(edit, typed.c_str());
        SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
        if (ListView_GetEditControl(List())) SendMessageW(edit, WM_CHAR, VK_RETURN, 0);
        ProcessPendingMessages();
        return started;
    }
    std::pair<DWORD, DWORD> selected;  // what the last rename's edit had selected once it was open
    // The text of a name edit open again (after a refused rename) and what
    // it selects; the edit is then left with Escape.
    std::wstring Reopened() {
        const HWND edit = ListView_GetEditControl(List());
        if (!edit) return L"(no edit)";
        std::wstring text = WindowText(edit);
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selected.first), reinterpret_cast<LPARAM>(&selected.second));
        SendMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);
        ProcessPendingMessages();
        return text;
    }
    // The name the folder holds for this name, ignoring case; empty for none.
    std::wstring OnDisk(const std::wstring& name) const {
        WIN32_FIND_DATAW found{};
        const HANDLE search = FindFirstFileW(File(name).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return {};
        FindClose(search);
        return found.cFileName;
    }
    bool Accelerator(UINT message, WPARAM key, LPARAM flags = 0) {
        MSG msg{List(), message, key, flags, 0, {}};
        return main->TranslateAccelerators(msg);
    }
};

using Entries = std::vector<std::wstring>;

// A menu as "caption=id " for each entry; a sub-menu's entries follow in
// braces, where a greyed entry's caption starts with "(x)".
std::wstring MenuLine(HMENU menu, bool sub = false) {
    std::wstring line;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        const std::wstring text = menu::Text(menu, static_cast<UINT>(i), true);
        line += std::wstring(sub && !text.empty() && (state & MF_GRAYED) ? L"(x)" : L"") + text;
        if (HMENU inner = GetSubMenu(menu, i)) {
            line += L"{" + MenuLine(inner, true) + L"} ";
            continue;
        }
        line += L"=" + std::to_wstring(static_cast<int>(GetMenuItemID(menu, i))) + L" ";
    }
    return line;
}

void ReadMenu(HWND, HMENU menu, void* out) {
    static_cast<Entries*>(out)->push_back(MenuLine(menu) + L"default=" +
                                          std::to_wstring(static_cast<int>(GetMenuDefaultItem(menu, FALSE, 0))));
    EndMenu();
}

TEST_F(FileCommandsTest, TheListMenuComesUpOnARightClickShiftF10AndTheMenuKey) {
    test::MakeFile(File(L"a.mp3"), 1);
    const std::wstring music = folder / L"music";
    test::MakeFolder(music);
    // The registered folders, nested, are the places to file into; the
    // folder listed is greyed.
    test::WriteAnsiText(folder / L"Orvane.dat",
                        L"音楽," + music + L"\r\n音楽,R&B," + music + L"\\rb\r\nDL," + downloads + L"\r\n");
    LoadOnDownloads();
    Entries menus;
    test::WhenMenuShows(ReadMenu, &menus);
    const POINT at = RowCenter(0);
    PostMessageW(List(), WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    SendMessageW(List(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
    ProcessPendingMessages();
    test::WhenMenuShows(ReadMenu, &menus);
    // What Shift+F10 and the menu key send the list's parent.
    SendMessageW(main->hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(List()), -1);

    const auto targets = [](int first, int browse) {
        const auto id = [first](int i) { return std::to_wstring(first + i); };
        return L"(x)ＷｉｎＭＸ=" + id(0) + L" 音楽{音楽=" + id(1) + L" R&&B=" + id(2) + L" } (x)DL=" + id(3) +
               L" =0 フォルダーを選択(&B)…=" + std::to_wstring(browse) + L" ";
    };
    const std::wstring expected =
        L"開く(&O)=" + std::to_wstring(kCmdOpen) + L" =0 名前の変更(&M)　\tF2=" + std::to_wstring(kCmdRename) +
        L" =0 削除(&D)　\tDelete=" + std::to_wstring(kCmdDelete) + L" =0 移動先(&V){" + targets(0x5000, kCmdMove) +
        L"} コピー先(&I){" + targets(0x6000, kCmdCopy) + L"} =0 切り取り(&T)　\tCtrl+X=" + std::to_wstring(kCmdCut) +
        L" クリップボードにコピー(&C)　\tCtrl+C=" + std::to_wstring(kCmdCopyToClipboard) + L" 貼り付け(&P)　\tCtrl+V=" +
        std::to_wstring(kCmdPaste) + L" =0 プロパティ(&R)　\tAlt+Enter=" + std::to_wstring(kCmdProperties) +
        L" default=" + std::to_wstring(kCmdOpen);
    EXPECT_EQ(menus, (Entries{expected, expected}));
}

TEST_F(FileCommandsTest, RenameInPlaceRenamesTheFileAndTheRowOrSaysWhyNot) {
    test::MakeFile(File(L"a.mp3"), 1);
    test::MakeFile(File(L"other.txt"), 2);
    test::MakeFolder(File(L"sub"));
    Frm_Main& w = LoadOnDownloads();
    const auto renameFrom = [&](const wchar_t* name, const std::wstring& typed) {
        SelectOnly({name});
        FocusOn(name);
        return Rename(typed);
    };

    EXPECT_EQ(renameFrom(L"a.mp3", L"b.txt"), L"a.mp3");
    EXPECT_EQ(selected, std::pair(DWORD{0}, DWORD{1}));  // the name before its extension
    EXPECT_EQ(OnDisk(L"a.mp3"), L"");
    EXPECT_EQ(OnDisk(L"b.txt"), L"b.txt");
    ASSERT_GE(Row(L"b.txt"), 0);
    EXPECT_EQ(Text(Row(L"b.txt"), Column::Extension), L"txt");
    EXPECT_EQ(w.List().RowPath(Row(L"b.txt")), File(L"b.txt"));  // later commands act on the new name
    renameFrom(L"b.txt", L"b");
    EXPECT_EQ(Text(Row(L"b"), Column::Extension), L"");
    renameFrom(L"b", L"c.tar.gz");
    EXPECT_EQ(selected, std::pair(DWORD{0}, DWORD{1}));  // no extension: all of it
    EXPECT_EQ(Text(Row(L"c.tar.gz"), Column::Extension), L"gz");
    EXPECT_TRUE(shell.messages.empty());

    // Refused, each opens the edit again with what was typed.
    renameFrom(L"c.tar.gz", L"other.txt");  // another file's name
    EXPECT_EQ(Reopened(), L"other.txt");
    EXPECT_EQ(selected, std::pair(DWORD{0}, DWORD{5}));
    renameFrom(L"c.tar.gz", L"sub");  // a folder's: the file system refuses
    EXPECT_EQ(Reopened(), L"sub");
    renameFrom(L"c.tar.gz", L"sub\\x");  // no way into another folder
    EXPECT_EQ(Reopened(), L"sub\\x");
    EXPECT_EQ(
        shell.messages,
        (Entries{
            L"\"c.tar.gz\"の名前を変更できません。指定されたファイル名は既に存在します。別の名前を指定してください。",
            L"ファイル名の変更に失敗しました。", L"ファイル名の変更に失敗しました。"}));
    EXPECT_EQ(OnDisk(L"c.tar.gz"), L"c.tar.gz");
    EXPECT_EQ(Text(Row(L"c.tar.gz"), Column::Extension), L"gz");

    shell.messages.clear();
    for (const wchar_t* typed : {L"c.tar.gz", L"", L"  "}) renameFrom(L"c.tar.gz", typed);
    EXPECT_TRUE(shell.messages.empty());
    EXPECT_EQ(OnDisk(L"c.tar.gz"), L"c.tar.gz");
    EXPECT_GE(Row(L"c.tar.gz"), 0);

    renameFrom(L"c.tar.gz", L"C.TAR.GZ");  // the file itself is no clash
    EXPECT_TRUE(shell.messages.empty());
    EXPECT_EQ(OnDisk(L"c.tar.gz"), L"C.TAR.GZ");
    EXPECT_EQ(Text(Row(L"C.TAR.GZ"), Column::Extension), L"GZ");

    // Gone meanwhile: refused, and its row goes rather than the edit opening again.
    DeleteFileW(File(L"other.txt").c_str());
    renameFrom(L"other.txt", L"new.txt");
    EXPECT_EQ(shell.messages, Entries{L"ファイル名の変更に失敗しました。"});
    EXPECT_EQ(Reopened(), L"(no edit)");
    EXPECT_EQ(Row(L"other.txt"), -1);
}

TEST_F(FileCommandsTest, RenamingAShortenedDummyStartsFromItsFileNameAndShowsItShortened) {
    test::MakeDummy(File(L"[DMY]曲(4.5MB).mp3"), 0x00100000, 5, true);
    Frm_Main& w = LoadOnDownloads(L"[DMY]\r\nINITIALDISP=0\r\nSIZEDISP=0\r\n");
    ASSERT_EQ(Row(L"曲"), 0);
    Command(kCmdRename);  // from the menu
    const HWND edit = ListView_GetEditControl(List());
    ASSERT_NE(edit, nullptr);
    wchar_t started[MAX_PATH] = {};
    GetWindowTextW(edit, started, MAX_PATH);
    EXPECT_STREQ(started, L"[DMY]曲(4.5MB).mp3");
    SetWindowTextW(edit, L"[DMY]歌(4.5MB).wav");
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    ProcessPendingMessages();
    EXPECT_TRUE(shell.messages.empty());
    EXPECT_EQ(OnDisk(L"[DMY]歌(4.5MB).wav"), L"[DMY]歌(4.5MB).wav");
    EXPECT_EQ(Column1(), (Entries{L"歌"}));
    EXPECT_EQ(Text(0, Column::Extension), L"wav");
    EXPECT_EQ(w.List().RowPath(0), File(L"[DMY]歌(4.5MB).wav"));
}

TEST_F(FileCommandsTest, DeleteTakesTheSelectedFilesAndDropsEveryRowWhoseFileIsGone) {
    for (wchar_t c = L'0'; c <= L'9'; ++c) test::MakeFile(File(std::wstring(1, c) + L".bin"), c == L'1' ? 7 : 1);
    test::MakeFile(File(L"twin.bin"), 7);
    Frm_Main& w = LoadOnDownloads(L"[SYSTEM]\r\nDELMSG=0\r\n");
    ASSERT_EQ(Count(), 11);
    ASSERT_TRUE(w.List().Rows()[static_cast<std::size_t>(Row(L"twin.bin"))].sizeShared);
    SelectOnly({});
    Key(VK_DELETE);
    EXPECT_TRUE(shell.fileOperations.empty());  // nothing selected: no shell call
    DeleteFileW(File(L"0.bin").c_str());
    SelectOnly({L"0.bin"});
    Key(VK_DELETE);
    EXPECT_TRUE(shell.fileOperations.empty());  // its file gone by other means: the row just leaves
    EXPECT_EQ(Row(L"0.bin"), -1);

    SelectOnly({L"1.bin", L"4.bin", L"9.bin"});
    DeleteFileW(File(L"6.bin").c_str());  // gone by other means
    Key(VK_DELETE);
    ASSERT_EQ(shell.fileOperations.size(), 1u);
    EXPECT_EQ(shell.fileOperations[0].operation, static_cast<UINT>(FO_DELETE));
    EXPECT_EQ(shell.fileOperations[0].flags, FOF_ALLOWUNDO | FOF_NOCONFIRMATION);  // no question, still the bin
    EXPECT_EQ(shell.fileOperations[0].from, ShellFileList({File(L"1.bin"), File(L"4.bin"), File(L"9.bin")}));
    EXPECT_EQ(Column1(), (Entries{L"2.bin", L"3.bin", L"5.bin", L"7.bin", L"8.bin", L"twin.bin"}));
    EXPECT_FALSE(test::Exists(File(L"4.bin")));
    EXPECT_EQ(statusbar::Text(w.SBMain(), 1), L"6 ﾌｧｲﾙ");
    EXPECT_FALSE(w.List().Rows()[static_cast<std::size_t>(Row(L"twin.bin"))].sizeShared);  // its twin 1.bin is gone

    // Asked first and to the recycle bin: the shell's question is answered here.
    LoadOnDownloads(L"[SYSTEM]\r\nDELMSG=1\r\n");
    shell.fileOperationAnswer = true;
    SelectOnly({L"2.bin"});
    Command(kCmdDelete);
    ASSERT_EQ(shell.fileOperations.size(), 2u);
    EXPECT_EQ(shell.fileOperations[1].flags, FOF_ALLOWUNDO);
    EXPECT_EQ(shell.fileOperations[1].from, ShellFileList({File(L"2.bin")}));

    // Shift+Delete: past the recycle bin, after the shell's own question.
    SelectOnly({L"3.bin"});
    SetKeyboardShift(true);
    Key(VK_DELETE);
    SetKeyboardShift(false);
    ASSERT_EQ(shell.fileOperations.size(), 3u);
    EXPECT_EQ(shell.fileOperations[2].flags, FILEOP_FLAGS{0});
    EXPECT_EQ(shell.fileOperations[2].from, ShellFileList({File(L"3.bin")}));
}

TEST_F(FileCommandsTest, OpenAndPropertiesActOnTheFocusedSelectedFile) {
    for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) test::MakeFile(File(name), 1);
    LoadOnDownloads();
    SelectOnly({L"a.txt", L"c.txt"});
    FocusOn(L"c.txt");

    const POINT at = RowCenter(Row(L"c.txt"));
    SendMessageW(List(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageW(List(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    EXPECT_TRUE(Accelerator(WM_KEYDOWN, VK_RETURN));
    ASSERT_EQ(shell.opened.size(), 2u);
    for (const auto& call : shell.opened) {
        EXPECT_EQ(call.file, File(L"c.txt"));
        EXPECT_EQ(call.directory, downloads);  // the client's folder as stored
    }
    EXPECT_TRUE(shell.messages.empty());
    // A file that does not open says why; a cancel says nothing.
    for (const DWORD error : {DWORD{ERROR_NO_ASSOCIATION}, DWORD{ERROR_FILE_NOT_FOUND}, DWORD{ERROR_CANCELLED},
                              DWORD{ERROR_BAD_EXE_FORMAT}}) {
        shell.openError = error;
        Command(kCmdOpen);
    }
    shell.openError = 0;
    EXPECT_EQ(shell.messages, (Entries{L"\"c.txt\" を開けません。\nこのファイルを開くプログラムがありません。",
                                       L"\"c.txt\" を開けません。\nファイルが見つかりません。",
                                       L"\"c.txt\" を開けません。\nこのファイルを開くプログラムがありません。"}));
    shell.opened.resize(2);

    SelectOnly({L"a.txt", L"b.txt"});
    FocusOn(L"b.txt");
    EXPECT_TRUE(Accelerator(WM_SYSKEYDOWN, VK_RETURN, 1 << 29));  // Alt+Enter
    Command(kCmdProperties);
    EXPECT_EQ(shell.properties, (Entries{File(L"b.txt"), File(L"b.txt")}));

    SelectOnly({});
    EXPECT_TRUE(Accelerator(WM_KEYDOWN, VK_RETURN));
    Command(kCmdProperties);
    EXPECT_EQ(shell.opened.size(), 2u);
    EXPECT_EQ(shell.properties.size(), 2u);
}

TEST_F(FileCommandsTest, F3GoesFromMatchToMatchBothWaysAndWithoutAFindAsksForAWord) {
    for (const wchar_t* name : {L"a1.txt", L"a2.txt", L"a3.txt", L"b.txt", L"c.txt"}) test::MakeFile(File(name), 1);
    Frm_Main& w = LoadOnDownloads();
    const HWND field = GetWindow(w.cboFind(), GW_CHILD);
    SetFocus(List());
    EXPECT_TRUE(Accelerator(WM_KEYDOWN, VK_F3));
    EXPECT_EQ(GetFocus(), field);
    SetWindowTextW(w.cboFind(), L"a");
    Command(kCmdFind);  // Enter in the field: marks, then the first match after the focused row
    EXPECT_EQ(SelectedNames(), std::vector<std::wstring>{L"a2.txt"});
    SetFocus(List());
    EXPECT_TRUE(Accelerator(WM_KEYDOWN, VK_F3));
    EXPECT_EQ(FocusedName(), L"a3.txt");
    EXPECT_TRUE(Accelerator(WM_KEYDOWN, VK_F3));  // round past the end
    EXPECT_EQ(SelectedNames(), std::vector<std::wstring>{L"a1.txt"});
    SetKeyboardShift(true);
    EXPECT_TRUE(Accelerator(WM_KEYDOWN, VK_F3));  // Shift+F3: back, round past the start
    SetKeyboardShift(false);
    EXPECT_EQ(SelectedNames(), std::vector<std::wstring>{L"a3.txt"});
    EXPECT_EQ(GetFocus(), List());
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    EXPECT_TRUE(Accelerator(WM_KEYDOWN, 'F'));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(GetFocus(), field);
}

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

// A file of a name that plain paths trim or take for a device, made by its verbatim path.
void MakeVerbatimFile(const std::wstring& folder, const std::wstring& name) {
    const HANDLE file = CreateFileW((L"\\\\?\\" + folder + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << name;
    CloseHandle(file);
}

TEST_F(FileCommandsTest, ARowWhoseNameAPlainPathMissesIsNeverActedOnThroughAnotherFileButCanBeRenamed) {
    test::WriteBytes(File(L"x.txt"), "neighbour");
    MakeVerbatimFile(downloads, L"x.txt.");
    MakeVerbatimFile(downloads, L"con.txt");
    Frm_Main& w = LoadOnDownloads(L"[SYSTEM]\r\nDELMSG=0\r\n");
    ASSERT_EQ(Count(), 3);
    shell.browseAnswer = folder.path();
    for (const wchar_t* name : {L"x.txt.", L"con.txt"}) {
        SelectOnly({name});
        FocusOn(name);
        Key(VK_DELETE);
        Command(kCmdMove);
        Command(kCmdCopy);
        Command(kCmdOpen);
        Command(kCmdProperties);
        Command(kCmdCopyToClipboard);
        EXPECT_FALSE(w.Drag().ListDragData());  // no drag either
    }
    EXPECT_EQ(shell.messages.size(), 14u);  // each command says why
    EXPECT_TRUE(shell.fileOperations.empty() && shell.opened.empty() && shell.properties.empty());
    EXPECT_TRUE(shell.browseTitles.empty());
    EXPECT_EQ(test::ReadBytes(File(L"x.txt")), "neighbour");
    EXPECT_EQ(Count(), 3);

    // A rename gives it a usable name; a device's name is refused as one.
    SelectOnly({L"x.txt."});
    FocusOn(L"x.txt.");
    EXPECT_EQ(Rename(L"aux.mp3"), L"x.txt.");
    EXPECT_EQ(shell.messages.back(), L"ファイル名の変更に失敗しました。");
    EXPECT_EQ(Reopened(), L"aux.mp3");
    Rename(L"y.txt");
    EXPECT_EQ(OnDisk(L"y.txt"), L"y.txt");
    EXPECT_EQ(test::ReadBytes(File(L"x.txt")), "neighbour");
    EXPECT_GE(Row(L"y.txt"), 0);
}

TEST_F(FileCommandsTest, ARenameActsOnTheFileWhoseRowWasEditedWhateverTheRowsDidMeanwhile) {
    for (const wchar_t* name : {L"b.txt", L"new2.txt"}) test::MakeFile(File(name), 1);
    LoadOnDownloads();
    const auto startEditing = [&](const wchar_t* name) {
        SelectOnly({name});
        FocusOn(name);
        Key(VK_F2);
        return ListView_GetEditControl(List());
    };
    // Re-sorted under the edit: the typed name still goes to new2.txt.
    HWND edit = startEditing(L"new2.txt");
    ASSERT_NE(edit, nullptr);
    ClickHeader(1);  // by name, now descending
    ASSERT_EQ(Column1(), (Entries{L"new2.txt", L"b.txt"}));
    SetWindowTextW(edit, L"renamed.txt");
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    ProcessPendingMessages();
    EXPECT_EQ(OnDisk(L"renamed.txt"), L"renamed.txt");
    EXPECT_EQ(OnDisk(L"b.txt"), L"b.txt");

    // A file that sorts first arrives, then F5: the edit is given up.
    ASSERT_NE(startEditing(L"renamed.txt"), nullptr);
    test::MakeFile(File(L"z.txt"), 1);
    Command(kCmdRefresh);
    EXPECT_EQ(ListView_GetEditControl(List()), nullptr);
    for (const wchar_t* name : {L"z.txt", L"renamed.txt", L"b.txt"}) EXPECT_EQ(OnDisk(name), name);
    EXPECT_TRUE(shell.messages.empty());
}

TEST_F(FileCommandsTest, BackspaceShowsTheNodeAboveTheOneShownUpToTheRoot) {
    const std::wstring music = folder / L"music";
    test::MakeFolder(music);
    test::MakeFolder(music + L"\\rb");
    test::MakeFile(music + L"\\rb\\x.mp3", 1);
    test::MakeFile(music + L"\\m.mp3", 1);
    test::MakeFile(File(L"d.mp3"), 1);
    test::WriteAnsiText(folder / L"Orvane.dat", L"音楽," + music + L"\r\n音楽,RB," + music + L"\\rb\r\n");
    Frm_Main& w = LoadOnDownloads();
    const HTREEITEM root = treeview::Root(w.TVDir());
    const HTREEITEM musicNode = treeview::Children(w.TVDir(), root).at(0);
    treeview::Select(w.TVDir(), treeview::Children(w.TVDir(), musicNode).at(0));
    w.Tree().ChooseSelected();
    Settle();
    ASSERT_EQ(Column1(), Entries{L"x.mp3"});
    const auto back = [&] {
        Key(VK_BACK);
        if (w.List().Loading()) Settle();
        return Column1();
    };
    EXPECT_EQ(back(), Entries{L"m.mp3"});
    EXPECT_EQ(treeview::Selection(w.TVDir()), musicNode);
    EXPECT_EQ(back(), Entries{L"d.mp3"});
    EXPECT_EQ(back(), Entries{L"d.mp3"});  // the root has none above
    EXPECT_EQ(treeview::Selection(w.TVDir()), root);
}

}  // namespace
}  // namespace orvane
