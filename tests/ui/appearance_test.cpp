// The list's background picture, text colour and grid lines, and the main
// window's translucency, as the load sequence applies them.
#include "ui/appearance.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/paths.h"
#include "support/list_view_fixture.h"
#include "platform/handles.h"

#include <uxtheme.h>

namespace orvane {
namespace {

constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kGreen = RGB(0, 180, 0);

// A 24-bit BMP file of the given size.
void WriteBmp(const std::wstring& path, int width, int height, const std::function<COLORREF(int, int)>& pixel) {
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;  // bottom-up
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    for (int y = height - 1; y >= 0; --y) {
        std::string row(static_cast<std::size_t>(stride), '\0');
        for (int x = 0; x < width; ++x) {
            const COLORREF c = pixel(x, y);
            row[static_cast<std::size_t>(x * 3)] = static_cast<char>(GetBValue(c));
            row[static_cast<std::size_t>(x * 3 + 1)] = static_cast<char>(GetGValue(c));
            row[static_cast<std::size_t>(x * 3 + 2)] = static_cast<char>(GetRValue(c));
        }
        bytes += row;
    }
    test::WriteBytes(path, bytes);
}

// What the list draws of its client area (background and rows, not the
// header), read from a bitmap of our own.
class ListPixels {
public:
    explicit ListPixels(HWND list) {
        GetClientRect(list, &client_);
        dc_ = CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), client_.right, -client_.bottom, 1, 32, BI_RGB};
        bitmap_.reset(CreateDIBSection(dc_, &info, DIB_RGB_COLORS, nullptr, nullptr, 0));
        previous_ = SelectObject(dc_, bitmap_.get());
        // As a paint does it: the background is erased, then the rows drawn.
        SendMessageW(list, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc_), 0);
        SendMessageW(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
        RECT header{};
        GetWindowRect(ListView_GetHeader(list), &header);
        MapWindowPoints(nullptr, list, reinterpret_cast<POINT*>(&header), 2);
        top_ = header.bottom;
    }
    ~ListPixels() {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    // Relative to the area below the header.
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, top_ + y); }
    int Width() const { return client_.right; }
    int Height() const { return client_.bottom - top_; }

private:
    RECT client_{};
    HDC dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ previous_;
    int top_ = 0;
};

class AppearanceTest : public test::ListViewTest {
protected:
    // 40 x 30, red with a green 4 x 4 top-left corner.
    std::wstring Picture() {
        const std::wstring path = folder / L"背景.bmp";
        WriteBmp(path, 40, 30, [](int x, int y) { return x < 4 && y < 4 ? kGreen : kRed; });
        return path;
    }
};

TEST_F(AppearanceTest, ThePictureLiesBehindTheListInEachPlacement) {
    const std::wstring picture = Picture();
    for (int alignment : {0, 1, 2}) {
        SCOPED_TRACE(alignment);
        LoadOnDownloads(L"[DESIGN]\r\nBG=" + picture + L"\r\nALIGNMENT=" + std::to_wstring(alignment) +
                        L"\r\nLINE=0\r\n");
        ASSERT_EQ(Count(), 0);
        const ListPixels shown(main->LVList());
        const int midX = (shown.Width() - 40) / 2;
        const int midY = (shown.Height() - 30) / 2;
        const COLORREF window = GetSysColor(COLOR_WINDOW);
        EXPECT_EQ(shown.At(1, 1), alignment == 1 ? window : kGreen);
        EXPECT_EQ(shown.At(39, 29), alignment == 1 ? window : kRed);
        EXPECT_EQ(shown.At(41, 1), alignment == 2 ? kGreen : window);  // the second tile's corner
        if (alignment != 2) EXPECT_EQ(shown.At(midX + 1, midY + 1), alignment == 1 ? kGreen : window);
        EXPECT_EQ(shown.At(midX + 39, midY + 29), alignment == 0 ? window : kRed);
        main.reset();
    }
}

