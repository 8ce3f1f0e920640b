#include "inventory/scan_folder.h"

#include <windows.h>

#include "inventory/download_name.h"
#include "inventory/incomplete_list.h"
#include "win/handles.h"
#include "win/text.h"

namespace orvane {

namespace {

constexpr unsigned long long kTicksPerDay = 864000000000ull;  // 100 ns ticks
constexpr double kDaysFrom1601To1899 = 109205.0;              // 1601-01-01 .. 1899-12-30

bool IsListedFile(const WIN32_FIND_DATAW& data) {
    return !(data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

}  // namespace

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
    if (!folder.empty() && folder.back() == L'\\') return folder + name;
    return folder + L"\\" + name;
}

double LocalDaysFromFileTime(unsigned long long utcTicks) {
    FILETIME utc{static_cast<DWORD>(utcTicks), static_cast<DWORD>(utcTicks >> 32)};
    FILETIME local{};
    if (!FileTimeToLocalFileTime(&utc, &local)) return 0;
    const unsigned long long ticks = (static_cast<unsigned long long>(local.dwHighDateTime) << 32) | local.dwLowDateTime;
    return static_cast<double>(ticks / kTicksPerDay) - kDaysFrom1601To1899 +
           static_cast<double>(ticks % kTicksPerDay) / static_cast<double>(kTicksPerDay);
}

FileEntryList ScanFolder(const std::wstring& folder) {
    FileEntryList entries;
    WIN32_FIND_DATAW data{};
    UniqueFind find(FindFirstFileExW(JoinPath(folder, L"*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return entries;
    do {
        if (!IsListedFile(data)) continue;
        FileEntry entry;
        entry.Name = data.cFileName;
        entry.Size = static_cast<std::int64_t>((static_cast<unsigned long long>(data.nFileSizeHigh) << 32) |
                                               data.nFileSizeLow);
        entry.TotalSize = FullSizeFromName(entry.Name);
        const unsigned long long written =
            (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
            data.ftLastWriteTime.dwLowDateTime;
        entry.Modified = written ? LocalDaysFromFileTime(written) : 0;
        entries.push_back(std::move(entry));
    } while (FindNextFileW(find.get(), &data));
    return entries;
}

void ReadIncompleteList(const std::wstring& folder, FileEntryList& entries) {
    const std::wstring path = JoinPath(folder, kIncompleteListName);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
        return;
    // The client may be writing it: share everything, read what is there.
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return;
    std::string bytes;
    char buffer[64 * 1024];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
    ApplyIncompleteList(SplitLines(FromAnsi(bytes)), entries);
}

std::optional<DummyHeader> ReadDummyHeader(const std::wstring& path) {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return std::nullopt;
    unsigned char header[kDummyFileSize + 1] = {};
    DWORD got = 0;
    // One byte more than a header: a file that grew since the scan is no dummy.
    if (!ReadFile(file.get(), header, sizeof(header), &got, nullptr)) return std::nullopt;
    return ParseDummyHeader(std::span<const unsigned char>(header, got));
}

}  // namespace orvane
