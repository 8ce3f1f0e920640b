// The registered-folder dialog "登録フォルダの設定": a name and a folder,
// with "参照" to browse for the folder.
#pragma once

#include <string>

#include "platform/shell_ui.h"
#include "platform/modal_dialog.h"

namespace orvane {

inline constexpr wchar_t kPathModCaption[] = L"登録フォルダの設定";
inline constexpr wchar_t kBrowseTitle[] = L"～するフォルダを選択し、[OK] を押してください";
inline constexpr UINT kBrowseFlags = 3;  // file-system folders only, not below the domain

class Frm_PathMod final : public ModalDialog {
public:
    // Opens with RefName and RefDir; "ＯＫ" leaves the typed name and folder
    // in them, "キャンセル" (Escape, or closing the window) empties RefName.
    Frm_PathMod(ShellUi& shell, std::wstring& RefName, std::wstring& RefDir);
    void Show(HWND owner);

    enum : int { kIdName = 100, kIdDir, kIdBrowse, kIdNameLabel, kIdDirLabel, kIdOk = IDOK, kIdCancel = IDCANCEL };

    HWND Label3 = nullptr;
    HWND Label2 = nullptr;

    HWND txt_Name() const { return txt_Name_; }
    HWND txt_Dir() const { return txt_Dir_; }
    HWND cmd_Ref() const { return cmd_Ref_; }
    HWND cmd_Ok() const { return cmd_Ok_; }
    HWND cmd_Cancel() const { return cmd_Cancel_; }

private:
    HWND txt_Name_ = nullptr;
    HWND txt_Dir_ = nullptr;
    HWND cmd_Ref_ = nullptr;
    HWND cmd_Ok_ = nullptr;
    HWND cmd_Cancel_ = nullptr;
    void OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

    ShellUi& shell_;
    std::wstring& refName_;
    std::wstring& refDir_;
};

}  // namespace orvane
