// The version dialog: name and version, a notice, and the maker's web address.
#pragma once

#include <string>

#include "core/version_text.h"
#include "platform/shell_ui.h"
#include "platform/handles.h"
#include "platform/modal_dialog.h"

namespace orvane {

inline constexpr wchar_t kVersionCaption[] = L"バージョン";
inline constexpr wchar_t kWebAddressTip[] = L"最新版はこちらで～";

class Frm_Ver final : public ModalDialog {
public:
    Frm_Ver(ShellUi& shell, std::wstring programFolder, const ProgramVersion& version, std::wstring webAddress);

    // Shows the dialog modally; returns when it is closed.
    void Show(HWND owner);

    enum : int { kIdImage = 100, kIdVersion, kIdNotice, kIdWebAddress, kIdOk = IDOK };

    HWND icon() const { return icon_; }
    HWND lblVer() const { return lblVer_; }
    HWND notice() const { return notice_; }
    HWND webAddressLink() const { return webAddressLink_; }
    HWND okButton() const { return okButton_; }

private:
    HWND icon_ = nullptr;
    HWND lblVer_ = nullptr;
    HWND notice_ = nullptr;
    HWND webAddressLink_ = nullptr;
    HWND okButton_ = nullptr;
    void OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    ShellUi& shell_;
    std::wstring programFolder_;
    ProgramVersion version_;
    std::wstring webAddress_;
    UniqueFont linkFont_;
};

}  // namespace orvane
