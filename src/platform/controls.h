// Typed helpers for the common controls, so that feature code sends no raw
// control messages.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace orvane {

std::wstring WindowText(HWND window);
HWND CreateChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id, DWORD exStyle = 0);

namespace listview {
enum class Align { Left, Right };
void InsertColumn(HWND list, int index, const std::wstring& caption, int widthPixels, Align align);
void DeleteAllColumns(HWND list);
int ColumnCount(HWND list);
std::wstring ColumnCaption(HWND list, int index);
int ColumnWidth(HWND list, int index);
Align ColumnAlign(HWND list, int index);
void SetColumnWidth(HWND list, int index, int widthPixels);
int ItemCount(HWND list);
void SetExtendedStyle(HWND list, DWORD mask, DWORD style);
DWORD ExtendedStyle(HWND list);
}  // namespace listview

namespace treeview {
HTREEITEM Insert(HWND tree, HTREEITEM parent, const std::wstring& text, LPARAM data);
void DeleteAll(HWND tree);
HTREEITEM Root(HWND tree);
HTREEITEM Selection(HWND tree);
void Select(HWND tree, HTREEITEM item);
std::wstring Text(HWND tree, HTREEITEM item);
void SetText(HWND tree, HTREEITEM item, const std::wstring& text);
LPARAM Data(HWND tree, HTREEITEM item);
int Count(HWND tree);
HTREEITEM Parent(HWND tree, HTREEITEM item);
std::vector<HTREEITEM> Children(HWND tree, HTREEITEM item);
void Expand(HWND tree, HTREEITEM item);
void Delete(HWND tree, HTREEITEM item);
HTREEITEM HitTest(HWND tree, POINT client);  // the item whose caption or icon is there, or nothing
void StartLabelEdit(HWND tree, HTREEITEM item);
bool EditingLabel(HWND tree);
void SetDropHighlight(HWND tree, HTREEITEM item);  // nothing: none
HTREEITEM DropHighlight(HWND tree);
}  // namespace treeview

namespace statusbar {
void SetPartRights(HWND bar, const std::vector<int>& rights);  // -1: up to the right edge
void SetText(HWND bar, int part, const std::wstring& text);
std::wstring Text(HWND bar, int part);
int PartCount(HWND bar);
}  // namespace statusbar

namespace combobox {
int Count(HWND combo);
std::wstring ItemText(HWND combo, int index);
void Append(HWND combo, const std::wstring& text);
void Delete(HWND combo, int index);
}  // namespace combobox

namespace menu {
bool IsChecked(HMENU menu, UINT id);
void SetChecked(HMENU menu, UINT id, bool checked);
std::wstring Text(HMENU menu, UINT idOrPosition, bool byPosition);
}  // namespace menu

}  // namespace orvane
