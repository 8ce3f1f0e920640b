#include "core/folder_menu.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

// The menu as lines: depth by two spaces, "(x)" for a greyed entry, "->" and
// the target's folder for an entry that files there.
std::wstring Lines(const FolderMenu& menu, const std::vector<FolderMenuItem>& items, int depth = 0) {
    std::wstring out;
    for (const FolderMenuItem& item : items) {
        out += std::wstring(depth * 2, L' ') + (item.enabled ? L"" : L"(x)") + item.caption;
        if (item.target >= 0) out += L" -> " + menu.targets[static_cast<std::size_t>(item.target)];
        out += L"\n";
        out += Lines(menu, item.items, depth + 1);
    }
    return out;
}

TEST(FolderMenu, NestsAsTheTreeDoesWithTheCurrentFolderGreyed) {
    const std::vector<RegisteredNode> nodes{
        {L"ＷｉｎＭＸ", L"C:\\dl", {}},
        {L"音楽", L"C:\\m", {{L"ライブ", L"C:\\m\\live", {}}, {L"R&B", L"C:\\rb", {}}}},
        {L"holder", L"", {{L"inner", L"C:\\in", {}}}},  // a level without a folder of its own
        {L"empty", L"", {}},                            // no folder, nothing below: left out
        {L"動画", L"c:\\M\\LIVE", {}},                  // the current folder, spelt otherwise
    };
    const auto same = [](const std::wstring& a, const std::wstring& b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (towupper(a[i]) != towupper(b[i])) return false;
        return true;
    };
    const FolderMenu menu = BuildFolderMenu(nodes, L"C:\\m\\live", same);
    EXPECT_EQ(Lines(menu, menu.items),
              L"ＷｉｎＭＸ -> C:\\dl\n"
              L"音楽\n"
              L"  音楽 -> C:\\m\n"
              L"  (x)ライブ -> C:\\m\\live\n"
              L"  R&&B -> C:\\rb\n"
              L"holder\n"
              L"  inner -> C:\\in\n"
              L"(x)動画 -> c:\\M\\LIVE\n");
    EXPECT_EQ(menu.targets.size(), 6u);
    EXPECT_TRUE(BuildFolderMenu({}, L"C:\\x", same).items.empty());
}

}  // namespace
}  // namespace orvane
