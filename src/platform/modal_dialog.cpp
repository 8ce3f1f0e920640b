#include "platform/modal_dialog.h"

#include <vector>

#include "platform/dpi.h"

namespace orvane {

namespace {

// An empty DLGTEMPLATE: style, no controls, no menu, default class, title.
std::vector<WORD> EmptyTemplate(const std::wstring& caption) {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
    header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    header->style &= ~DS_SETFONT;  // the font is set on each control instead
    header->cdit = 0;
    header->cx = 100;
    header->cy = 50;
    words.push_back(0);  // menu
    words.push_back(0);  // class
    for (wchar_t c : caption) words.push_back(static_cast<WORD>(c));
    words.push_back(0);
    return words;
}

}  // namespace

INT_PTR ModalDialog::RunModal(HWND owner, const std::wstring& caption, int clientWidthTwips, int clientHeightTwips) {
    clientWidthTwips_ = clientWidthTwips;
    clientHeightTwips_ = clientHeightTwips;
    const std::vector<WORD> dialogTemplate = EmptyTemplate(caption);
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                   reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), owner, DialogProc,
                                   reinterpret_cast<LPARAM>(this));
}

bool ModalDialog::OnCommand(int id, int, HWND) {
    if (id == IDCANCEL) {
        EndDialog(hwnd_, IDCANCEL);
        return true;
    }
    return false;
}

INT_PTR ModalDialog::HandleMessage(UINT, WPARAM, LPARAM) { return FALSE; }

HWND ModalDialog::AddControl(const wchar_t* className, const std::wstring& text, DWORD style, int id, int leftTwips,
                             int topTwips, int widthTwips, int heightTwips, DWORD exStyle) {
    HWND control = CreateWindowExW(
        exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, TwipsToPixels(leftTwips, dpi_),
        TwipsToPixels(topTwips, dpi_), TwipsToPixels(widthTwips, dpi_), TwipsToPixels(heightTwips, dpi_), hwnd_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return control;
}

INT_PTR CALLBACK ModalDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ModalDialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<ModalDialog*>(lParam);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        self->dpi_ = DpiOf(hwnd);
        self->font_ = CreateUiFont(self->dpi_);
        const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
        const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
        const SIZE outer =
            OuterSizeForClient(TwipsToPixels(self->clientWidthTwips_, self->dpi_),
                               TwipsToPixels(self->clientHeightTwips_, self->dpi_), style, exStyle, false, self->dpi_);
        // Centred on the owner, or on the screen without one.
        RECT area{};
        HWND owner = GetWindow(hwnd, GW_OWNER);
        if (!(owner && IsWindowVisible(owner) && GetWindowRect(owner, &area)))
            SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        SetWindowPos(hwnd, nullptr, area.left + (area.right - area.left - outer.cx) / 2,
                     area.top + (area.bottom - area.top - outer.cy) / 2, outer.cx, outer.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        self->OnInitDialog();
        return TRUE;
    }
    self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self) return FALSE;
    if (message == WM_COMMAND && self->OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)))
        return TRUE;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
    }
    return self->HandleMessage(message, wParam, lParam);
}

}  // namespace orvane
