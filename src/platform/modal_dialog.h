// A modal dialog built in code: an empty in-memory template, controls placed
// in twips at WM_INITDIALOG. The dialog exists only inside RunModal.
#pragma once

#include <windows.h>

#include <string>

#include "platform/handles.h"

namespace orvane {

class ModalDialog {
public:
    ModalDialog() = default;
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;
    virtual ~ModalDialog() = default;

    HWND hwnd() const { return hwnd_; }

protected:
    // Runs the dialog with the given caption and client size (twips).
    INT_PTR RunModal(HWND owner, const std::wstring& caption, int clientWidthTwips, int clientHeightTwips);

    virtual void OnInitDialog() {}
    virtual bool OnCommand(int id, int code, HWND control);  // IDCANCEL closes by default
    virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // A child control placed in twips.
    HWND AddControl(const wchar_t* className, const std::wstring& text, DWORD style, int id, int leftTwips,
                    int topTwips, int widthTwips, int heightTwips, DWORD exStyle = 0);
    UINT dpi() const { return dpi_; }
    HFONT font() const { return font_.get(); }

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    UINT dpi_ = 96;
    int clientWidthTwips_ = 0;
    int clientHeightTwips_ = 0;
    UniqueFont font_;
};

}  // namespace orvane
