// The shell's blocking windows, behind one interface: the program calls the
// real shell, tests give a scripted one that records every call.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace orvane {

class ShellUi {
public:
    virtual ~ShellUi() = default;

    // Opens a document or web address with its associated program
    // (verb "Open", no parameters, shown normally). The result is not used.
    virtual void Open(HWND owner, const std::wstring& file, const std::wstring& directory) = 0;

    // A message box; returns the button pressed.
    virtual int Message(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style) = 0;

    // The shell's folder-browse dialog; the chosen folder, or nothing.
    virtual std::optional<std::wstring> BrowseForFolder(HWND owner, const std::wstring& title, UINT flags) = 0;
};

class RealShellUi final : public ShellUi {
public:
    void Open(HWND owner, const std::wstring& file, const std::wstring& directory) override;
    int Message(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style) override;
    std::optional<std::wstring> BrowseForFolder(HWND owner, const std::wstring& title, UINT flags) override;
};

}  // namespace orvane
