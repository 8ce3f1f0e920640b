#include "mainwindow/appearance.h"

#include <algorithm>

#include "core/text.h"
#include "inventory/scan_folder.h"
#include "win/files.h"
#include "win/picture.h"
#include "win/translucency.h"

namespace orvane {

COLORREF ResolveColor(std::int32_t stored) {
    const auto value = static_cast<std::uint32_t>(stored);
    if (value & 0x80000000u) return GetSysColor(static_cast<int>(value & 0xFF));
    return static_cast<COLORREF>(value & 0x00FFFFFFu);
}

namespace {

// The background picture's file, opened as the scan opens files (a name like
// a device's is the file, never the device) and refused beyond any sensible
// size before anything is read.
std::optional<Picture> ReadBackground(const std::wstring& path) {
    constexpr LONGLONG kLargestPicture = 64ll << 20;
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return std::nullopt;
    const UniqueFile file =
        OpenScannedFile(path.substr(0, slash + 1), path.substr(slash + 1), FILE_FLAG_SEQUENTIAL_SCAN);
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > kLargestPicture) return std::nullopt;
    return LoadPicture(ReadWholeFile(file.get()));
}

}  // namespace

void ApplyListAppearance(ListView& list, const Settings& settings, const std::wstring& programFolder) {
    list.SetBackground(Trimmed(settings.background).empty()
                           ? std::nullopt
                           : ReadBackground(ResolvedAgainst(programFolder, settings.background)));
    if (PicturePlacement placement; PlacementOfAlignment(settings.alignment, placement))
        list.SetBackgroundPlacement(placement);
    list.SetTextColor(ResolveColor(settings.listTextColor));
    list.SetGridLines(settings.gridLines == 1);
    list.Repaint(true);
}

void ApplyTranslucency(HWND window, const Settings& settings) {
    if (!CanUseTranslucency()) return;
    const bool on = settings.invisibleEnabled == 1;
    SetLayered(window, on);
    if (on) SetOpacity(window, static_cast<BYTE>(std::clamp<int>(settings.invisible, kLowestWindowOpacity, 255)));
}

}  // namespace orvane
