// Drag and drop and the clipboard through the real list, tree and drop
// targets on real files: drops played by calling the registered targets
// with a file-drop data object, as the drag loop would.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "core/text.h"
#include "support/list_view_fixture.h"
#include "platform/file_drop.h"
#include "platform/paths.h"

namespace orvane {
namespace {

// A data object that offers no format at all.
class NoFilesData final : public IDataObject {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = iid == IID_IUnknown || iid == IID_IDataObject ? this : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC*) override { return DV_E_FORMATETC; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
};

struct DragDropTest : test::ListViewTest {
    std::wstring music;  // a registered folder beside the downloads
    DragDropTest() {
        music = folder / L"音楽";
        test::MakeFolder(music);
    }
    std::wstring InMusic(const std::wstring& name) const { return music + L"\\" + name; }
    // Starts on the downloads with "音楽" and a node whose folder is gone registered.
    void Start() {
        test::WriteAnsiText(folder / L"Orvane.dat", L"音楽," + music + L"\r\n消えた," + (folder / L"gone") + L"\r\n");
        LoadOnDownloads();
    }
    HTREEITEM Node(int index) const {
        HTREEITEM item = TreeView_GetChild(main->TVDir(), treeview::Root(main->TVDir()));
        while (item && index-- > 0) item = TreeView_GetNextSibling(main->TVDir(), item);
        return item;
    }
    // Where a node lies on the screen, as the drag loop reports the pointer.
    POINTL OnScreen(HWND window, POINT client) const {
        ClientToScreen(window, &client);
        return POINTL{client.x, client.y};
    }
    POINTL OnNode(HTREEITEM item) const {
        RECT r{};
        TreeView_GetItemRect(main->TVDir(), item, &r, TRUE);
        return OnScreen(main->TVDir(), POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }
    POINTL BelowTheNodes() const {
        RECT r{};
        GetClientRect(main->TVDir(), &r);
        return OnScreen(main->TVDir(), POINT{r.right / 2, r.bottom - 2});
    }
    // A drag that enters the target with keys and is dropped there, the drop
    // carrying no keys, as under Wine; the effect the source is told.
    // A drop, and the listing it may have started.
    DWORD Drag(IDropTarget* target, IDataObject* data, DWORD keys, POINTL at, DWORD allowed,
               DWORD* shownOver = nullptr) {
        DWORD effect = allowed;
        target->DragEnter(data, MK_LBUTTON | keys, at, &effect);
        if (shownOver) *shownOver = effect;
        if (effect == DROPEFFECT_NONE) {
            target->DragLeave();
            return DROPEFFECT_NONE;
        }
        effect = allowed;
        target->Drop(data, 0, at, &effect);
        Settle();
        return effect;
    }
    static ComPtr<IDataObject> Files(std::vector<std::wstring> paths) {
        return MakeFileDropData([paths] { return paths; });
    }
    void SelectRows(std::initializer_list<std::wstring> names) {
        ListView_SetItemState(main->LVList(), -1, 0, LVIS_SELECTED);
        for (const std::wstring& name : names)
            ListView_SetItemState(main->LVList(), Row(name), LVIS_SELECTED, LVIS_SELECTED);
    }
    std::wstring Panel(int part) const { return statusbar::Text(main->SBMain(), part); }
};

constexpr DWORD kBoth = DROPEFFECT_COPY | DROPEFFECT_MOVE;

TEST_F(DragDropTest, FilesDroppedOnTheListMoveOrCopyIntoItsFolderAndTheSourceIsToldTheMoveIsDone) {
    test::MakeFile(File(L"x.mp3"), 1);
    for (const wchar_t* name : {L"a.mp3", L"b.mp3", L"c.mp3"}) test::MakeFile(InMusic(name), 2);
    Start();
    ASSERT_EQ(Count(), 1);
    const POINTL onList = OnScreen(main->LVList(), POINT{20, 40});

    const auto moved = Files({InMusic(L"b.mp3"), InMusic(L"a.mp3")});
    EXPECT_EQ(DWORD{DROPEFFECT_NONE}, Drag(main->Drag().ListDropTarget(), moved.get(), 0, onList, kBoth));
    ASSERT_EQ(shell.fileOperations.size(), 1u);
    EXPECT_EQ(shell.fileOperations[0].operation, static_cast<UINT>(FO_MOVE));
    EXPECT_EQ(shell.fileOperations[0].to, ShellFileList({File(L"b.mp3"), File(L"a.mp3")}));
    EXPECT_FALSE(test::Exists(InMusic(L"a.mp3")));
    EXPECT_TRUE(test::Exists(File(L"a.mp3")));
    // Moved by us: the source has nothing left to delete.
    EXPECT_EQ(DWORD{DROPEFFECT_NONE}, ReadDropEffect(moved.get(), CFSTR_PERFORMEDDROPEFFECT));
    EXPECT_EQ(DWORD{DROPEFFECT_MOVE}, ReadDropEffect(moved.get(), CFSTR_LOGICALPERFORMEDDROPEFFECT));
    EXPECT_EQ(Count(), 3);
    EXPECT_EQ(Panel(1), L"3 ﾌｧｲﾙ");

    // Ctrl as the drag entered copies; the drop itself carries no keys.
    const auto copied = Files({InMusic(L"c.mp3")});
    EXPECT_EQ(DWORD{DROPEFFECT_COPY}, Drag(main->Drag().ListDropTarget(), copied.get(), MK_CONTROL, onList, kBoth));
    EXPECT_EQ(shell.fileOperations.back().operation, static_cast<UINT>(FO_COPY));
    EXPECT_TRUE(test::Exists(InMusic(L"c.mp3")));
    EXPECT_TRUE(test::Exists(File(L"c.mp3")));
    EXPECT_EQ(Count(), 4);

    // The shell failed or was cancelled: no source may delete anything.
    shell.fileOperationAnswer = false;
    test::MakeFile(InMusic(L"d.mp3"), 2);
    const auto failed = Files({InMusic(L"d.mp3")});
    EXPECT_EQ(DWORD{DROPEFFECT_NONE}, Drag(main->Drag().ListDropTarget(), failed.get(), 0, onList, kBoth));
    EXPECT_FALSE(ReadDropEffect(failed.get(), CFSTR_LOGICALPERFORMEDDROPEFFECT));
}

TEST_F(DragDropTest, TheListRefusesFilesFromItsOwnFolderInAnyCaseDataWithoutFilesAndNoFolder) {
    test::MakeFile(File(L"x.mp3"), 1);
    test::MakeFile(InMusic(L"a.mp3"), 2);
    Start();
    const POINTL onList = OnScreen(main->LVList(), POINT{20, 40});
    std::wstring shouting = File(L"x.mp3");
    for (wchar_t& c : shouting) c = static_cast<wchar_t>(towupper(c));
    // The first path decides, whatever comes after it.
    const auto own = Files({shouting, InMusic(L"a.mp3")});
    DWORD shown = ~0u;
    EXPECT_EQ(DWORD{DROPEFFECT_NONE}, Drag(main->Drag().ListDropTarget(), own.get(), 0, onList, kBoth, &shown));
    EXPECT_EQ(DWORD{DROPEFFECT_NONE}, shown);
    DWORD effect = kBoth;
    main->Drag().ListDropTarget()->Drop(own.get(), 0, onList, &effect);  // dropped all the same
    EXPECT_EQ(DWORD{DROPEFFECT_NONE}, effect);
    NoFilesData noFiles;
    EXPECT_EQ(DWORD{DROPEFFECT_NONE}, Drag(main->Drag().ListDropTarget(), &noFiles, 0, onList, kBoth));
    EXPECT_TRUE(shell.fileOperations.empty());
    EXPECT_TRUE(test::Exists(InMusic(L"a.mp3")));

    // A node without a folder shows no folder: nothing to drop into.
    treeview::Select(main->TVDir(), Node(1));
    main->Tree().ChooseSelected();
    Settle();
    const auto elsewhere = Files({InMusic(L"a.mp3")});
    EXPECT_EQ(DWORD{DROPEFFECT_NONE}, Drag(main->Drag().ListDropTarget(), elsewhere.get(), 0, onList, kBoth));
    EXPECT_TRUE(shell.fileOperations.empty());
}

TEST_F(DragDropTest, OverTheTreeTheStatusNamesTheFolderAndADropGoesIntoTheNodesFolder) {
    test::MakeFile(File(L"a.mp3"), 1);
    test::MakeFile(File(L"b.mp3"), 1);
    Start();
    IDropTarget* tree = main->Drag().TreeDropTarget();
    const auto data = Files({File(L"a.mp3")});
    DWORD effect = kBoth;
    tree->DragEnter(data.get(), MK_LBUTTON, OnNode(Node(1)), &effect);
    EXPECT_EQ(Panel(0), L"フォルダがありません。");
    EXPECT_EQ(DWORD{DROPEFFECT_NONE}, effect);
    effect = kBoth;
    tree->DragOver(MK_LBUTTON, BelowTheNodes(), &effect);
    EXPECT_EQ(Panel(0), WithTrailingBackslash(downloads));  // the selected node's folder
    EXPECT_EQ(DWORD{DROPEFFECT_NONE}, effect);
    effect = kBoth;
    tree->DragOver(MK_LBUTTON, OnNode(Node(0)), &effect);
    EXPECT_EQ(Panel(0), music);
    EXPECT_EQ(DWORD{DROPEFFECT_MOVE}, effect);
    effect = kBoth;
    tree->Drop(data.get(), 0, OnNode(Node(0)), &effect);
    EXPECT_EQ(DWORD{DROPEFFECT_NONE}, effect);
    EXPECT_EQ(DWORD{DROPEFFECT_MOVE}, ReadDropEffect(data.get(), CFSTR_LOGICALPERFORMEDDROPEFFECT));
    EXPECT_TRUE(test::Exists(InMusic(L"a.mp3")));
    EXPECT_FALSE(test::Exists(File(L"a.mp3")));
    EXPECT_EQ(Count(), 2);  // the list is left to the drag's source
    EXPECT_EQ(Panel(1), L"2 ﾌｧｲﾙ");
    EXPECT_EQ(Panel(0), WithTrailingBackslash(downloads));  // the folder the list shows, again

    // Dropped on the node without a folder: refused.
    const auto more = Files({File(L"b.mp3")});
    EXPECT_EQ(DWORD{DROPEFFECT_NONE}, Drag(tree, more.get(), 0, OnNode(Node(1)), kBoth));
    effect = kBoth;
    tree->Drop(more.get(), 0, OnNode(Node(1)), &effect);
    EXPECT_EQ(DWORD{DROPEFFECT_NONE}, effect);
    EXPECT_TRUE(test::Exists(File(L"b.mp3")));
    EXPECT_EQ(shell.fileOperations.size(), 1u);
}

TEST_F(DragDropTest, TheListsDragHandsTheSelectedFilesAndItsEndDropsTheRowsThatMoved) {
    for (const wchar_t* name : {L"a.mp3", L"b.mp3", L"c.mp3", L"d.mp3"}) test::MakeFile(File(name), 1);
    test::MakeDummy(File(L"[DMY]曲(4.5MB).mp3"), 0x00100000, 5, true);  // shown shortened, as "曲"
    WriteSettings(L"[PATH]\r\nFILE_PATH=" + downloads + L"\r\n[DMY]\r\nINITIALDISP=0\r\nSIZEDISP=0\r\n");
    LoadAndShow();
    SelectRows({L"d.mp3", L"曲", L"b.mp3"});
    const auto data = main->Drag().ListDragData();
    std::vector<std::wstring> expected;
    for (int row = 0; row < Count(); ++row)
        if (Selected(row)) expected.push_back(main->List().RowPath(row));
    EXPECT_EQ(expected.size(), 3u);
    EXPECT_EQ(FileDropPaths(data.get()), expected);  // real names, in list order
    EXPECT_NE(std::find(expected.begin(), expected.end(), File(L"[DMY]曲(4.5MB).mp3")), expected.end());

    // A target that took nothing (or failed part-way) lists nothing new, but
    // the rows of files that left go all the same.
    DeleteFileW(File(L"b.mp3").c_str());
    test::MakeFile(File(L"new.mp3"), 1);
    main->Drag().EndDragFromList(DROPEFFECT_NONE, data.get());
    Settle();
    EXPECT_EQ(Count(), 4);
    EXPECT_EQ(Row(L"b.mp3"), -1);
    // A target that moved the files itself reports none and says move on the data.
    WriteDropEffect(data.get(), CFSTR_LOGICALPERFORMEDDROPEFFECT, DROPEFFECT_MOVE);
    main->Drag().EndDragFromList(DROPEFFECT_NONE, data.get());
    Settle();
    EXPECT_EQ(Row(L"b.mp3"), -1);
    EXPECT_GE(Row(L"new.mp3"), 0);  // refreshed
    EXPECT_EQ(Panel(1), L"5 ﾌｧｲﾙ");
    DeleteFileW(File(L"c.mp3").c_str());
    main->Drag().EndDragFromList(DROPEFFECT_COPY, Files({}).get());
    Settle();
    EXPECT_EQ(Row(L"c.mp3"), -1);
    EXPECT_EQ(Panel(1), L"4 ﾌｧｲﾙ");
}

TEST_F(DragDropTest, WithoutKeysFilesFromAnotherDriveAreCopiedAndCtrlVInTheTreePastesIntoTheNodesFolder) {
    test::MakeFile(File(L"a.mp3"), 1);
    Start();
    // Wine's drive Z: is the whole file system; the test folders lie on C:.
    const std::wstring stick = L"Z:\\tmp\\orvane-stick-" + std::to_wstring(GetCurrentProcessId()) + L".mp3";
    test::MakeFile(stick, 1);
    EXPECT_FALSE(OnSameVolume(stick, downloads));
    EXPECT_TRUE(OnSameVolume(InMusic(L"x"), downloads));
    const POINTL onList = OnScreen(main->LVList(), POINT{20, 40});
    const auto fromStick = Files({stick});
    DWORD shown = 0;
    EXPECT_EQ(DWORD{DROPEFFECT_COPY}, Drag(main->Drag().ListDropTarget(), fromStick.get(), 0, onList, kBoth, &shown));
    EXPECT_EQ(DWORD{DROPEFFECT_COPY}, shown);
    EXPECT_TRUE(test::Exists(stick));  // the stick keeps its file
    EXPECT_TRUE(test::Exists(File(stick.substr(stick.rfind(L'\\') + 1))));
    EXPECT_EQ(DWORD{DROPEFFECT_MOVE},
              Drag(main->Drag().TreeDropTarget(), fromStick.get(), MK_SHIFT, OnNode(Node(0)), kBoth,
                   &shown) |
                  shown);  // Shift moves
    EXPECT_FALSE(test::Exists(stick));

    SelectRows({L"a.mp3"});
    Command(kCmdCopyToClipboard);
    treeview::Select(main->TVDir(), Node(0));  // selected, not listed
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(main->TVDir(), WM_KEYDOWN, 'V', 0);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_TRUE(test::Exists(InMusic(L"a.mp3")));
    EXPECT_TRUE(test::Exists(File(L"a.mp3")));
}

TEST_F(DragDropTest, ACtrlPressOnASelectedRowKeepsItForADragAndTheClickUnselectsIt) {
    for (const wchar_t* name : {L"a.mp3", L"b.mp3", L"c.mp3"}) test::MakeFile(File(name), 1);
    LoadOnDownloads(L"[SORT]\r\nKEY=1\r\nORDER=0\r\n");
    SelectRows({L"a.mp3", L"b.mp3"});
    RECT r{};
    ListView_GetItemRect(main->LVList(), 1, &r, LVIR_LABEL);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(main->LVList(), WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, at);
    EXPECT_TRUE(Selected(0));
    EXPECT_TRUE(Selected(1));  // still there for a drag to take
    SendMessageW(main->LVList(), WM_LBUTTONUP, MK_CONTROL, at);
    ProcessPendingMessages();
    EXPECT_TRUE(Selected(0));
    EXPECT_FALSE(Selected(1));  // no drag: a Ctrl click
    EXPECT_FALSE(Selected(2));
}

TEST_F(DragDropTest, CopyThenPasteCopiesCutThenPasteMovesOnceAndTheClipboardOutlivesTheWindow) {
    test::MakeFile(File(L"a.mp3"), 1);
    test::MakeFile(File(L"b.mp3"), 1);
    Start();
    const auto inMusic = [&] {
        treeview::Select(main->TVDir(), Node(0));
        Command(kCmdRefresh);
    };
    SelectRows({L"a.mp3"});
    Command(kCmdCopyToClipboard);
    inMusic();
    Command(kCmdPaste);
    EXPECT_TRUE(test::Exists(InMusic(L"a.mp3")));
    EXPECT_TRUE(test::Exists(File(L"a.mp3")));
    EXPECT_EQ(Column1(), std::vector<std::wstring>{L"a.mp3"});
    treeview::Select(main->TVDir(), treeview::Root(main->TVDir()));
    Command(kCmdRefresh);
    Command(kCmdPaste);  // a copy into the folder it lies in would land on itself: refused
    EXPECT_EQ(shell.fileOperations.size(), 1u);
    EXPECT_EQ(Count(), 2);
    SelectRows({L"b.mp3"});
    Command(kCmdCut);
    Command(kCmdPaste);  // into the folder it lies in: nothing
    EXPECT_TRUE(test::Exists(File(L"b.mp3")));
    inMusic();
    Command(kCmdPaste);
    EXPECT_TRUE(test::Exists(InMusic(L"b.mp3")));
    EXPECT_FALSE(test::Exists(File(L"b.mp3")));
    EXPECT_EQ(Column1(), (std::vector<std::wstring>{L"a.mp3", L"b.mp3"}));
    EXPECT_EQ(SelectedNames(), std::vector<std::wstring>{L"b.mp3"});  // what was pasted, not the first row
    EXPECT_EQ(FocusedName(), L"b.mp3");
    const std::size_t operations = shell.fileOperations.size();
    Command(kCmdPaste);  // a cut is pasted once
    EXPECT_EQ(shell.fileOperations.size(), operations);

    // Another program pastes a cut: it moves the files and says so on the data.
    SelectRows({L"a.mp3"});
    Command(kCmdCut);
    ASSERT_TRUE(MoveFileW(InMusic(L"a.mp3").c_str(), File(L"elsewhere.mp3").c_str()));
    EXPECT_TRUE(WriteDropEffect(main->Commands().ClipboardData(), CFSTR_PASTESUCCEEDED, DROPEFFECT_MOVE));
    for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);
    EXPECT_EQ(Column1(), std::vector<std::wstring>{L"b.mp3"});