TEST_F(AppearanceTest, AScrollRepaintsTheWholeListAndThePictureStaysPut) {
    for (int i = 0; i < 60; ++i) test::WriteBytes(File(L"f" + std::to_wstring(i) + L".txt"), "x");
    LoadOnDownloads(L"[DESIGN]\r\nBG=" + Picture() + L"\r\nALIGNMENT=2\r\nLINE=0\r\n");
    const HWND list = main->LVList();
    RECT client{};
    GetClientRect(list, &client);
    RECT header{};
    GetWindowRect(ListView_GetHeader(list), &header);
    MapWindowPoints(nullptr, list, reinterpret_cast<POINT*>(&header), 2);
    client.top = header.bottom;  // what lies below the header
    for (int way = 0; way < 2; ++way) {
        SCOPED_TRACE(way);
        const int topBefore = ListView_GetTopIndex(list);
        ValidateRect(list, nullptr);
        if (way == 0) {
            POINT at{5, 40};
            ClientToScreen(list, &at);
            SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(at.x, at.y));
        } else {
            SendMessageW(list, WM_VSCROLL, SB_PAGEDOWN, 0);
        }
        ASSERT_GT(ListView_GetTopIndex(list), topBefore);
        RECT due{};
        GetUpdateRect(list, &due, FALSE);
        EXPECT_EQ(due, client);  // not only the strip the rows left
        const ListPixels shown(list);
        EXPECT_EQ(shown.At(41, 1), kGreen);  // the tiles do not move with the rows
        EXPECT_EQ(shown.At(1, 31), kGreen);
    }
}

TEST_F(AppearanceTest, APictureThatCannotBeReadShowsNoneAndTheOtherSettingsStillApply) {
    test::WriteBytes(folder / L"broken.png", "not a picture");
    for (const wchar_t* bg : {L"broken.png", L"missing.jpg", L""}) {
        SCOPED_TRACE(bg);
        LoadOnDownloads(std::wstring(L"[DESIGN]\r\nBG=") + bg + L"\r\nLISTTEXTCOLOR=255\r\nLINE=2\r\n");
        EXPECT_FALSE(main->List().View().HasBackground());
        EXPECT_EQ(ListView_GetTextColor(main->LVList()), RGB(255, 0, 0));
        EXPECT_FALSE(listview::ExtendedStyle(main->LVList()) & LVS_EX_GRIDLINES);
        main.reset();
    }
    // A relative name belongs to the program's folder, and a picture is
    // known by its bytes: a name like a device's or a wrong extension is no
    // matter, but a picture's first bytes before junk are.
    Picture();
    const std::string bmp = test::ReadBytes(folder / L"背景.bmp");
    const std::wstring device = VerbatimPath(folder.path(), L"aux.png");  // a plain path names the device
    test::WriteBytes(device, bmp);
    test::WriteBytes(folder / L"junk.bmp", "BM" + std::string(bmp.size(), '\x7f'));
    for (auto [bg, shown] : {std::pair{L"背景.bmp", true}, {L"aux.png", true}, {L"junk.bmp", false}}) {
        LoadOnDownloads(std::wstring(L"[DESIGN]\r\nBG=") + bg + L"\r\n");
        EXPECT_EQ(main->List().View().HasBackground(), shown) << bg;
        main.reset();
    }
    DeleteFileW(device.c_str());
}

TEST_F(AppearanceTest, APictureLargerThanTheScreenIsShrunkToIt) {
    // Twice the screen each way, with a 40-pixel green corner: shrunk, the
    // corner covers only half as much of the list.
    const int width = 2 * GetSystemMetrics(SM_CXVIRTUALSCREEN), height = 2 * GetSystemMetrics(SM_CYVIRTUALSCREEN);
    WriteBmp(folder / L"large.bmp", width, height, [](int x, int y) { return x < 40 && y < 40 ? kGreen : kRed; });
    LoadOnDownloads(L"[DESIGN]\r\nBG=large.bmp\r\nLINE=0\r\n");
    const ListPixels shown(main->LVList());
    EXPECT_EQ(shown.At(5, 5), kGreen);
    EXPECT_EQ(shown.At(35, 35), kRed) << width << " x " << height;
}

