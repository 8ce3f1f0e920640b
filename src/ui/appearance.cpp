#include "ui/appearance.h"

#include <uxtheme.h>

#include <algorithm>

#include "core/text.h"
#include "platform/files.h"
#include "platform/translucency.h"

namespace orvane {

COLORREF ResolveColor(std::int32_t stored) {
    const auto value = static_cast<std::uint32_t>(stored);
    if (value & 0x80000000u) return GetSysColor(static_cast<int>(value & 0xFF));
    return static_cast<COLORREF>(value & 0x00FFFFFFu);
}

namespace {
HighContrastQuery g_highContrastQuery = nullptr;
}  // namespace

void SetHighContrastQuery(HighContrastQuery query) { g_highContrastQuery = query; }

bool HighContrastOn() {
    if (g_highContrastQuery) return g_highContrastQuery();
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

ListColors ListColorsFor(const Settings& settings, COLORREF findHighlight) {
    if (HighContrastOn()) {
        // One text colour; a find's matches in the colour the system gives links.
        const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
        return {text, text, text, GetSysColor(COLOR_HOTLIGHT), text};
    }
    return {ResolveColor(settings.listTextColor), ResolveColor(settings.sizeColor), ResolveColor(settings.dummyColor),
            findHighlight, 0};
}

void FollowHighContrast(HWND control) {
    if (!control) return;
    // A class list that names no class: no style is found, so the control
    // draws as without styles (Wine takes an empty list for none given).
    if (HighContrastOn())
        SetWindowTheme(control, L" ", L" ");
    else
        SetWindowTheme(control, nullptr, nullptr);
    InvalidateRect(control, nullptr, TRUE);
}

namespace {

// The screen's pixels are the most of the picture that can ever be seen:
// the list keeps it fixed to its visible area.
SIZE LargestShownPicture() {
    const SIZE screen{GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    return screen.cx > 0 && screen.cy > 0 ? screen : SIZE{4096, 4096};
}

}  // namespace

// Opened as a found file (a name like a device's is the file, never the
// device), and refused beyond any sensible size before anything is read.
BackgroundPicture ReadBackgroundPicture(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {std::nullopt, PictureProblem::Missing};
    const UniqueFile file = OpenFoundFile(path.substr(0, slash + 1), path.substr(slash + 1), FILE_FLAG_SEQUENTIAL_SCAN);
    if (!file) {
        const DWORD error = GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return {std::nullopt, missing ? PictureProblem::Missing : PictureProblem::Unreadable};
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return {std::nullopt, PictureProblem::Unreadable};
    if (size.QuadPart > kLargestPictureFile) return {std::nullopt, PictureProblem::TooLarge};
    std::optional<Picture> picture = LoadPicture(ReadWholeFile(file.get()), LargestShownPicture());
    if (!picture) return {std::nullopt, PictureProblem::Unreadable};
    return {std::move(picture), PictureProblem::None};
}

void ApplyListAppearance(ListView& list, const Settings& settings, const std::wstring& programFolder) {
    const bool plain = HighContrastOn();
    list.SetBackground(plain || Trimmed(settings.background).empty()
                           ? std::nullopt
                           : ReadBackgroundPicture(ResolvedAgainst(programFolder, settings.background)).picture);
    if (PicturePlacement placement; PlacementOfAlignment(settings.alignment, placement))
        list.SetBackgroundPlacement(placement);
    list.SetTextColor(plain ? GetSysColor(COLOR_WINDOWTEXT) : ResolveColor(settings.listTextColor));
    list.SetGridLines(settings.gridLines == 1);
    list.Repaint(true);
}

void ApplyTranslucency(HWND window, const Settings& settings) {
    if (!CanUseTranslucency()) return;
    const bool on = settings.invisibleEnabled == 1;
    SetLayered(window, on);
    if (on) SetOpacity(window, static_cast<BYTE>(std::clamp<int>(settings.invisible, kLowestOpacity, 255)));
}

}  // namespace orvane
