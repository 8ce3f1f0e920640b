#include "ui/frm_setting.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <map>
#include <set>

#include "ui/appearance.h"
#include "support/temp_folder.h"
#include "platform/controls.h"
#include "platform/translucency.h"

namespace orvane {
namespace {

using F = Frm_Setting;

// Runs the dialog on settings with a script that acts on it once it shows;
// every key written is recorded.
struct SettingRun {
    test::TempFolder folder;
    test::RecordingShell shell;
    Settings settings;
    std::vector<std::wstring> written;  // "KEY=value"
    void (*script)(HWND dialog, SettingRun& run) = nullptr;
    F* dialog = nullptr;

    void Run() {
        test::WhenDialogShows(
            [](HWND d, void* context) {
                auto* run = static_cast<SettingRun*>(context);
                run->script(d, *run);
            },
            this);
        // The store starts from settings as a file holding them would give them.
        std::map<std::wstring, std::wstring, std::less<>> file;
        for (int key = 0; key < kSettingCount; ++key)
            WriteSettings([&](std::wstring_view, std::wstring_view name,
                              std::wstring_view value) { file[std::wstring(name)] = value; },
                          settings, {static_cast<SettingKey>(key)});
        SettingsStore store(
            [&](std::wstring_view, std::wstring_view name, std::wstring_view fallback) {
                const auto it = file.find(name);
                return it == file.end() ? std::wstring(fallback) : it->second;
            },
            [this](std::wstring_view, std::wstring_view key, std::wstring_view value) {
                written.push_back(std::wstring(key) + L"=" + std::wstring(value));
            });
        store.Load();
        F form(shell, store, folder.path());
        dialog = &form;
        form.Show(nullptr);
        dialog = nullptr;
        settings = store.Get();
    }
};

bool IsChecked(HWND d, int id) { return IsDlgButtonChecked(d, id) == BST_CHECKED; }
void Click(HWND d, int id) { SendMessageW(GetDlgItem(d, id), BM_CLICK, 0, 0); }
bool Visible(HWND d, int id) { return IsWindowVisible(GetDlgItem(d, id)) != FALSE; }
int BarPosition(HWND d) { return GetScrollPos(GetDlgItem(d, F::kIdInvisible), SB_CTL); }
const std::string kOnePixelGif("GIF89a\1\0\1\0\200\0\0\377\377\377\0\0\0,\0\0\0\0\1\0\1\0\0\2\2D\1\0;", 35);

TEST(SettingDialog, OnEachPageEachLetterIsUsedOnceAndALabelsLetterReachesTheControlItNames) {
    SettingRun run;
    run.script = [](HWND d, SettingRun&) {
        const std::map<wchar_t, int> labelled[] = {
            {{L'I', F::kIdDir}, {L'F', F::kIdDirRef}},
            {{L'K', F::kIdBgFile}, {L'X', F::kIdListTextColorPick}, {L'Z', F::kIdSizeColorPick}},
            {{L'C', F::kIdDummyColorPick}}};
        for (int page = 0; page < 3; ++page) {
            Click(d, F::kIdPage1 + page);
            std::set<wchar_t> letters;  // the page buttons' and OK's included
            for (HWND c = GetWindow(d, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                const std::wstring text = WindowText(c);
                const std::size_t amp = text.find(L'&');
                if (IsWindowVisible(c) && amp != std::wstring::npos)
                    EXPECT_TRUE(letters.insert(text[amp + 1]).second) << page << ": " << char(text[amp + 1]);
            }
            for (const auto& [letter, id] : labelled[page]) {
                MSG alt{GetFocus(), WM_SYSCHAR, std::towlower(letter), 0x20000000};  // as the dialog's loop hands it on
                IsDialogMessageW(d, &alt);
                EXPECT_EQ(GetFocus(), GetDlgItem(d, id)) << char(letter);
            }
        }
        Click(d, IDCANCEL);
    };
    run.Run();
}

TEST(SettingDialog, OpensWithTheHeldValuesOnTheFirstPageAndPagesSwitch) {
    SettingRun run;
    run.settings.filePath = L"D:\\dl";
    run.settings.alignment = 1;
    run.settings.dummyInitialDisp = 1;
    run.settings.dummySizeSrc = 0;
    run.settings.invisibleEnabled = 0;
    run.settings.invisible = 128;
    run.script = [](HWND d, SettingRun&) {
        EXPECT_EQ(WindowText(d), L"設定");
        EXPECT_EQ(WindowText(GetDlgItem(d, F::kIdDir)), L"D:\\dl");
        EXPECT_TRUE(IsChecked(d, F::kIdAlign1));
        EXPECT_FALSE(IsChecked(d, F::kIdAlign0));
        EXPECT_TRUE(IsChecked(d, F::kIdInitialDisp0));
        EXPECT_TRUE(IsChecked(d, F::kIdSizeSrc1));
        EXPECT_EQ(BarPosition(d), 128);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, F::kIdInvisible)));
        Click(d, F::kIdInvisibleEnabled);  // the bar follows the box
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, F::kIdInvisible)));
        EXPECT_TRUE(Visible(d, F::kIdDir));
        EXPECT_FALSE(Visible(d, F::kIdBgFile));
        Click(d, F::kIdPage2);
        EXPECT_FALSE(Visible(d, F::kIdDir));
        EXPECT_TRUE(Visible(d, F::kIdBgFile));
        EXPECT_FALSE(Visible(d, F::kIdDummyColor));
        Click(d, F::kIdPage3);
        EXPECT_TRUE(Visible(d, F::kIdDummyColor));
        EXPECT_FALSE(Visible(d, F::kIdBgFile));
        SendMessageW(d, WM_COMMAND, IDCANCEL, 0);  // Escape
    };
    run.Run();
    EXPECT_TRUE(run.written.empty());

    // Values the controls cannot show.
    SettingRun odd;
    odd.settings.alignment = 7;
    odd.settings.invisibleEnabled = 1;
    odd.settings.invisible = 300;
    odd.settings.gridLines = 2;
    odd.script = [](HWND d, SettingRun&) {
        for (int id : {F::kIdAlign0, F::kIdAlign1, F::kIdAlign2}) EXPECT_FALSE(IsChecked(d, id)) << id;
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, F::kIdInvisible)));
        EXPECT_EQ(BarPosition(d), 255);
        EXPECT_FALSE(IsChecked(d, F::kIdLine));
        Click(d, IDOK);
    };
    odd.Run();
    EXPECT_EQ(odd.settings.alignment, 7);
    EXPECT_EQ(odd.settings.invisible, 300);
    EXPECT_EQ(odd.settings.gridLines, 2);
}

