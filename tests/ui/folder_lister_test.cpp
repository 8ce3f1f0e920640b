// Listing off the window's thread, with a folder source that holds its scan
// as a share that stops answering does: the window answers, the newest
// request wins, closing does not wait, and what changed during a scan is
// merged once the rows are in.
#include "ui/folder_lister.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "support/file_list_panel_fixture.h"
#include "support/hang_guard.h"

namespace orvane {
namespace {

using Names = std::vector<std::wstring>;

// Reads the disk, but the scan of one folder waits until released (before it
// reads the folder, or after) and never asks whether it should stop. Its
// state outlives the test: a worker left waiting still holds it.
class HeldSource {
public:
    HeldSource(std::wstring held, bool afterScan) : state_(std::make_shared<State>()) {
        state_->held = std::move(held);
        state_->afterScan = afterScan;
    }
    ~HeldSource() { Release(); }
    ListingSource Make() const {
        ListingSource source = DiskListingSource();
        source.scan = [state = state_, disk = source.scan](const std::wstring& folder, FileEntryList room,
                                                           const std::function<bool()>& stopped,
                                                           std::atomic<std::size_t>& scanned, bool nameKeys) {
            if (folder != state->held) return disk(folder, std::move(room), stopped, scanned, nameKeys);
            FolderScan scan;
            if (state->afterScan) scan = disk(folder, std::move(room), stopped, scanned, nameKeys);
            scanned.store(12345);
            ++state->waiting;
            WaitForSingleObject(state->release.get(), INFINITE);
            return state->afterScan ? scan : disk(folder, FileEntryList{}, stopped, scanned, nameKeys);
        };
        return source;
    }
    void Release() const { SetEvent(state_->release.get()); }
    void Hold() const { ResetEvent(state_->release.get()); }
    int Waiting() const { return state_->waiting; }

private:
    struct State {
        std::wstring held;
        bool afterScan = false;
        UniqueEvent release{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
        std::atomic<int> waiting{0};
    };
    std::shared_ptr<State> state_;
};

struct HeldListingTest : test::FileListPanelTest {
    std::wstring heldFolder;
    std::unique_ptr<HeldSource> held;
    ListingSource heldSource;

    HeldListingTest() {
        heldFolder = folder / L"share";
        test::MakeFolder(heldFolder);
        test::MakeFile(heldFolder + L"\\far.bin", 1);
        test::MakeFile(File(L"near.bin"), 2);
    }
    // Lists through a source that holds the scan of folderToHold.
    void UseHeldSource(const std::wstring& folderToHold, bool afterScan = false) {
        held = std::make_unique<HeldSource>(folderToHold, afterScan);
        heldSource = held->Make();
        source = &heldSource;
    }
    // Whether the window answers another thread within a second, while it runs its messages.
    bool Answers() {
        std::atomic<bool> answered{false}, asked{false};
        std::thread asker([&] {
            DWORD_PTR result = 0;
            answered = SendMessageTimeoutW(host->hwnd(), WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result) != 0;
            asked = true;
        });
        test::PumpUntil([&] { return asked.load(); });
        asker.join();
        return answered;
    }
};

TEST_F(HeldListingTest, AFolderThatDoesNotAnswerHoldsNothingUpAndTheNewestRequestWins) {
    UseHeldSource(heldFolder);
    test::PanelHost& w = LoadOnDownloads();
    EXPECT_EQ(Column1(), Names{L"near.bin"});

    w.List().ListFolder(heldFolder, false);
    EXPECT_TRUE(test::PumpUntil([&] { return held->Waiting() == 1; }));
    EXPECT_TRUE(w.List().Loading());
    EXPECT_EQ(Count(), 0);  // another folder's rows went at once
    EXPECT_TRUE(Answers());
    // After a moment the status bar counts what was read, and the pointer says work goes on.
    EXPECT_TRUE(test::PumpUntil([&] { return statusbar::Text(w.SBMain(), 0) == L"読み込み中… 12,345 ﾌｧｲﾙ"; }));
    EXPECT_TRUE(w.List().View().Busy());

    // Another folder's click: its rows show, and the held listing never does.
    w.List().Show(downloads + L"\\", true);
    Settle();
    EXPECT_EQ(Column1(), Names{L"near.bin"});
    EXPECT_FALSE(w.List().View().Busy());
    EXPECT_EQ(statusbar::Text(w.SBMain(), 0), downloads + L"\\");
    held->Release();
    const ULONGLONG until = GetTickCount64() + 500;
    test::PumpUntil([&] { return GetTickCount64() > until; });
    EXPECT_EQ(Column1(), Names{L"near.bin"});
    EXPECT_EQ(statusbar::Text(w.SBMain(), 1), L"1 ﾌｧｲﾙ");
}

TEST_F(HeldListingTest, ClosingDuringAListingThatDoesNotAnswerDoesNotWaitForIt) {
    UseHeldSource(heldFolder);
    test::PanelHost& w = LoadOnDownloads();
    w.List().ListFolder(heldFolder, false);
    ASSERT_TRUE(test::PumpUntil([&] { return held->Waiting() == 1; }));
    {
        const test::HangGuard guard("closing during a held listing", 5000);
        host.reset();
        queue.reset();
    }
    EXPECT_EQ(held->Waiting(), 1);  // still held: nobody waited for it
}

TEST_F(HeldListingTest, WhatChangesDuringTheScanIsMergedOnceTheRowsAreIn) {
    UseHeldSource(downloads, true);
    test::WriteBytes(ini.IniName, ToAnsi(L"[PATH]\r\nFILE_PATH=" + downloads + L"\r\n"));
    settings.Load();
    queue = std::make_unique<UiQueue>();
    host = std::make_unique<test::PanelHost>(FileListContext{folder.path(), settings, shell, *queue, source});
    host->Create();
    host->List().Show(downloads, true);
    ASSERT_TRUE(test::PumpUntil([&] { return held->Waiting() == 1; }));
    test::MakeFile(File(L"during.bin"), 3);  // after the scan read the folder: only the watch can tell
    // The watch's word of it comes while the rows are not in yet.
    const ULONGLONG until = GetTickCount64() + 1000;
    test::PumpUntil([&] { return GetTickCount64() > until; });
    held->Release();
    Settle();
    EXPECT_TRUE(test::PumpUntil([&] { return Column1() == Names{L"during.bin", L"near.bin"}; }));

    // A refresh keeps the folder's watch: what it reports during the scan
    // waits for the new rows, not lost with the old ones they replace.
    held->Hold();
    host->List().Relist();
    ASSERT_TRUE(test::PumpUntil([&] { return held->Waiting() == 2; }));
    test::MakeFile(File(L"during the refresh.bin"), 4);
    const ULONGLONG later = GetTickCount64() + 1000;
    test::PumpUntil([&] { return GetTickCount64() > later; });
    held->Release();
    Settle();
    EXPECT_TRUE(test::PumpUntil([&] {
        return Column1() == Names{L"during the refresh.bin", L"during.bin", L"near.bin"};
    }));
}

}  // namespace
}  // namespace orvane
