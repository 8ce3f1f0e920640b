// Opening a found file: the file itself, never a device, beside a writer.
#include "platform/files.h"

#include <gtest/gtest.h>

#include <utility>

#include "platform/paths.h"
#include "support/temp_folder.h"

namespace orvane {
namespace {

TEST(OpenFoundFile, OpensOnlyFilesOnDiskSharedWithAWriterAndSaysWhyNot) {
    test::TempFolder folder;
    const std::wstring device = VerbatimPath(folder.path(), L"aux.txt");  // a plain path names the device
    test::WriteBytes(device, "bytes");
    struct Remove {
        const std::wstring& path;
        ~Remove() { DeleteFileW(path.c_str()); }
    } remove{device};
    const UniqueFile writer(CreateFileW(device.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(writer);

    for (const UniqueFile& file : {OpenFoundFile(folder.path(), L"aux.txt", FILE_FLAG_SEQUENTIAL_SCAN),
                                   OpenFoundFileAt(VerbatimPath(folder.path(), L"") + L"aux.txt", 0)}) {
        ASSERT_TRUE(file);
        EXPECT_EQ(ReadWholeFile(file.get()), "bytes");
    }

    test::MakeFolder(folder / L"sub");
    EXPECT_FALSE(OpenFoundFile(folder.path(), L"sub", 0));
    EXPECT_FALSE(OpenFoundFileAt(L"\\\\.\\NUL", 0));
    // What the background picture tells apart: a missing file or folder.
    for (auto [where, error] :
         {std::pair{folder.path(), ERROR_FILE_NOT_FOUND}, {folder / L"missing", ERROR_PATH_NOT_FOUND}}) {
        const bool opened = static_cast<bool>(OpenFoundFile(where, L"missing.txt", 0));
        const DWORD why = GetLastError();
        EXPECT_FALSE(opened);
        EXPECT_EQ(why, static_cast<DWORD>(error)) << testing::PrintToString(where);
    }
}

}  // namespace
}  // namespace orvane