TEST_F(AppearanceTest, TheMainWindowTakesTheStoredOpacityOnlyWhileTranslucencyIsOn) {
    for (int enabled : {1, 0, 5}) {
        SCOPED_TRACE(enabled);
        LoadOnDownloads(L"[DESIGN]\r\nINVISIBLEENABLED=" + std::to_wstring(enabled) + L"\r\nINVISIBLE=77\r\n");
        const LONG_PTR style = GetWindowLongPtrW(main->hwnd(), GWL_EXSTYLE);
        EXPECT_TRUE(style & WS_EX_CONTROLPARENT);  // the rest of the style is kept
        EXPECT_EQ((style & WS_EX_LAYERED) != 0, enabled == 1);
        BYTE alpha = 0;
        DWORD flags = 0;
        if (enabled == 1) {
            ASSERT_TRUE(GetLayeredWindowAttributes(main->hwnd(), nullptr, &alpha, &flags));
            EXPECT_EQ(alpha, 77);
            EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
        }
        main.reset();
    }
    // A window too faint to see or click is kept at the lowest opacity.
    for (auto [stored, shown] : {std::pair{0, 26}, {25, 26}, {26, 26}, {27, 27}}) {
        LoadOnDownloads(L"[DESIGN]\r\nINVISIBLEENABLED=1\r\nINVISIBLE=" + std::to_wstring(stored) + L"\r\n");
        BYTE alpha = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(main->hwnd(), nullptr, &alpha, nullptr));
        EXPECT_EQ(alpha, shown) << stored;
        main.reset();
    }
}

TEST_F(AppearanceTest, UnderHighContrastTheSystemsColoursReplaceTheProgramsOwnAndComeBackAfter) {
    // Wine keeps no high-contrast switch of its own: the test gives one.
    static bool on = false;
    SetHighContrastQuery([] { return on; });
    struct Restore {
        ~Restore() { SetHighContrastQuery(nullptr); }
    } restore;
    const auto setHighContrast = [](bool value) { on = value; };
    Picture();
    test::MakeFile(File(L"a.mp3"), 1);
    LoadOnDownloads(L"[DESIGN]\r\nBG=背景.bmp\r\nLISTTEXTCOLOR=255\r\nSIZECOLOR=65280\r\n");
    const HWND header = ListView_GetHeader(main->LVList());
    ASSERT_TRUE(main->List().View().HasBackground());
    ASSERT_NE(GetWindowTheme(header), nullptr);
    setHighContrast(true);
    SendMessageW(main->hwnd(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    const ListColors colors = main->List().Colors();
    EXPECT_EQ(std::vector<COLORREF>({colors.listText, colors.sizeColor, colors.dummyColor, colors.unmatched}),
              std::vector<COLORREF>(4, text));
    EXPECT_EQ(colors.highlight, GetSysColor(COLOR_HOTLIGHT));
    EXPECT_EQ(ListView_GetTextColor(main->LVList()), text);
    EXPECT_FALSE(main->List().View().HasBackground());
    EXPECT_EQ(GetWindowTheme(header), nullptr);  // the captions in the system's colours
    EXPECT_EQ(GetWindowTheme(main->SBMain()), nullptr);

    setHighContrast(false);
    SendMessageW(main->hwnd(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    EXPECT_EQ(main->List().Colors().listText, RGB(255, 0, 0));
    EXPECT_EQ(main->List().Colors().sizeColor, RGB(0, 255, 0));
    EXPECT_TRUE(main->List().View().HasBackground());
    EXPECT_NE(GetWindowTheme(header), nullptr);
}

}  // namespace
}  // namespace orvane
