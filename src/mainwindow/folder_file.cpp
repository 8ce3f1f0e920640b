#include "mainwindow/folder_file.h"

#include <windows.h>

#include "inventory/incomplete_list.h"
#include "win/handles.h"
#include "win/text.h"

namespace orvane {

namespace {

std::optional<std::string> ReadAll(const std::wstring& path) {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return std::nullopt;
    std::string bytes;
    char buffer[16 * 1024];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
    return bytes;
}

std::string Encode(const std::vector<std::wstring>& lines) {
    std::string bytes;
    for (const std::wstring& line : lines) bytes += ToAnsi(line) + "\r\n";
    return bytes;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

std::optional<std::vector<std::wstring>> ReadFolderFile(const std::wstring& programFolder) {
    const std::wstring data = programFolder + kFolderFileName;
    const std::wstring work = programFolder + kFolderWorkFileName;
    if (!Exists(data) && Exists(work)) MoveFileExW(work.c_str(), data.c_str(), MOVEFILE_WRITE_THROUGH);
    const auto bytes = ReadAll(data);
    if (!bytes) return std::nullopt;
    return SplitLines(FromAnsi(*bytes));
}

bool RewriteFolderFile(const std::wstring& programFolder, const std::function<LineChange(const std::wstring&)>& rule,
                       const RewriteFaults& faults) {
    const std::wstring data = programFolder + kFolderFileName;
    const std::wstring work = programFolder + kFolderWorkFileName;
    const auto bytes = ReadAll(data);
    if (!bytes) return false;
    const std::string rewritten = Encode(RewriteLines(SplitLines(FromAnsi(*bytes)), rule));
    {
        UniqueFile file(CreateFileW(work.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        DWORD written = 0;
        const bool wrote = !faults.failWrite &&
                           WriteFile(file.get(), rewritten.data(), static_cast<DWORD>(rewritten.size()), &written,
                                     nullptr) &&
                           written == rewritten.size();
        const bool flushed = wrote && !faults.failFlush && FlushFileBuffers(file.get());
        if (!flushed) {
            file.reset();
            DeleteFileW(work.c_str());
            return false;
        }
    }
    const bool replaced = !faults.failReplace &&
                          (Exists(data) ? ReplaceFileW(data.c_str(), work.c_str(), nullptr,
                                                       REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) ||
                                              MoveFileExW(work.c_str(), data.c_str(),
                                                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                                        : MoveFileExW(work.c_str(), data.c_str(), MOVEFILE_WRITE_THROUGH));
    // Never delete the work file while it may be the only copy left.
    if (!replaced && Exists(data)) DeleteFileW(work.c_str());
    return replaced;
}

bool AppendFolderLine(const std::wstring& programFolder, const std::wstring& line) {
    UniqueFile file(CreateFileW((programFolder + kFolderFileName).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    const std::string bytes = ToAnsi(line) + "\r\n";
    DWORD written = 0;
    return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

}  // namespace orvane