TEST(SettingDialog, OkWritesEveryKeyOfTheDialogAndCancelNone) {
    SettingRun run;
    run.settings.filePath = run.folder.path();
    run.script = [](HWND d, SettingRun&) {
        Click(d, F::kIdPage3);
        Click(d, F::kIdInitialDisp1);
        Click(d, F::kIdPage2);
        Click(d, F::kIdLine);
        EXPECT_EQ(LOWORD(SendMessageW(d, DM_GETDEFID, 0, 0)), IDOK);
        SendMessageW(d, WM_COMMAND, IDOK, 0);  // Enter
    };
    run.Run();
    EXPECT_EQ(run.written, (std::vector<std::wstring>{
                               L"FILE_PATH=" + run.folder.path(), L"DELMSG=1", L"DEFAULT_DIR=", L"BG=", L"ALIGNMENT=0",
                               L"INVISIBLEENABLED=0", L"INVISIBLE=255", L"LISTTEXTCOLOR=-2147483640", L"LINE=0",
                               L"SIZECOLOR=65280", L"INITIALDISP=0", L"SIZEDISP=1", L"SIZESRC=1", L"COLOR=8421504"}));
    EXPECT_EQ(run.settings.gridLines, 0);
    EXPECT_EQ(run.settings.dummyInitialDisp, 0);
}

