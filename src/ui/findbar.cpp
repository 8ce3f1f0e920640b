// The find bar: marking names that contain a word, and the word history
// kept in the settings file (section FIND, WORD1, WORD2, ...).
#include "ui/commands.h"
#include "ui/frm_main.h"
#include "platform/controls.h"

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

}  // namespace

void Frm_Main::HookFindField() {
    if (HWND edit = GetWindow(cboFind(), GW_CHILD))
        SetWindowSubclass(edit, FindFieldProc, 1, reinterpret_cast<DWORD_PTR>(hwnd()));
}

int Frm_Main::FindHistoryIndex(const std::wstring& word) const {
    const int count = combobox::Count(cboFind());
    for (int i = 0; i < count; ++i)
        if (combobox::ItemText(cboFind(), i) == word) return i;  // exact and case-sensitive
    return -1;
}

// The history holds each word as the next start reads it back from the
// settings file, so that key WORDk holds entry k across restarts: a word that
// reads back empty would end the stored history there and is not kept.
void Frm_Main::AddToFindHistory(const std::wstring& typed) {
    std::wstring word = StableProfileValue(typed);
    if (word.empty() || FindHistoryIndex(word) >= 0) return;
    const std::size_t number = static_cast<std::size_t>(combobox::Count(cboFind())) + 1;
    app_.settings.SetFindWord(number, word);
    // The file's code page may not hold every character: keep what it holds.
    constexpr wchar_t kNotStored[] = L"\x01\n\x01";  // no stored value reads back as this
    const std::wstring stored = app_.settings.FindWord(number, kNotStored);
    if (stored != kNotStored && stored != word) {
        word = StableProfileValue(stored);
        if (word.empty() || FindHistoryIndex(word) >= 0) {
            app_.settings.SetFindWord(number, L"");
            return;
        }
        app_.settings.SetFindWord(number, word);
    }
    combobox::Append(cboFind(), word);
}

void Frm_Main::OnFind() {
    const std::wstring word = WindowText(cboFind());
    AddToFindHistory(word);
    MarkMatches(rows_, word, UpperCaseText);  // the word as typed
    findWord_ = word;
    fileList_.Repaint(false);
}

void Frm_Main::OnDeleteFind() {
    const std::wstring word = WindowText(cboFind());
    const int index = FindHistoryIndex(StableProfileValue(word));  // as Find kept it
    if (index < 0) return;
    combobox::Delete(cboFind(), index);
    SetWindowTextW(cboFind(), word.c_str());  // the field keeps what the user typed
    const int count = combobox::Count(cboFind());
    for (int k = 1; k <= count; ++k)
        app_.settings.SetFindWord(static_cast<std::size_t>(k), combobox::ItemText(cboFind(), k - 1));
    app_.settings.SetFindWord(static_cast<std::size_t>(count) + 1, L"");
}

void Frm_Main::OnClearFind() {
    ClearMarks(rows_);
    findWord_.reset();
    fileList_.Repaint(false);
    SetWindowTextW(cboFind(), L"");
}

}  // namespace orvane
