#include "inventory/scan_folder.h"

#include <windows.h>

#include "core/text.h"
#include "inventory/download_name.h"
#include "inventory/incomplete_list.h"
#include "win/files.h"
#include "win/handles.h"
#include "win/text.h"

namespace orvane {

namespace {

constexpr unsigned long long kTicksPerDay = 864000000000ull;  // 100 ns ticks
constexpr double kDaysFrom1601To1899 = 109205.0;              // 1601-01-01 .. 1899-12-30

bool IsListedFile(const WIN32_FIND_DATAW& data) {
    return !(data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

// Opens a file of a scanned folder for reading, sharing everything (the
// client may be writing it); nothing unless it is a file on disk.
UniqueFile OpenScannedFile(const std::wstring& folder, const std::wstring& name, DWORD flags) {
    UniqueFile file(CreateFileW(VerbatimPath(folder, name).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, flags,
                                nullptr));
    if (file && GetFileType(file.get()) != FILE_TYPE_DISK) file.reset();
    return file;
}

// The entry of a file as the enumeration describes it.
FileEntry EntryOf(const WIN32_FIND_DATAW& data) {
    FileEntry entry;
    entry.Name = data.cFileName;
    entry.Size =
        static_cast<std::int64_t>((static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
    entry.TotalSize = FullSizeFromName(entry.Name);
    const unsigned long long written = (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                       data.ftLastWriteTime.dwLowDateTime;
    entry.Modified = written ? LocalDaysFromFileTime(written) : 0;
    return entry;
}

}  // namespace

std::optional<FileEntry> ScanOneFile(const std::wstring& folder, const std::wstring& name) {
    // The attributes alone, as the enumeration gives them: a search would
    // open the folder, which under Wine keeps others from deleting it meanwhile.
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (name.size() >= MAX_PATH ||
        !GetFileAttributesExW(VerbatimPath(folder, name).c_str(), GetFileExInfoStandard, &attributes))
        return std::nullopt;
    WIN32_FIND_DATAW data{};
    data.dwFileAttributes = attributes.dwFileAttributes;
    data.ftLastWriteTime = attributes.ftLastWriteTime;
    data.nFileSizeHigh = attributes.nFileSizeHigh;
    data.nFileSizeLow = attributes.nFileSizeLow;
    name.copy(data.cFileName, name.size());
    if (!IsListedFile(data)) return std::nullopt;
    return EntryOf(data);
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
    if (!folder.empty() && folder.back() == L'\\') return folder + name;
    return folder + L"\\" + name;
}

std::wstring VerbatimPath(const std::wstring& folder, const std::wstring& name) {
    static constexpr std::wstring_view kVerbatim = L"\\\\?\\", kDevice = L"\\\\.\\";
    const std::wstring_view given(folder);
    if (given.starts_with(kVerbatim) || given.starts_with(kDevice)) return JoinPath(folder, name);
    // The full path of a stand-in name: the folder's full path, unchanged by
    // whatever the real name would make of it ("aux.mp3" alone gives "\\.\aux").
    const std::wstring probe = JoinPath(folder, L"x");
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        wchar_t* last = nullptr;
        const DWORD length = GetFullPathNameW(probe.c_str(), static_cast<DWORD>(full.size()), full.data(), &last);
        if (length == 0 || !last) return JoinPath(folder, name);
        if (length < full.size()) {
            full.resize(static_cast<std::size_t>(last - full.data()));
            break;
        }
        full.assign(length, L'\0');
    }
    full += name;
    if (full.starts_with(L"\\\\")) return std::wstring(kVerbatim) + L"UNC" + full.substr(1);
    return std::wstring(kVerbatim) + full;
}

double LocalDaysFromFileTime(unsigned long long utcTicks) {
    FILETIME utc{static_cast<DWORD>(utcTicks), static_cast<DWORD>(utcTicks >> 32)};
    FILETIME local{};
    if (!FileTimeToLocalFileTime(&utc, &local)) return 0;
    const unsigned long long ticks =
        (static_cast<unsigned long long>(local.dwHighDateTime) << 32) | local.dwLowDateTime;
    const double day = static_cast<double>(ticks / kTicksPerDay) - kDaysFrom1601To1899;
    const double time = static_cast<double>(ticks % kTicksPerDay) / static_cast<double>(kTicksPerDay);
    // Before the base date the day counts backwards but the time of day still
    // forwards: 1899-12-29 06:00 is -1.25, not -0.75.
    return day < 0 ? day - time : day + time;
}

FileEntryList ScanFolder(const std::wstring& folder) {
    FileEntryList entries;
    WIN32_FIND_DATAW data{};
    UniqueFind find(FindFirstFileExW(JoinPath(folder, L"*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return entries;
    do {
        if (IsListedFile(data)) entries.push_back(EntryOf(data));
    } while (FindNextFileW(find.get(), &data));
    return entries;
}

std::vector<std::wstring> ReadIncompleteListLines(const std::wstring& folder) {
    const DWORD attributes = GetFileAttributesW(VerbatimPath(folder, kIncompleteListName).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
        return {};
    const UniqueFile file = OpenScannedFile(folder, kIncompleteListName, FILE_FLAG_SEQUENTIAL_SCAN);
    if (!file) return {};
    return SplitLines(FromAnsi(ReadWholeFile(file.get())));
}

void ReadIncompleteList(const std::wstring& folder, FileEntryList& entries) {
    ApplyIncompleteList(ReadIncompleteListLines(folder), entries);
}

std::optional<DummyHeader> ReadDummyHeader(const std::wstring& folder, const std::wstring& name) {
    const UniqueFile file = OpenScannedFile(folder, name, 0);
    if (!file) return std::nullopt;
    unsigned char header[kDummyFileSize + 1] = {};
    DWORD got = 0;
    // One byte more than a header: a file that grew since the scan is no dummy.
    if (!ReadFile(file.get(), header, sizeof(header), &got, nullptr)) return std::nullopt;
    return ParseDummyHeader(std::span<const unsigned char>(header, got));
}

}  // namespace orvane
