// Helpers for tests on real files: a private folder that is removed again,
// reading and writing whole files, and a shell that records its calls.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "fileops/shell_ui.h"

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
    void Open(HWND owner, const std::wstring& file, const std::wstring& directory) override {
        opened.push_back({owner, file, directory});
    }
    int Message(HWND, const std::wstring& text, const std::wstring&, UINT) override {
        messages.push_back(text);
        return messageAnswer;
    }

    std::vector<OpenCall> opened;
    std::vector<std::wstring> messages;
    int messageAnswer = IDOK;
};

// Runs fn from inside the next modal loop of this thread (after the dialog
// appears); the dialog is the thread's newest enabled top-level "#32770" window.
void WhenDialogShows(void (*fn)(HWND dialog, void* context), void* context);

}  // namespace orvane::test
