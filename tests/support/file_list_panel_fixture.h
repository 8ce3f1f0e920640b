// A file list panel with the find bar that marks it, in a window of the
// test's own rather than the main window, listing a download folder made for
// the test; what the panel asks of its window is recorded.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/controls.h"
#include "platform/dpi.h"
#include "platform/ini.h"
#include "platform/settings_store.h"
#include "platform/ui_queue.h"
#include "platform/window.h"
#include "support/download_folder.h"
#include "support/list_reader.h"
#include "support/message_pump.h"
#include "support/program_folder_fixture.h"
#include "support/temp_folder.h"
#include "ui/file_list_panel.h"
#include "ui/find_bar.h"

namespace orvane::test {

// The window around the panel: the find bar, the list and a status bar, the
// panel's notifications and the find bar's commands handed on.
class PanelHost final : public Window, private FileListListener {
public:
    explicit PanelHost(FileListContext context) : panel_(context, *this), findBar_(context.settings, panel_) {}

    void Create() {
        Register(L"Orvane.TestPanelHost", reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        CreateAs(L"Orvane.TestPanelHost", L"panel", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 0, 800, 600, nullptr,
                 nullptr);
        findBar_.Create(hwnd());
        panel_.Create(hwnd(), kIdList);
        status_ = CreateChild(hwnd(), STATUSCLASSNAMEW, L"", WS_VISIBLE | SBARS_SIZEGRIP, kIdStatus);
        statusbar::SetPartRights(status_, {400, 500, -1});
        panel_.SetStatusBar(status_);
        const UINT dpi = DpiOf(hwnd());
        panel_.SetUpColumns(dpi);
        findBar_.Place(dpi);
        findBar_.LoadHistory();
        MoveWindow(LVList(), 0, 40, 780, 480, TRUE);
        ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    }

    FileListPanel& List() { return panel_; }
    const FileListPanel& List() const { return panel_; }
    HWND LVList() const { return panel_.LVList(); }
    HWND SBMain() const { return status_; }
    HWND cboFind() const { return findBar_.cboFind(); }
    HWND cmdFind() const { return findBar_.cmdFind(); }
    HWND cmdDelFind() const { return findBar_.cmdDelFind(); }
    HWND cmdCls() const { return findBar_.cmdCls(); }

    std::vector<int> commands;  // what the list's keys and mouse asked for
    int menus = 0;
    int drags = 0;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_NOTIFY) {
            LRESULT result = 0;
            if (panel_.View().OnNotify(*reinterpret_cast<NMHDR*>(lParam), result)) return result;
        }
        if (message == WM_COMMAND && findBar_.OnCommand(LOWORD(wParam))) return 0;
        return Window::HandleMessage(message, wParam, lParam);
    }
    void OnListCommand(int command) override { commands.push_back(command); }
    void OnListMenu(POINT) override { ++menus; }
    void OnListDrag() override { ++drags; }
    std::optional<std::wstring> OnListRename(const std::wstring&, const std::wstring&, const std::wstring&) override {
        return std::nullopt;
    }

    FileListPanel panel_;
    FindBar findBar_;
    HWND status_ = nullptr;
};

class FileListPanelTest : public ProgramFolderTest, public ListReader {
protected:
    std::wstring downloads;
    std::unique_ptr<UiQueue> queue;
    std::unique_ptr<PanelHost> host;
    const ListingSource* source = nullptr;  // what listings read; the disk when none

    FileListPanelTest() {
        downloads = folder / L"downloads";
        MakeFolder(downloads);
    }
    std::wstring File(const std::wstring& name) const { return downloads + L"\\" + name; }

    // The panel on the download folder as the client's, with extra settings lines.
    PanelHost& LoadOnDownloads(const std::wstring& moreSettings = L"") {
        WriteSettings(L"[PATH]\r\nFILE_PATH=" + downloads + L"\r\n" + moreSettings);
        return Restart();
    }
    // As the next start makes it, from the settings file as it is now.
    PanelHost& Restart() {
        settings.Load();
        host.reset();  // before the queue it hands work to
        queue = std::make_unique<UiQueue>();
        host = std::make_unique<PanelHost>(FileListContext{folder.path(), settings, shell, *queue, source});
        host->Create();
        host->List().ApplyLook();
        host->List().Show(downloads + L"\\", true);
        Settle();
        return *host;
    }
    // Lets the window's messages run until the list's listing is in.
    void Settle() const {
        EXPECT_TRUE(PumpUntil([this] { return !host->List().Loading(); }));
    }

    const FileListPanel& Panel() const override { return host->List(); }
    HWND NotifiedWindow() const override { return host->hwnd(); }
};

}  // namespace orvane::test
