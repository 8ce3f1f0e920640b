// A main window listing a download folder made for the test, read through
// the real list view as the user sees it.
#pragma once

#include <gtest/gtest.h>

#include "ui/commands.h"
#include "support/download_folder.h"
#include "support/list_reader.h"
#include "support/main_window_fixture.h"
#include "platform/controls.h"

namespace orvane::test {

class ListViewTest : public MainWindowTest, public ListReader {
protected:
    std::wstring downloads;

    ListViewTest() {
        downloads = folder / L"downloads";
        MakeFolder(downloads);
    }
    std::wstring File(const std::wstring& name) const { return downloads + L"\\" + name; }

    // Starts on the download folder with extra settings lines.
    Frm_Main& LoadOnDownloads(const std::wstring& moreSettings = L"") {
        WriteSettings(L"[PATH]\r\nFILE_PATH=" + downloads + L"\r\n" + moreSettings);
        return LoadAndShow();
    }

    const FileListPanel& Panel() const override { return main->List(); }
    HWND NotifiedWindow() const override { return main->hwnd(); }
};

}  // namespace orvane::test
