// The shell's blocking windows, behind one interface: the program calls the
// real shell, tests give a scripted one that records every call.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>

namespace orvane {

class ShellUi {
public:
    virtual ~ShellUi() = default;

    // Opens a document or web address with its associated program
    // (verb "Open", no parameters, shown normally), showing no window of
    // the shell's own on failure; 0, or the system's error code.
    virtual DWORD Open(HWND owner, const std::wstring& file, const std::wstring& directory) = 0;

    // A message box; returns the button pressed.
    virtual int Message(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style) = 0;

    // The shell's folder-browse dialog, with startFolder selected where it
    // names a folder (empty: the dialog's own start); the chosen folder, or
    // nothing.
    virtual std::optional<std::wstring> BrowseForFolder(HWND owner, const std::wstring& title, UINT flags,
                                                        const std::wstring& startFolder) = 0;

    // The shell's file operation (FO_MOVE, FO_COPY, FO_DELETE) with its own
    // progress, questions and error windows. from and to are file lists:
    // full paths, each ended by a NUL, and one more NUL at the end. True only
    // when the shell did all of it: no error, and nothing aborted or
    // cancelled part-way.
    virtual bool FileOperation(HWND owner, UINT operation, const std::wstring& from, const std::wstring& to,
                               FILEOP_FLAGS flags) = 0;

    // The shell's properties sheet of one file; nothing when it cannot show one.
    virtual void ShowProperties(HWND owner, const std::wstring& path) = 0;

    // Starts a program with its command-line parameters, shown normally.
    virtual void StartProgram(HWND owner, const std::wstring& program, const std::wstring& parameters) = 0;

    // The open-file dialog for one existing file ("全て(*.*)"); the chosen
    // path, or nothing when the user cancels.
    virtual std::optional<std::wstring> ChooseFileToOpen(HWND owner, const std::wstring& title) = 0;
    // The colour dialog with present selected; the chosen colour, or nothing.
    // The custom colours the user defines are kept for the rest of the run.
    virtual std::optional<COLORREF> PickColor(HWND owner, COLORREF present) = 0;
};

class RealShellUi final : public ShellUi {
public:
    DWORD Open(HWND owner, const std::wstring& file, const std::wstring& directory) override;
    int Message(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style) override;
    std::optional<std::wstring> BrowseForFolder(HWND owner, const std::wstring& title, UINT flags,
                                                const std::wstring& startFolder) override;
    bool FileOperation(HWND owner, UINT operation, const std::wstring& from, const std::wstring& to,
                       FILEOP_FLAGS flags) override;
    void ShowProperties(HWND owner, const std::wstring& path) override;
    void StartProgram(HWND owner, const std::wstring& program, const std::wstring& parameters) override;
    std::optional<std::wstring> ChooseFileToOpen(HWND owner, const std::wstring& title) override;
    std::optional<COLORREF> PickColor(HWND owner, COLORREF present) override;

    // The colour dialog's custom colours, white until the user defines some.
    const COLORREF* CustomColors() const { return customColors_; }

private:
    COLORREF customColors_[16] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                                  0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
};

}  // namespace orvane