TEST(SettingDialog, OkRefusesAMissingFolderOrAPathTheSettingsFileCannotHoldAndWritesNothing) {
    SettingRun run;
    run.script = [](HWND d, SettingRun& r) {
        SetDlgItemTextW(d, F::kIdDir, (r.folder / L"gone").c_str());
        Click(d, IDOK);
        EXPECT_TRUE(IsWindow(d));
        test::WriteBytes(r.folder / L"a.txt", "a file is no folder");
        SetDlgItemTextW(d, F::kIdDir, (r.folder / L"a.txt").c_str());
        Click(d, IDOK);
        SetDlgItemTextW(d, F::kIdDir, r.folder.path().c_str());
        SetDlgItemTextW(d, F::kIdBgFile, L"C:\\한국.png");
        Click(d, IDOK);
        Click(d, IDCANCEL);
    };
    run.Run();
    EXPECT_EQ(run.shell.messages, (std::vector<std::wstring>{kNoSuchPath, kNoSuchPath, kUnstorablePath}));
    EXPECT_TRUE(run.written.empty());
    EXPECT_EQ(run.settings, Settings{});
}

TEST(SettingDialog, BrowseOpenFileAndColourGoThroughTheShellAndCancelKeepsTheField) {
    SettingRun run;
    run.settings.filePath = run.folder.path();
    run.settings.background = L"C:\\old.png";
    run.script = [](HWND d, SettingRun& r) {
        r.shell.browseAnswer = L"C:\\選んだ";
        Click(d, F::kIdDirBrowse);
        r.shell.browseAnswer.reset();
        Click(d, F::kIdDirRefBrowse);
        Click(d, F::kIdBgBrowse);  // cancelled
        EXPECT_EQ(WindowText(GetDlgItem(d, F::kIdBgFile)), L"C:\\old.png");
        r.shell.colorAnswer = RGB(1, 2, 3);
        Click(d, F::kIdSizeColorPick);
        r.shell.colorAnswer.reset();
        Click(d, F::kIdListTextColorPick);  // cancelled
        test::WriteBytes(r.folder / L"new.gif", kOnePixelGif);
        r.shell.openFileAnswer = r.folder / L"new.gif";
        Click(d, F::kIdBgBrowse);
        SetDlgItemTextW(d, F::kIdDir, r.folder.path().c_str());  // the chosen folder is not on this disk
        Click(d, IDOK);
    };
    run.Run();
    EXPECT_EQ(run.shell.browseTitles, (std::vector<std::wstring>{kDownloadFolderTitle, kDefaultFolderTitle}));
    EXPECT_EQ(run.shell.browseFlags, 3u);
    EXPECT_EQ(run.shell.openFileTitles, (std::vector<std::wstring>{L"ﾌｧｲﾙを開く", L"ﾌｧｲﾙを開く"}));
    EXPECT_EQ(run.shell.colorsPresented, (std::vector<COLORREF>{RGB(0, 255, 0), GetSysColor(COLOR_WINDOWTEXT)}));
    EXPECT_EQ(run.settings.background, run.folder / L"new.gif");
    EXPECT_EQ(run.settings.sizeColor, RGB(1, 2, 3));
    EXPECT_EQ(run.settings.listTextColor, static_cast<std::int32_t>(0x80000008u));
}

