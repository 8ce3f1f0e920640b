// The settings dialog "設定": three pages of paths, the list's look,
// translucency and how dummy files are shown.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/settings_model.h"
#include "platform/settings_store.h"
#include "core/setting_values.h"
#include "platform/shell_ui.h"
#include "platform/drop_target.h"
#include "platform/handles.h"
#include "platform/modal_dialog.h"

namespace orvane {

inline constexpr wchar_t kSettingCaption[] = L"設定";
inline constexpr wchar_t kDownloadFolderTitle[] = L"ダウンロード用のフォルダを選択し、[OK] を押してください";
inline constexpr wchar_t kDefaultFolderTitle[] = L"フォルダ参照のデフォルトのフォルダを選択し、[OK] を押してください";
inline constexpr wchar_t kOpenPictureTitle[] = L"ﾌｧｲﾙを開く";
inline constexpr wchar_t kNoSuchPath[] = L"指定のパスがありません。";
inline constexpr wchar_t kUnstorablePath[] = L"パスに、保存できない文字が含まれています。";
inline constexpr wchar_t kPictureTooLarge[] = L"画像ファイルが大きすぎます。64MB までのファイルを指定してください。";
inline constexpr wchar_t kUnreadablePicture[] =
    L"画像を読み込めません。BMP、JPEG、PNG、GIF のファイルを指定してください。";

class Frm_Setting final : public ModalDialog, private DropDelegate {
public:
    // Opens on the stored settings; "ＯＫ" changes the dialog's keys through
    // the store. A relative download folder belongs to programFolder.
    Frm_Setting(ShellUi& shell, SettingsStore& settings, std::wstring programFolder);
    ~Frm_Setting() override;
    void Show(HWND owner);

    enum : int {
        kIdOk = IDOK,
        kIdCancel = IDCANCEL,
        kIdPage1 = 100,  // "全般", "デザイン", "ペルノア"
        kIdPage2,
        kIdPage3,
        kIdDir,
        kIdDirBrowse,
        kIdDirRef,
        kIdDirRefBrowse,
        kIdDelMsg,
        kIdBgFile,
        kIdBgBrowse,
        kIdAlign0,  // "左上", "中央に表示", "並べて表示"
        kIdAlign1,
        kIdAlign2,
        kIdInvisibleEnabled,
        kIdInvisible,
        kIdLine,
        kIdListTextColor,
        kIdListTextColorPick,
        kIdSizeColor,
        kIdSizeColorPick,
        kIdInitialDisp0,  // "する", "しない"
        kIdInitialDisp1,
        kIdSizeDisp0,
        kIdSizeDisp1,
        kIdSizeSrc0,  // the source file's size, the dummy file's size
        kIdSizeSrc1,
        kIdDummyColor,
        kIdDummyColorPick,
        kIdFirstCaption,  // labels and frames from here on
    };

    // The page shown: 0, 1 or 2.
    int Page() const { return page_; }
    // A pretend drag of paths onto the download-folder box (for tests).
    DropDelegate& DirDropTarget() { return *this; }

private:
    void OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    DWORD OnDragOver(const DragData& data, POINT client, DWORD keys, DWORD allowed) override;
    DWORD OnDrop(const DragData& data, POINT client, DWORD keys, DWORD allowed) override;

    HWND Add(int page, const wchar_t* className, const std::wstring& text, DWORD style, int id, int left, int top,
             int width, int height, DWORD exStyle = 0);
    void ShowPage(int page);
    void Show(const SettingControls& controls);
    SettingControls Read() const;
    void OnScroll(WORD code);
    void PickColor(int swatchId, std::int32_t& color);
    bool PictureShows(const std::wstring& background);
    void Close(int result);

    ShellUi& shell_;
    SettingsStore& settings_;
    std::wstring programFolder_;
    SettingControls shown_;
    // The swatches' colours, as stored colour numbers.
    std::int32_t listTextColor_ = 0;
    std::int32_t sizeColor_ = 0;
    std::int32_t dummyColor_ = 0;
    std::array<UniqueHandle<HBRUSH, GdiTraits<HBRUSH>>, 3> swatchBrushes_;
    std::array<std::vector<HWND>, 3> pages_;
    int page_ = 0;
    int nextCaptionId_ = kIdFirstCaption;
    std::unique_ptr<DropTargetRegistration> dirDrop_;
};

}  // namespace orvane
