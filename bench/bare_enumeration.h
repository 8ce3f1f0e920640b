// The bare enumerations a listing is measured against: the folder read
// with nothing made of what is read, once by a search and once in blocks
// through a handle to the folder (as the program's scan reads it).
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>

namespace orvane::bench {

// Calls each(attributes) for every entry of the folder, found by a search.
template <class Each>
void Search(const std::wstring& folder, const Each& each) {
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return;
    do each(data.dwFileAttributes);
    while (FindNextFileW(find, &data));
    FindClose(find);
}

// The files (not folders) a search finds.
inline std::size_t BareSearch(const std::wstring& folder) {
    std::size_t files = 0;
    Search(folder, [&files](DWORD attributes) { files += !(attributes & FILE_ATTRIBUTE_DIRECTORY); });
    return files;
}

// The files (not folders) the folder's blocks hold, read a megabyte at a time.
inline std::size_t BareBlocks(const std::wstring& folder) {
    HANDLE directory =
        CreateFileW(folder.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (directory == INVALID_HANDLE_VALUE) return 0;
    constexpr DWORD kBlockBytes = 1 << 20;
    const std::unique_ptr<unsigned long long[]> block(new unsigned long long[kBlockBytes / 8]);
    std::size_t files = 0;
    FILE_INFO_BY_HANDLE_CLASS question = FileFullDirectoryRestartInfo;
    while (GetFileInformationByHandleEx(directory, question, block.get(), kBlockBytes)) {
        question = FileFullDirectoryInfo;
        const auto* at = reinterpret_cast<const unsigned char*>(block.get());
        for (;;) {
            const auto* info = reinterpret_cast<const FILE_FULL_DIR_INFO*>(at);
            files += !(info->FileAttributes & FILE_ATTRIBUTE_DIRECTORY);
            if (!info->NextEntryOffset) break;
            at += info->NextEntryOffset;
        }
    }
    CloseHandle(directory);
    return files;
}

// The files the list shows: neither folders nor hidden or system files.
inline std::size_t ListedFiles(const std::wstring& folder) {
    std::size_t files = 0;
    Search(folder, [&files](DWORD attributes) {
        files += !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    });
    return files;
}

}  // namespace orvane::bench
