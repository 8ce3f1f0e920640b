// A virtual report list view over rows that its delegate holds: it answers
// the control's notifications by asking the delegate, and offers typed calls
// for rows, selection, columns and editing, so that the window around it
// sends the control no messages of its own.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/picture_place.h"
#include "platform/controls.h"
#include "platform/picture.h"

namespace orvane {

// What the list cannot decide itself. Rows and columns are the list view's
// indexes; the hooks the program does not need yet do nothing.
class ListViewDelegate {
public:
    virtual std::wstring CellText(int row, int column) const = 0;
    // The text colour of a cell; CLR_DEFAULT leaves the list's own.
    virtual COLORREF CellColor(int /*row*/, int /*column*/) const { return CLR_DEFAULT; }
    // The row whose text the typed search asks for after start, or -1.
    virtual int FindRow(const LVFINDINFOW& /*find*/, int /*start*/) const { return -1; }
    virtual void OnColumnClick(int /*column*/) {}
    // False forbids the edit.
    virtual bool OnBeginLabelEdit(int /*row*/) { return true; }
    // The edited text, or nothing when the edit was cancelled; the rows are
    // the delegate's, so it keeps the new text itself.
    virtual void OnEndLabelEdit(int /*row*/, const wchar_t* /*text*/) {}
    virtual void OnBeginDrag(int /*row*/) {}
    // row is -1 below the last row.
    virtual void OnDoubleClick(int /*row*/) {}
    virtual void OnKeyDown(WORD /*key*/) {}
    // row is -1 below the last row; at is in screen coordinates.
    virtual void OnRightClick(int /*row*/, POINT /*at*/) {}
    // Rows were selected or unselected (as often as the control says so).
    virtual void OnSelectionChanged() {}

protected:
    ~ListViewDelegate() = default;
};

class ListView {
public:
    struct ColumnDef {
        std::wstring caption;
        int widthPixels;
        listview::Align align;
    };

    explicit ListView(ListViewDelegate& delegate) : delegate_(delegate) {}
    ListView(const ListView&) = delete;
    ListView& operator=(const ListView&) = delete;

    // A report view with full-row selection, as a child with this id.
    void Create(HWND parent, int id);
    HWND hwnd() const { return list_; }

    // The parent hands on the list's WM_NOTIFY; false for another sender or
    // a notification the list leaves to the default handling.
    bool OnNotify(const NMHDR& header, LRESULT& result);

    void SetColumns(const std::vector<ColumnDef>& columns);
    void ShowSortArrow(int column, bool descending);  // -1: none

    int RowCount() const;
    // A new number of rows: nothing of the old selection or focus remains.
    void SetRowCount(int count);
    std::vector<int> SelectedRows() const;  // in list order
    int FocusedRow() const;                 // -1: none
    void Select(int row, bool selected);
    void SelectAll();
    void ClearSelection();
    // Focus and the anchor of shift-selection.
    void Focus(int row);
    void EnsureVisible(int row);
    // The rows were reordered: row i is now what row before[i] was. The same
    // rows stay selected and focused wherever they moved.
    void FollowReorder(const std::vector<std::size_t>& before);
    // The rows changed in number and place: row i is now what row before[i]
    // was, a new row where that is no row of before. Selection and focus stay
    // with their rows and the top row stays where it was.
    void FollowChange(const std::vector<std::size_t>& before);
    // The rows are replaced by count others, of which kept names those that
    // were there before (their row before, their row now): the selected and
    // the focused of them stay so, and the view stays where the user left it.
    // Cheaper than FollowChange where few rows are selected.
    void ReplaceRows(int count, const std::vector<std::pair<int, int>>& kept);

    void StartLabelEdit(int row);
    bool EditingLabel() const;
    void CancelLabelEdit();  // ends an edit of a name without taking the text
    // Replaces the text of the edit under way, all of it selected.
    void SetLabelEditText(const std::wstring& text);
    // Selects the edited name's first length characters (-1: all of it).
    void SelectLabelEditText(int length);
    // Where a menu for the row opens, in screen coordinates: below the row's
    // label, or the list's top-left corner for no row.
    POINT MenuPoint(int row) const;
    void RepaintRow(int row);
    int HitTest(POINT client) const;  // the row there, or -1
    void SetRedraw(bool on);
    void Repaint(bool erase);
    // The look: the text colour of cells without one of their own, grid lines.
    void SetTextColor(COLORREF color);
    void SetGridLines(bool on);
    // The picture behind the rows (nothing: none). The list draws it itself,
    // fixed to the visible area below the header while the rows scroll over it.
    void SetBackground(std::optional<Picture> picture);
    void SetBackgroundPlacement(PicturePlacement placement);
    bool HasBackground() const { return background_.has_value(); }
    // While busy, the pointer over the rows says that work goes on in the
    // background (the arrow with the hourglass): the list still answers.
    void SetBusy(bool busy);
    bool Busy() const { return busy_; }
    // The tooltip that shows a cell's whole text where its column cuts it.
    HWND TipWindow() const { return tip_; }
    // The colour behind selected rows while the list lacks the keyboard.
    static COLORREF UnfocusedSelectionColor();
    // The cell's text when its column is too narrow for it; empty when it fits.
    std::wstring CutText(int row, int column) const;

private:
    void ClearSelection(const std::vector<int>& selected, int focused);
    void KeepTop(int top);
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW& draw) const;
    static LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data);
    void PaintBackground(HDC dc) const;
    // A scroll, a resize or a column drag moved the rows or the area: the
    // control copies the old pixels, picture included, so all is repainted.
    void RepaintIfMoved(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateTip(HWND parent);
    // The pointer moved over the rows: a tip of another cell is taken down.
    void FollowPointer(LPARAM at);

    ListViewDelegate& delegate_;
    HWND list_ = nullptr;
    std::optional<Picture> background_;
    PicturePlacement placement_ = PicturePlacement::TopLeft;
    int shownTop_ = 0;  // top row and horizontal scroll position last painted
    int shownLeft_ = 0;
    bool busy_ = false;
    HWND tip_ = nullptr;  // owned by the list's parent
    int tipRow_ = -1;     // the cell under the pointer
    int tipColumn_ = -1;
    std::wstring tipText_;  // what the tip shows, while it is asked for
};

}  // namespace orvane