    SelectRows({L"b.mp3"});
    Command(kCmdCopyToClipboard);
    DestroyWindow(main->hwnd());
    ComPtr<IDataObject> left;
    ASSERT_EQ(S_OK, OleGetClipboard(left.put()));
    EXPECT_EQ(FileDropPaths(left.get()), std::vector<std::wstring>{InMusic(L"b.mp3")});
    EXPECT_EQ(DWORD{DROPEFFECT_COPY}, ReadDropEffect(left.get(), CFSTR_PREFERREDDROPEFFECT));
}

TEST_F(DragDropTest, CutRowsAreDrawnDimmedWhileTheCutIsOnTheClipboard) {
    for (const wchar_t* name : {L"a.mp3", L"b.mp3", L"c.mp3"}) test::MakeFile(File(name), 1);
    Start();
    // The colour the list's drawing is given for a row's name.
    const auto drawn = [&](const wchar_t* name) {
        NMLVCUSTOMDRAW draw{};
        draw.nmcd.hdr.hwndFrom = main->LVList();
        draw.nmcd.hdr.idFrom = kIdList;
        draw.nmcd.hdr.code = static_cast<UINT>(NM_CUSTOMDRAW);
        draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
        draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(Row(name));
        draw.clrText = CLR_DEFAULT;
        SendMessageW(main->hwnd(), WM_NOTIFY, kIdList, reinterpret_cast<LPARAM>(&draw));
        return draw.clrText == GetSysColor(COLOR_GRAYTEXT);
    };
    const auto pump = [] {
        for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);
    };
    SelectRows({L"a.mp3", L"b.mp3"});
    Command(kCmdCut);
    pump();
    EXPECT_TRUE(drawn(L"a.mp3") && drawn(L"b.mp3"));
    EXPECT_FALSE(drawn(L"c.mp3"));
    SelectRows({L"c.mp3"});
    Command(kCmdCopyToClipboard);  // a copy takes the cut's place
    EXPECT_FALSE(drawn(L"a.mp3") || drawn(L"c.mp3"));

    SelectRows({L"b.mp3"});
    Command(kCmdCut);
    pump();
    ASSERT_TRUE(drawn(L"b.mp3"));
    // Another program puts text on the clipboard.
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 4 * sizeof(wchar_t));
    lstrcpyW(static_cast<wchar_t*>(GlobalLock(text)), L"abc");
    GlobalUnlock(text);
    SetClipboardData(CF_UNICODETEXT, text);
    CloseClipboard();
    EXPECT_TRUE(test::PumpUntil([&] { return !drawn(L"b.mp3"); }));
}

}  // namespace
}  // namespace orvane
