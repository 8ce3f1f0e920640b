// A folder tree alone, in a window of the test's own, built from the data
// file of a private program folder; what the tree tells its window is
// recorded.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/pane_layout.h"
#include "platform/code_page.h"
#include "platform/dpi.h"
#include "platform/ini.h"
#include "platform/registered_folders_file.h"
#include "platform/settings_store.h"
#include "platform/window.h"
#include "support/program_folder_fixture.h"
#include "support/temp_folder.h"
#include "support/tree_reader.h"
#include "ui/commands.h"
#include "ui/folder_tree.h"

namespace orvane::test {

// What the tree told the window around it, in order.
class RecordingTreeListener final : public FolderTreeListener {
public:
    void OnFolderChosen(const std::wstring& folder, bool clientFolder) override {
        chosen.push_back({folder, clientFolder});
    }
    void OnFolderPointed(const std::optional<std::wstring>& folder) override { pointed.push_back(folder); }
    void OnPasteInto(const std::wstring& folder) override { pastes.push_back(folder); }

    std::vector<std::pair<std::wstring, bool>> chosen;  // the folder, and whether it is the client's
    std::vector<std::optional<std::wstring>> pointed;
    std::vector<std::wstring> pastes;
};

// The window around the tree: the tree where the main window first places
// it (its hit tests depend on its size), and the tree's notifications handed on.
class TreeHost final : public Window {
public:
    TreeHost(FolderTreeContext context, FolderTreeListener& listener) : tree_(std::move(context), listener) {}

    void Create() {
        Register(L"Orvane.TestTreeHost", reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
        CreateAs(L"Orvane.TestTreeHost", L"tree", style, 0, 0, 0, 100, 100, nullptr, nullptr);
        const RECT place = TwipsToPixels(layout::kDesignTree, DpiOf(hwnd()));
        RECT outer{0, 0, place.right + place.left, place.bottom + place.left};
        AdjustWindowRectEx(&outer, style, FALSE, 0);
        SetWindowPos(hwnd(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        tree_.Create(hwnd(), kIdTree);
        MoveWindow(tree_.TVDir(), place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
        ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    }

    FolderTree& Tree() { return tree_; }
    const FolderTree& Tree() const { return tree_; }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_NOTIFY) {
            LRESULT result = 0;
            if (tree_.OnNotify(reinterpret_cast<NMHDR*>(lParam), result)) return result;
        }
        return Window::HandleMessage(message, wParam, lParam);
    }

    FolderTree tree_;
};

class FolderTreeTest : public ProgramFolderTest, public TreeReader {
protected:
    RewriteFaults rewriteFaults;  // steps of the data file's rewrite made to fail
    RecordingTreeListener listener;
    std::unique_ptr<TreeHost> host;

    // The settings read, and the tree built in a new window from the data
    // file, as a start of the program builds it.
    FolderTree& Load() {
        settings.Load();
        host.reset();
        host = std::make_unique<TreeHost>(FolderTreeContext{folder.path(), settings, shell, dialogs, &rewriteFaults},
                                          listener);
        host->Create();
        host->Tree().Build();
        return host->Tree();
    }

    // A registration command on the selected node, as the main window hands it on.
    void Command(int id) { host->Tree().OnCommand(id); }

    const FolderTree& Tree() const override { return host->Tree(); }
    std::wstring ProgramFolder() const override { return folder.path(); }
};

}  // namespace orvane::test
