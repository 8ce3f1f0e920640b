#include "platform/handles.h"

#include <gtest/gtest.h>

#include "platform/com.h"

namespace orvane {
namespace {

TEST(Handles, RedrawOffStopsDrawingAndRedrawsTheWholeWindowAtItsEnd) {
    HWND window =
        CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    {
        const RedrawOff off(window);
        EXPECT_FALSE(IsWindowVisible(window));  // what WM_SETREDRAW FALSE leaves behind
        ValidateRect(window, nullptr);
    }
    EXPECT_TRUE(IsWindowVisible(window));
    RECT dirty{};
    EXPECT_TRUE(GetUpdateRect(window, &dirty, FALSE));
    EXPECT_EQ(dirty.right - dirty.left, 50);
    DestroyWindow(window);
}

TEST(Handles, SelectedObjectPutsThePreviousObjectBack) {
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ before = GetCurrentObject(dc, OBJ_FONT);
    UniqueFont font(CreateFontW(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
    {
        const SelectedObject selected(dc, font.get());
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font.get());
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), before);
    DeleteDC(dc);
}

// Counts the references an owner gives back.
struct CountedUnknown : IUnknown {
    int releases = 0;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(++releases); }
};

TEST(Handles, ComPtrReleasesItsOneReferenceOnceWhereverItMoves) {
    CountedUnknown first, second;
    {
        ComPtr<IUnknown> owner(&first);
        ComPtr<IUnknown> moved(std::move(owner));
        EXPECT_FALSE(owner);
        *moved.put() = &second;  // a call handing out a new reference
        EXPECT_EQ(first.releases, 1);
        ComPtr<IUnknown> assigned;
        assigned = std::move(moved);
    }
    EXPECT_EQ(first.releases, 1);
    EXPECT_EQ(second.releases, 1);
}

}  // namespace
}  // namespace orvane
