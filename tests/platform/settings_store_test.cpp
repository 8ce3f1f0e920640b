#include "platform/settings_store.h"

#include <gtest/gtest.h>

#include <optional>

#include "support/temp_folder.h"

namespace orvane {
namespace {

TEST(SettingsStore, AChangeWritesOnlyItsKeysToTheFileAndTellsWhoStillListens) {
    test::TempFolder folder;
    ClsIni file;
    file.IniName = folder / L"Qelt.ini";
    file.PutIni(L"SORT", L"KEY", L"3");
    file.PutIni(L"DESIGN", L"BG", L"pic.png");
    SettingsStore store(file);
    EXPECT_EQ(store.Get().sortKey, 1);  // nothing read before Load
    store.Load();
    EXPECT_EQ(store.Get().sortKey, 3);

    std::vector<std::vector<SettingKey>> heard;
    std::optional<SettingsStore::Listening> first = store.Listen([&](const auto& keys) { heard.push_back(keys); });
    int secondHeard = 0;
    SettingsStore::Listening second = store.Listen([&](const auto&) {
        ++secondHeard;
        first.reset();  // a listener may end another while it is told
    });
    store.Change({SettingKey::SortKey, SettingKey::SortOrder}, [](Settings& s) {
        s.sortKey = 4;
        s.sortOrder = 1;
        s.background = L"other.png";  // changed in memory, but not a key of this change
    });
    EXPECT_EQ(file.GetIni(L"SORT", L"KEY", L""), L"4");
    EXPECT_EQ(file.GetIni(L"SORT", L"ORDER", L""), L"1");
    EXPECT_EQ(file.GetIni(L"DESIGN", L"BG", L""), L"pic.png");
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0], (std::vector<SettingKey>{SettingKey::SortKey, SettingKey::SortOrder}));
    EXPECT_EQ(secondHeard, 1);

    // The first listener has ended; a moved-from Listening ends nothing.
    SettingsStore::Listening moved = std::move(second);
    store.Change({SettingKey::AutoRefresh}, [](Settings& s) { s.autoRefresh = false; });
    EXPECT_EQ(heard.size(), 1u);
    EXPECT_EQ(secondHeard, 2);
    EXPECT_EQ(file.GetIni(L"VIEW", L"AUTOREFRESH", L""), L"0");

    store.SetFindWord(2, L"abc");
    EXPECT_EQ(file.GetIni(L"FIND", L"WORD2", L""), L"abc");
    EXPECT_EQ(store.FindWord(2), L"abc");
    EXPECT_EQ(store.FindWord(3, L"none"), L"none");
}

}  // namespace
}  // namespace orvane
