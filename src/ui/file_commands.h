// The commands on files: rename, delete, open, properties, move and copy
// into a folder the user picks, and cut, copy and paste through the
// clipboard. Each acts on the files the list says are selected, in the
// folder the list's rows came from; the shell does the work with its own
// windows.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <functional>
#include <optional>
#include <string>

#include "core/folder_menu.h"
#include "platform/com.h"
#include "platform/settings_store.h"
#include "platform/shell_ui.h"
#include "platform/ui_queue.h"
#include "ui/file_list_panel.h"
#include "ui/undo_log.h"

namespace orvane {

class FileCommands {
public:
    // The shell's windows belong to the list's window. registered gives the
    // folders files can be filed into from the list's menu.
    using Registered = std::function<std::vector<RegisteredNode>()>;
    FileCommands(SettingsStore& settings, ShellUi& shell, UiQueue& queue, FileListPanel& list,
                 Registered registered = {})
        : settings_(settings), shell_(shell), queue_(queue), list_(list), registered_(std::move(registered)) {}
    ~FileCommands();
    FileCommands(const FileCommands&) = delete;
    FileCommands& operator=(const FileCommands&) = delete;

    // The list's own commands; false for another command.
    bool OnCommand(int id);
    // The list's pop-up menu at a point of the screen, with the registered
    // folders to move or copy the selected files into.
    void ShowMenu(POINT screen);
    // Renames name in folder to typed; the name the file system kept, or
    // nothing when the name was refused or the rename failed (said so).
    std::optional<std::wstring> Rename(const std::wstring& folder, const std::wstring& name, const std::wstring& typed);
    void Delete(bool forGood);  // forGood: Shift+Delete, past the recycle bin
    void Open();
    void Properties();
    // Moves (FO_MOVE) or copies (FO_COPY) the selected files into a folder
    // the user picks.
    void MoveOrCopy(UINT operation);
    // Moves or copies the selected files into target, a registered folder.
    void MoveOrCopyTo(const std::wstring& target, bool move);
    void CutOrCopy(bool cut);
    // Undoes the last rename, move or copy made here (Ctrl+Z); the files
    // that came back into the folder listed are selected.
    void Undo();
    // What Ctrl+Z undoes; drag and drop records its moves and copies here too.
    UndoLog& History() { return undo_; }
    void Paste() { PasteInto(list_.ListedFolder()); }
    void PasteInto(const std::wstring& folder);
    // Our last cut or copy as we put it on the clipboard (a program pasting it
    // reaches this object; Wine's clipboard does not hand it on in-process).
    IDataObject* ClipboardData() const { return clipboardData_.get(); }
    // The clipboard changed: rows cut stay dimmed only while our cut is on it.
    void OnClipboardChanged();
    // The window closes: what we put on the clipboard stays there without us.
    void LeaveClipboard();

private:
    HWND Owner() const { return GetParent(list_.LVList()); }
    void Transfer(const std::vector<std::wstring>& sources, const std::wstring& target, bool move);

    SettingsStore& settings_;
    ShellUi& shell_;
    UiQueue& queue_;
    FileListPanel& list_;
    Registered registered_;
    ComPtr<IDataObject> clipboardData_;
    UndoLog undo_;
};

}  // namespace orvane
