// The folder watch on real files changed while it watches.
#include "platform/folder_watch.h"

#include <gtest/gtest.h>

#include "platform/ui_queue.h"
#include "support/download_folder.h"
#include "support/message_pump.h"
#include "support/temp_folder.h"

namespace orvane {
namespace {

using test::PumpUntil;
using Names = std::vector<std::wstring>;

TEST(FolderWatchTest, ChangesFromTheMomentTheWatchIsMadeAreReadByTheNameOnDisk) {
    const test::TempFolder folder;
    const UiQueue queue;
    bool told = false;
    FolderChanges changes;
    {
        FolderWatch watch(folder.path(), L"", false, queue.MakePoster(), [&told] { told = true; });
        test::MakeFile(folder / L"new.bin", 7);  // the caller's scan would be past this already
        // Each word from the watch is taken, as the window takes it.
        PumpUntil([&] {
            if (told) changes = watch.Take();
            told = false;
            return !changes.present.empty();
        });
    }
    ASSERT_EQ(changes.present.size(), 1u);
    EXPECT_EQ(changes.present[0].Size, 7);

    // Made without waiting, the watch hands the wait to whoever scans next,
    // and the wait still serves once the watch is gone.
    std::function<void()> waitArmed;
    changes = {};
    {
        FolderWatch watch(
            folder.path(), L"", false, queue.MakePoster(), [&told] { told = true; }, false);
        waitArmed = watch.ArmedWaiter();
        waitArmed();
        test::MakeFile(folder / L"after the wait.bin", 5);
        PumpUntil([&] {
            if (told) changes = watch.Take();
            told = false;
            return !changes.present.empty();
        });
    }
    ASSERT_EQ(changes.present.size(), 1u);
    EXPECT_EQ(changes.present[0].Name, L"after the wait.bin");
    const ULONGLONG before = GetTickCount64();
    waitArmed();
    EXPECT_LT(GetTickCount64() - before, 500u);

    // A name reported in the letter case the file had before a rename goes.
    const NamedFiles read = ReadNamedFiles(folder.path(), {L"NEW.bin", L"none"}, [] { return false; });
    ASSERT_EQ(read.present.size(), 1u);
    EXPECT_EQ(read.present[0].Name, L"new.bin");
    EXPECT_EQ(read.gone, (Names{L"NEW.bin", L"none"}));
    EXPECT_EQ(read.renamed, (std::vector<Renamed>{{L"NEW.bin", L"new.bin"}}));

    // A stop asked for while the whole folder is read ends the read at once.
    for (int i = 0; i < 20; ++i) test::MakeFile(folder / (L"f" + std::to_wstring(i)), 1);
    int asked = 0;
    EXPECT_FALSE(ReadFolderFiles(folder.path(), [&] { return ++asked >= 3; }));
    EXPECT_EQ(asked, 4);
    EXPECT_EQ(ReadFolderFiles(folder.path(), [] { return false; })->size(), 22u);
}

}  // namespace
}  // namespace orvane
