// The find bar: a field with the words looked for before, and the buttons
// that mark the list's names containing the word ("検索"), forget the word
// ("条件削除"), clear the marks ("クリア") and list the folder again ("更新").
// The words are kept in the settings file (section FIND, WORD1, WORD2, ...).
#pragma once

#include <windows.h>

#include <string>

#include "platform/settings_store.h"
#include "ui/file_list_panel.h"

namespace orvane {

class FindBar {
public:
    FindBar(SettingsStore& settings, FileListPanel& list) : settings_(settings), list_(list) {}
    FindBar(const FindBar&) = delete;
    FindBar& operator=(const FindBar&) = delete;

    // The field and its buttons, in the tab order of the bar; the buttons
    // send their commands to parent.
    void Create(HWND parent);
    // The words kept in the settings file go into the field's list.
    void LoadHistory();
    // Places the bar as designed; it never moves.
    void Place(UINT dpi) const;
    // "検索", "条件削除" and "クリア"; false for other commands.
    bool OnCommand(int id);
    // Whether a message comes from the field (or its edit).
    bool IsFromField(HWND window) const;
    // The keyboard to the field, its word selected for typing over.
    void FocusField() const;

    HWND cboFind() const { return cboFind_; }
    HWND cmdFind() const { return cmdFind_; }
    HWND cmdDelFind() const { return cmdDelFind_; }
    HWND cmdCls() const { return cmdCls_; }
    HWND cmdRefresh() const { return cmdRefresh_; }

private:
    void OnFind();
    void OnDeleteFind();
    void OnClearFind();
    int FindHistoryIndex(const std::wstring& word) const;
    void AddToFindHistory(const std::wstring& typed);

    SettingsStore& settings_;
    FileListPanel& list_;
    HWND cboFind_ = nullptr;
    HWND cmdFind_ = nullptr;
    HWND cmdDelFind_ = nullptr;
    HWND cmdCls_ = nullptr;
    HWND cmdRefresh_ = nullptr;
};

}  // namespace orvane
