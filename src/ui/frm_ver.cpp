#include "ui/frm_ver.h"

#include <commctrl.h>

#include "res/resource.h"

namespace orvane {

Frm_Ver::Frm_Ver(ShellUi& shell, std::wstring programFolder, const ProgramVersion& version, std::wstring webAddress)
    : shell_(shell), programFolder_(std::move(programFolder)), version_(version), webAddress_(std::move(webAddress)) {}

void Frm_Ver::Show(HWND owner) { RunModal(owner, kVersionCaption, 3960, 1815); }

void Frm_Ver::OnInitDialog() {
    icon_ = AddControl(WC_STATICW, L"", SS_ICON | SS_REALSIZEIMAGE, kIdImage, 360, 240, 480, 480);
    const HICON programIcon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP),
                                                            IMAGE_ICON, MulDiv(32, static_cast<int>(dpi()), 96),
                                                            MulDiv(32, static_cast<int>(dpi()), 96), LR_SHARED));
    SendMessageW(icon_, STM_SETICON, reinterpret_cast<WPARAM>(programIcon), 0);
    lblVer_ =
        AddControl(WC_STATICW, DialogVersionText(version_), SS_LEFT | SS_NOPREFIX, kIdVersion, 1140, 240, 2700, 255);
    notice_ = AddControl(WC_STATICW, L"ダウンロードフォルダ整理ツール", SS_LEFT | SS_NOPREFIX, kIdNotice, 1140, 540,
                         2700, 255);
    webAddressLink_ =
        AddControl(WC_STATICW, webAddress_, SS_LEFT | SS_NOTIFY | SS_NOPREFIX, kIdWebAddress, 960, 1020, 2940, 255);
    okButton_ = AddControl(WC_BUTTONW, L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, kIdOk, 1320, 1380, 1455, 375);

    LOGFONTW underlined{};
    GetObjectW(font(), sizeof(underlined), &underlined);
    underlined.lfUnderline = TRUE;
    linkFont_.reset(CreateFontIndirectW(&underlined));
    SendMessageW(webAddressLink_, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_.get()), FALSE);

    HWND tip =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(webAddressLink_);
    tool.lpszText = const_cast<wchar_t*>(kWebAddressTip);
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));

    SetFocus(okButton_);
}

bool Frm_Ver::OnCommand(int id, int code, HWND control) {
    if (id == kIdOk || id == IDCANCEL) {
        EndDialog(hwnd(), id);
        return true;
    }
    if (id == kIdWebAddress && code == STN_CLICKED) {
        // Opens the page in the browser; the dialog stays open.
        shell_.Open(hwnd(), webAddress_, programFolder_);
        return true;
    }
    return ModalDialog::OnCommand(id, code, control);
}

INT_PTR Frm_Ver::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == webAddressLink_) {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(0, 0, 255));
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
    if (message == WM_SETCURSOR && reinterpret_cast<HWND>(wParam) == webAddressLink_) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        SetWindowLongPtrW(hwnd(), DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    return ModalDialog::HandleMessage(message, wParam, lParam);
}

}  // namespace orvane