TEST(SettingDialog, TheBarPreviewsTheOpacityOnTheDialogUntilItCloses) {
    SettingRun run;
    run.settings.invisibleEnabled = 1;
    run.script = [](HWND d, SettingRun&) {
        EXPECT_FALSE(GetWindowLongPtrW(d, GWL_EXSTYLE) & WS_EX_LAYERED);
        SendMessageW(d, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0),
                     reinterpret_cast<LPARAM>(GetDlgItem(d, F::kIdInvisible)));
        SendMessageW(d, WM_HSCROLL, SB_PAGELEFT, reinterpret_cast<LPARAM>(GetDlgItem(d, F::kIdInvisible)));
        BYTE alpha = 0;
        EXPECT_TRUE(GetLayeredWindowAttributes(d, nullptr, &alpha, nullptr));
        EXPECT_EQ(alpha, BarPosition(d));
        EXPECT_EQ(alpha, 239);
        SendMessageW(d, WM_HSCROLL, SB_LEFT, reinterpret_cast<LPARAM>(GetDlgItem(d, F::kIdInvisible)));
        EXPECT_TRUE(GetLayeredWindowAttributes(d, nullptr, &alpha, nullptr));
        EXPECT_EQ(alpha, kLowestOpacity);  // the bar says 0; the dialog stays in sight
        Click(d, IDCANCEL);
        EXPECT_FALSE(GetWindowLongPtrW(d, GWL_EXSTYLE) & WS_EX_LAYERED);
    };
    run.Run();
}

TEST(SettingDialog, AFileDroppedOnTheFolderBoxPutsItsPathThere) {
    SettingRun run;
    run.script = [](HWND d, SettingRun& r) {
        DropDelegate& target = r.dialog->DirDropTarget();
        DragData none{nullptr, std::nullopt};
        EXPECT_EQ(target.OnDrop(none, {}, 0, DROPEFFECT_COPY), static_cast<DWORD>(DROPEFFECT_NONE));
        EXPECT_EQ(WindowText(GetDlgItem(d, F::kIdDir)), L"");
        DragData files{nullptr, std::vector<std::wstring>{L"C:\\dl\\a.txt", L"C:\\b"}};
        EXPECT_EQ(target.OnDragOver(files, {}, 0, DROPEFFECT_COPY | DROPEFFECT_MOVE),
                  static_cast<DWORD>(DROPEFFECT_COPY));
        target.OnDrop(files, {}, 0, DROPEFFECT_COPY | DROPEFFECT_MOVE);
        EXPECT_EQ(WindowText(GetDlgItem(d, F::kIdDir)), L"C:\\dl\\a.txt");
        // A source offering only to move would delete what it took for moved.
        EXPECT_EQ(target.OnDragOver(files, {}, 0, DROPEFFECT_LINK | DROPEFFECT_MOVE),
                  static_cast<DWORD>(DROPEFFECT_LINK));
        EXPECT_EQ(target.OnDrop(files, {}, 0, DROPEFFECT_MOVE), static_cast<DWORD>(DROPEFFECT_NONE));
        Click(d, IDCANCEL);
    };
    run.Run();
}

TEST(SettingDialog, OkRefusesAPictureTheListCannotShowAndStoresTheChosenPlacement) {
    SettingRun run;
    test::WriteBytes(run.folder / L"tiny.gif", kOnePixelGif);
    test::WriteBytes(run.folder / L"text.gif", "GIF89a and no picture");
    {  // one byte over the limit, and nothing to read
        const UniqueFile huge(
            CreateFileW((run.folder / L"huge.bmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(SetFilePointerEx(huge.get(), {.QuadPart = kLargestPictureFile + 1}, nullptr, FILE_BEGIN) &&
                    SetEndOfFile(huge.get()));
    }
    run.script = [](HWND d, SettingRun& r) {
        Click(d, F::kIdPage2);
        Click(d, F::kIdAlign2);
        for (const wchar_t* picture : {L"gone.png", L"huge.bmp", L"text.gif", L"tiny.gif"}) {
            SetDlgItemTextW(d, F::kIdBgFile, (r.folder / picture).c_str());
            Click(d, IDOK);
        }
    };
    run.Run();
    EXPECT_EQ(run.shell.messages, (std::vector<std::wstring>{kNoSuchPath, kPictureTooLarge, kUnreadablePicture}));
    EXPECT_EQ(run.settings.background, run.folder / L"tiny.gif");
    EXPECT_EQ(run.settings.alignment, 2);
    EXPECT_EQ(run.written.at(4), L"ALIGNMENT=2");
}

}  // namespace
}  // namespace orvane
