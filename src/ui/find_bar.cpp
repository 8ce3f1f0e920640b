// The find bar: marking names that contain a word, and the word history
// kept in the settings file.
#include "ui/find_bar.h"

#include <commctrl.h>

#include "core/geometry.h"
#include "platform/controls.h"
#include "platform/dpi.h"
#include "ui/commands.h"

namespace orvane {

namespace {

// Enter in the find field finds, as the "検索" button does.
LRESULT CALLBACK FindFieldProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR owner) {
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        SendMessageW(reinterpret_cast<HWND>(owner), WM_COMMAND, MAKEWPARAM(kCmdFind, 0), 0);
        return 0;
    }
    if (message == WM_CHAR && wParam == L'\r') return 0;  // no beep
    return DefSubclassProc(edit, message, wParam, lParam);
}

// The bar as designed; the buttons have room for their letters, "(D)" and
// the like, in a wider Japanese font too.
constexpr TwipRect kFieldRect{60, 60, 4035, 300};
constexpr TwipRect kFindRect{4260, 60, 810, 315};
constexpr TwipRect kDeleteFindRect{5175, 60, 1170, 315};
constexpr TwipRect kClearRect{6510, 60, 990, 315};
constexpr TwipRect kRefreshRect{7605, 60, 810, 315};
constexpr int kFindDropDownTwips = 3000;  // room for the history list

void Place(HWND control, const TwipRect& rect, UINT dpi) {
    const RECT px = TwipsToPixels(rect, dpi);
    MoveWindow(control, px.left, px.top, px.right - px.left, px.bottom - px.top, TRUE);
}

}  // namespace

void FindBar::Create(HWND parent) {
    cboFind_ = CreateChild(parent, WC_COMBOBOXW, L"",
                           WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, kIdFindCombo);
    cmdFind_ = CreateChild(parent, WC_BUTTONW, L"検索(&S)", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, kCmdFind);
    cmdDelFind_ =
        CreateChild(parent, WC_BUTTONW, L"条件削除(&D)", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, kCmdDeleteFind);
    cmdCls_ = CreateChild(parent, WC_BUTTONW, L"クリア(&C)", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, kCmdClearFind);
    cmdRefresh_ = CreateChild(parent, WC_BUTTONW, L"更新(&R)", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, kCmdRefresh);
    if (HWND edit = GetWindow(cboFind_, GW_CHILD))
        SetWindowSubclass(edit, FindFieldProc, 1, reinterpret_cast<DWORD_PTR>(parent));
}

void FindBar::Place(UINT dpi) const {
    TwipRect field = kFieldRect;
    field.height += kFindDropDownTwips;
    orvane::Place(cboFind_, field, dpi);
    orvane::Place(cmdFind_, kFindRect, dpi);
    orvane::Place(cmdDelFind_, kDeleteFindRect, dpi);
    orvane::Place(cmdCls_, kClearRect, dpi);
    orvane::Place(cmdRefresh_, kRefreshRect, dpi);
}

bool FindBar::IsFromField(HWND window) const { return window && (window == cboFind_ || GetParent(window) == cboFind_); }

void FindBar::LoadHistory() {
    for (int k = 1;; ++k) {
        // As Find keeps words: a hand-made " abc " is the word abc.
        const std::wstring word = StableProfileValue(settings_.FindWord(static_cast<std::size_t>(k)));
        if (word.empty()) break;
        combobox::Append(cboFind_, word);
    }
}

void FindBar::FocusField() const {
    SetFocus(cboFind_);
    SendMessageW(cboFind_, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

bool FindBar::OnCommand(int id) {
    switch (id) {
    case kCmdFind:
        OnFind();
        return true;
    case kCmdDeleteFind:
        OnDeleteFind();
        return true;
    case kCmdClearFind:
        OnClearFind();
        return true;
    default:
        return false;
    }
}

int FindBar::FindHistoryIndex(const std::wstring& word) const {
    const int count = combobox::Count(cboFind());
    for (int i = 0; i < count; ++i)
        if (combobox::ItemText(cboFind(), i) == word) return i;  // exact and case-sensitive
    return -1;
}

// The history holds each word as the next start reads it back from the
// settings file, so that key WORDk holds entry k across restarts: a word that
// reads back empty would end the stored history there and is not kept.
void FindBar::AddToFindHistory(const std::wstring& typed) {
    std::wstring word = StableProfileValue(typed);
    if (word.empty() || FindHistoryIndex(word) >= 0) return;
    const std::size_t number = static_cast<std::size_t>(combobox::Count(cboFind())) + 1;
    settings_.SetFindWord(number, word);
    // The file's code page may not hold every character: keep what it holds.
    constexpr wchar_t kNotStored[] = L"\x01\n\x01";  // no stored value reads back as this
    const std::wstring stored = settings_.FindWord(number, kNotStored);
    if (stored != kNotStored && stored != word) {
        word = StableProfileValue(stored);
        if (word.empty() || FindHistoryIndex(word) >= 0) {
            settings_.SetFindWord(number, L"");
            return;
        }
        settings_.SetFindWord(number, word);
    }
    combobox::Append(cboFind(), word);
}

void FindBar::OnFind() {
    const std::wstring word = WindowText(cboFind());
    AddToFindHistory(word);
    list_.MarkMatches(word);
}

void FindBar::OnDeleteFind() {
    const std::wstring word = WindowText(cboFind());
    const int index = FindHistoryIndex(StableProfileValue(word));  // as Find kept it
    if (index < 0) return;
    combobox::Delete(cboFind(), index);
    SetWindowTextW(cboFind(), word.c_str());  // the field keeps what the user typed
    const int count = combobox::Count(cboFind());
    for (int k = 1; k <= count; ++k)
        settings_.SetFindWord(static_cast<std::size_t>(k), combobox::ItemText(cboFind(), k - 1));
    settings_.SetFindWord(static_cast<std::size_t>(count) + 1, L"");
}

void FindBar::OnClearFind() {
    list_.ClearMarks();
    SetWindowTextW(cboFind(), L"");
}

}  // namespace orvane
