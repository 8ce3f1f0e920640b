#include "platform/registered_folders_file.h"

#include <windows.h>

#include <algorithm>

#include "core/text.h"
#include "platform/files.h"
#include "platform/handles.h"
#include "platform/paths.h"
#include "platform/code_page.h"

namespace orvane {

namespace {

// A rewrite that stopped after writing the work file left the newest
// complete state there: it becomes the data file before anything reads or
// writes one. False when the work file is still the only copy.
bool TakeLoneWorkFile(const std::wstring& data, const std::wstring& work) {
    if (FileExists(data) || !FileExists(work)) return true;
    return MoveFileExW(work.c_str(), data.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
}

// A read-only data file is the user's wish: a write would override it, and
// a replace would drop the attribute.
bool ReadOnly(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

}  // namespace

std::wstring DecodeFolderLine(std::string_view bytes) {
    // A stray lead byte must not take the "," after it into a character. A
    // comma byte is never the second byte of a double-byte character, so
    // where the whole line lost a comma, the fields are decoded one by one.
    std::wstring text = FromAnsi(bytes);
    if (std::count(text.begin(), text.end(), L',') == std::count(bytes.begin(), bytes.end(), ',')) return text;
    text.clear();
    for (size_t start = 0;;) {
        const size_t comma = bytes.find(',', start);
        text += FromAnsi(bytes.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos) break;
        text += L',';
        start = comma + 1;
    }
    return text;
}

std::optional<std::vector<std::wstring>> ReadFolderFile(const std::wstring& programFolder) {
    const std::wstring data = programFolder + kFolderFileName;
    const std::wstring work = programFolder + kFolderWorkFileName;
    const auto bytes = ReadWholeFile(TakeLoneWorkFile(data, work) ? data : work);
    if (!bytes) return std::nullopt;
    std::vector<std::wstring> lines;
    for (std::string_view line : SplitByteLines(*bytes)) lines.push_back(DecodeFolderLine(line));
    return lines;
}

bool RewriteFolderFile(const std::wstring& programFolder, const std::function<LineChange(const std::wstring&)>& rule,
                       const RewriteFaults& faults) {
    const std::wstring data = programFolder + kFolderFileName;
    const std::wstring work = programFolder + kFolderWorkFileName;
    if (!TakeLoneWorkFile(data, work)) return false;
    if (ReadOnly(data)) return false;
    const auto bytes = ReadWholeFile(data);
    if (!bytes) return false;
    // Lines the rule keeps go back byte for byte, whatever the code page makes of
    // them.
    std::string rewritten;
    for (std::string_view line : SplitByteLines(*bytes)) {
        const LineChange change = rule(DecodeFolderLine(line));
        if (change.action == LineChange::Action::Drop) continue;
        rewritten += change.action == LineChange::Action::Keep ? std::string(line) : ToAnsi(change.line);
        rewritten += "\r\n";
    }
    {
        UniqueFile file(
            CreateFileW(work.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        DWORD written = 0;
        const bool wrote =
            !faults.failWrite &&
            WriteFile(file.get(), rewritten.data(), static_cast<DWORD>(rewritten.size()), &written, nullptr) &&
            written == rewritten.size();
        const bool flushed = wrote && !faults.failFlush && FlushFileBuffers(file.get());
        if (!flushed) {
            file.reset();
            DeleteFileW(work.c_str());
            return false;
        }
    }
    const bool replaced =
        !faults.failReplace &&
        (ReplaceFileW(data.c_str(), work.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) ||
         MoveFileExW(work.c_str(), data.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    // Never delete the work file while it may be the only copy left.
    if (!replaced && FileExists(data)) DeleteFileW(work.c_str());
    return replaced;
}

bool AppendFolderLine(const std::wstring& programFolder, const std::wstring& line) {
    const std::wstring data = programFolder + kFolderFileName;
    if (!TakeLoneWorkFile(data, programFolder + kFolderWorkFileName) || ReadOnly(data)) return false;
    UniqueFile file(CreateFileW(data.c_str(), FILE_APPEND_DATA | FILE_READ_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    std::string bytes = ToAnsi(line) + "\r\n";
    // A last line without its end (a file edited by hand) must not take the new
    // line into it.
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return false;
    if (size.QuadPart > 0) {
        char last = 0;
        DWORD got = 0;
        LARGE_INTEGER at{};
        at.QuadPart = size.QuadPart - 1;
        if (!SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN) || !ReadFile(file.get(), &last, 1, &got, nullptr) ||
            got != 1)
            return false;
        if (last != '\n' && last != '\r') bytes.insert(0, "\r\n");
    }
    DWORD written = 0;
    return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

}  // namespace orvane
