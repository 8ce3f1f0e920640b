// Helpers for tests on real files: a private folder that is removed again,
// reading and writing whole files, a shell that records its calls and the
// program's dialogs answered by script.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/program_dialogs.h"
#include "platform/shell_ui.h"

namespace orvane::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& path() const { return path_; }  // ends with a backslash
    std::wstring operator/(const std::wstring& name) const { return path_ + name; }

private:
    std::wstring path_;
};

std::string ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::string& bytes);
bool Exists(const std::wstring& path);
void MakeFolder(const std::wstring& path);

// Records every call; answers message boxes with a preset button.
class RecordingShell final : public ShellUi {
public:
    struct OpenCall {
        HWND owner;
        std::wstring file;
        std::wstring directory;
    };
    DWORD Open(HWND owner, const std::wstring& file, const std::wstring& directory) override {
        opened.push_back({owner, file, directory});
        return openError;
    }
    int Message(HWND, const std::wstring& text, const std::wstring&, UINT) override {
        messages.push_back(text);
        return messageAnswer;
    }

    std::optional<std::wstring> BrowseForFolder(HWND, const std::wstring& title, UINT flags,
                                                const std::wstring& startFolder) override {
        browseTitles.push_back(title);
        browseFlags = flags;
        browseStartFolders.push_back(startFolder);
        return browseAnswer;
    }
    struct FileOperationCall {
        UINT operation;
        std::wstring from;
        std::wstring to;
        FILEOP_FLAGS flags;
    };
    // Recorded; done for real by the shell unless the test gives the answer
    // (a real operation that would ask a question blocks a test).
    bool FileOperation(HWND owner, UINT operation, const std::wstring& from, const std::wstring& to,
                       FILEOP_FLAGS flags) override {
        fileOperations.push_back({operation, from, to, flags});
        if (fileOperationAnswer) return *fileOperationAnswer;
        return RealShellUi().FileOperation(owner, operation, from, to, flags);
    }
    void ShowProperties(HWND, const std::wstring& path) override { properties.push_back(path); }
    void StartProgram(HWND, const std::wstring& program, const std::wstring& parameters) override {
        started.push_back({program, parameters});
    }
    std::optional<std::wstring> ChooseFileToOpen(HWND, const std::wstring& title) override {
        openFileTitles.push_back(title);
        return openFileAnswer;
    }
    std::optional<COLORREF> PickColor(HWND, COLORREF present) override {
        colorsPresented.push_back(present);
        return colorAnswer;
    }
    std::vector<OpenCall> opened;
    std::vector<std::wstring> messages;
    int messageAnswer = IDOK;
    DWORD openError = 0;  // what Open answers
    std::vector<std::wstring> browseTitles;
    UINT browseFlags = 0;
    std::optional<std::wstring> browseAnswer;
    std::vector<std::wstring> browseStartFolders;
    std::vector<FileOperationCall> fileOperations;
    std::optional<bool> fileOperationAnswer;
    std::vector<std::wstring> properties;
    std::vector<std::pair<std::wstring, std::wstring>> started;
    std::vector<std::wstring> openFileTitles;
    std::optional<std::wstring> openFileAnswer;
    std::vector<COLORREF> colorsPresented;
    std::optional<COLORREF> colorAnswer;
};

// The program's own dialogs, answered as a user would.
class ScriptedDialogs final : public ProgramDialogs {
public:
    // With a name and folder typed and "ＯＫ", or "キャンセル" (answerName nothing).
    void EditRegisteredFolder(HWND, std::wstring& RefName, std::wstring& RefDir) override {
        dialogOpenedWith.push_back({RefName, RefDir});
        if (!answerName) {
            RefName.clear();
            return;
        }
        RefName = *answerName;
        RefDir = answerDir;
    }
    void ShowVersion(HWND owner) override { versionOwners.push_back(owner); }
    // "ＯＫ" with settingsAnswer, or "キャンセル" (settingsAnswer nothing).
    void EditSettings(HWND, SettingsStore& settings) override {
        settingsOpenedWith.push_back(settings.Get());
        if (!settingsAnswer) return;
        settings.Change({SettingKey::FilePath, SettingKey::Background, SettingKey::GridLines},
                        [this](Settings& s) { s = *settingsAnswer; });
    }

    std::vector<std::pair<std::wstring, std::wstring>> dialogOpenedWith;
    std::optional<std::wstring> answerName;
    std::wstring answerDir;
    std::vector<HWND> versionOwners;
    std::vector<Settings> settingsOpenedWith;
    std::optional<Settings> settingsAnswer;
};

// Runs fn from inside the next modal loop of this thread (after the dialog
// appears); the dialog is the thread's newest enabled top-level "#32770" window.
void WhenDialogShows(void (*fn)(HWND dialog, void* context), void* context);

// Runs fn while the next pop-up menu of this thread is open, with the menu;
// fn ends the menu (EndMenu) or picks an entry.
void WhenMenuShows(void (*fn)(HWND popup, HMENU menu, void* context), void* context);

}  // namespace orvane::test
