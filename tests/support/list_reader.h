// Reading the file list as the user sees it, through the real list view's
// own messages, whatever window holds it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/file_list_model.h"
#include "ui/commands.h"
#include "ui/file_list_panel.h"

namespace orvane::test {

class ListReader {
protected:
    virtual ~ListReader() = default;
    // The panel whose list is read, and the window that hands on its notifications.
    virtual const FileListPanel& Panel() const = 0;
    virtual HWND NotifiedWindow() const = 0;

    HWND ListWindow() const { return Panel().LVList(); }
    int Count() const { return ListView_GetItemCount(ListWindow()); }
    std::wstring Text(int row, Column column) const {
        wchar_t buffer[512] = {};
        ListView_GetItemText(ListWindow(), row, ColumnIndex(column), buffer, 512);
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
        return CellColor(Panel().Rows()[static_cast<std::size_t>(row)], column, Panel().Colors());
    }
    bool Selected(int row) const { return ListView_GetItemState(ListWindow(), row, LVIS_SELECTED) != 0; }
    std::vector<std::wstring> SelectedNames() const {
        std::vector<std::wstring> names;
        for (int i = 0; i < Count(); ++i)
            if (Selected(i)) names.push_back(Text(i, Column::FileName));
        return names;
    }
    std::wstring FocusedName() const {
        return Text(ListView_GetNextItem(ListWindow(), -1, LVNI_FOCUSED), Column::FileName);
    }
    void ClickHeader(int column) const {
        NMLISTVIEW click{};
        click.hdr.hwndFrom = ListWindow();
        click.hdr.idFrom = kIdList;
        click.hdr.code = LVN_COLUMNCLICK;
        click.iItem = -1;
        click.iSubItem = ColumnIndex(static_cast<Column>(column));
        SendMessageW(NotifiedWindow(), WM_NOTIFY, kIdList, reinterpret_cast<LPARAM>(&click));
    }
};

}  // namespace orvane::test
