// A main window listing a download folder made for the test, read through
// the real list view as the user sees it.
#pragma once

#include <gtest/gtest.h>

#include "ui/commands.h"
#include "support/download_folder.h"
#include "support/main_window_fixture.h"
#include "platform/controls.h"

namespace orvane::test {

class ListViewTest : public MainWindowTest {
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

    int Count() const { return ListView_GetItemCount(main->LVList()); }
    std::wstring Text(int row, Column column) const {
        wchar_t buffer[512] = {};
        ListView_GetItemText(main->LVList(), row, ColumnIndex(column), buffer, 512);
        return buffer;
    }
    // The row showing this name (column 1), or -1.
    int Row(const std::wstring& shown) const {
        for (int i = 0; i < Count(); ++i)
            if (Text(i, Column::FileName) == shown) return i;
        return -1;
    }
    std::vector<std::wstring> Column1() const {
        std::vector<std::wstring> names;
        for (int i = 0; i < Count(); ++i) names.push_back(Text(i, Column::FileName));
        return names;
    }
    std::uint32_t Color(int row, Column column) const {
        return CellColor(main->List().Rows()[static_cast<std::size_t>(row)], column, main->List().Colors());
    }
    bool Selected(int row) const { return ListView_GetItemState(main->LVList(), row, LVIS_SELECTED) != 0; }
    void ClickHeader(int column) {
        NMLISTVIEW click{};
        click.hdr.hwndFrom = main->LVList();
        click.hdr.idFrom = kIdList;
        click.hdr.code = LVN_COLUMNCLICK;
        click.iItem = -1;
        click.iSubItem = ColumnIndex(static_cast<Column>(column));
        SendMessageW(main->hwnd(), WM_NOTIFY, kIdList, reinterpret_cast<LPARAM>(&click));
    }
};

}  // namespace orvane::test
