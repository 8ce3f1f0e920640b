// Moves and copies into a folder on real files through the real shell, with
// the user's answers scripted: nothing is replaced without a yes, and no
// file is reached by a path that names another.
#include "ui/file_transfer.h"

#include <gtest/gtest.h>

#include "core/text.h"
#include "support/download_folder.h"
#include "support/temp_folder.h"

namespace orvane {
namespace {

struct FileTransferTest : testing::Test {
    test::TempFolder folder;
    test::RecordingShell shell;
    std::wstring dl = folder / L"dl";
    std::wstring lib = folder / L"lib";
    FileTransferTest() {
        test::MakeFolder(dl);
        test::MakeFolder(lib);
    }
    std::optional<bool> Move(const std::vector<std::wstring>& sources, int answer) {
        shell.messageAnswer = answer;
        return TransferFiles(shell, nullptr, FileTransfer::Move, sources, lib);
    }
};

TEST_F(FileTransferTest, AFileOfTheSameNameIsReplacedOnlyOnYesAndTheUserIsAskedOnce) {
    test::WriteBytes(dl + L"\\a.txt", "AAA");
    test::WriteBytes(dl + L"\\b.txt", "BBB");
    test::WriteBytes(lib + L"\\A.TXT", "OLD");  // the file system ignores letter case
    const std::vector<std::wstring> both{dl + L"\\a.txt", dl + L"\\b.txt"};

    EXPECT_EQ(Move(both, IDCANCEL), std::nullopt);
    EXPECT_TRUE(shell.fileOperations.empty());

    // No: the others go, the file of that name stays untouched.
    EXPECT_EQ(Move(both, IDNO), true);
    ASSERT_EQ(shell.messages.size(), 2u);
    EXPECT_NE(shell.messages[1].find(L"\n「a.txt」"), std::wstring::npos);
    EXPECT_EQ(shell.messages[1].find(L"b.txt"), std::wstring::npos);
    EXPECT_EQ(test::ReadBytes(lib + L"\\A.TXT"), "OLD");
    EXPECT_EQ(test::ReadBytes(dl + L"\\a.txt"), "AAA");
    EXPECT_EQ(test::ReadBytes(lib + L"\\b.txt"), "BBB");
    EXPECT_EQ(shell.fileOperations.back().flags, FOF_MULTIDESTFILES);  // the shell may still ask

    // Yes: replaced, and the shell asks nothing more.
    EXPECT_EQ(Move({dl + L"\\a.txt"}, IDYES), true);
    EXPECT_EQ(shell.messages.size(), 3u);
    EXPECT_EQ(shell.fileOperations.back().flags, FOF_MULTIDESTFILES | FOF_NOCONFIRMATION);
    EXPECT_EQ(test::ReadBytes(lib + L"\\a.txt"), "AAA");
    EXPECT_FALSE(test::Exists(dl + L"\\a.txt"));

    // A copy asks the same; no to its only file hands the shell nothing.
    test::WriteBytes(dl + L"\\a.txt", "NEW");
    shell.messageAnswer = IDNO;
    EXPECT_EQ(TransferFiles(shell, nullptr, FileTransfer::Copy, {dl + L"\\a.txt"}, lib), std::nullopt);
    EXPECT_EQ(shell.messages.size(), 4u);
    EXPECT_EQ(test::ReadBytes(lib + L"\\a.txt"), "AAA");
}

TEST_F(FileTransferTest, TwoFilesOfOneNameAFolderOfThatNameTheSameFolderAndTrimmedNamesNeverReplaceAnything) {
    test::MakeFolder(folder / L"other");
    test::WriteBytes(dl + L"\\c.txt", "first");
    test::WriteBytes(folder / L"other\\C.txt", "second");
    test::WriteBytes(dl + L"\\sub", "file");
    test::MakeFolder(lib + L"\\sub");

    // The second of one name and the one a folder blocks stay; OK sends the rest.
    EXPECT_EQ(Move({dl + L"\\c.txt", folder / L"other\\C.txt", dl + L"\\sub"}, IDOK), true);
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_NE(shell.messages[0].find(L"\n「C.txt」\n「sub」"), std::wstring::npos);
    EXPECT_EQ(test::ReadBytes(lib + L"\\c.txt"), "first");
    EXPECT_EQ(test::ReadBytes(folder / L"other\\C.txt"), "second");
    EXPECT_EQ(test::ReadBytes(dl + L"\\sub"), "file");
    EXPECT_EQ(shell.fileOperations.size(), 1u);
    EXPECT_EQ(Move({dl + L"\\sub"}, IDOK), std::nullopt);  // nothing else to send: told, nothing done

    // Into the folder the files lie in: refused with a word.
    test::WriteBytes(lib + L"\\d.txt", "D");
    EXPECT_EQ(TransferFiles(shell, nullptr, FileTransfer::Copy, {lib + L"\\d.txt"}, lib), std::nullopt);

    // "x.txt." would reach "x.txt", "con.txt" the device: both refused.
    test::WriteBytes(dl + L"\\x.txt", "X");
    EXPECT_EQ(Move({dl + L"\\x.txt.", dl + L"\\con.txt"}, IDYES), std::nullopt);
    EXPECT_EQ(shell.messages.size(), 4u);
    EXPECT_NE(shell.messages[3].find(L"\n「x.txt.」\n「con.txt」"), std::wstring::npos);
    EXPECT_EQ(test::ReadBytes(dl + L"\\x.txt"), "X");
    EXPECT_EQ(shell.fileOperations.size(), 1u);
}

}  // namespace
}  // namespace orvane
