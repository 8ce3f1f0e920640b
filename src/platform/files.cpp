#include "platform/files.h"

#include "platform/paths.h"

namespace orvane {

UniqueFile OpenFoundFile(const std::wstring& folder, const std::wstring& name, DWORD flags) {
    return OpenFoundFileAt(VerbatimPath(folder, name), flags);
}

UniqueFile OpenFoundFileAt(const std::wstring& verbatimPath, DWORD flags) {
    UniqueFile file(CreateFileW(verbatimPath.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, flags,
                                nullptr));
    if (file && GetFileType(file.get()) != FILE_TYPE_DISK) file.reset();
    return file;
}

std::string ReadWholeFile(HANDLE file) {
    std::string bytes;
    char buffer[64 * 1024];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
    return bytes;
}

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
    const UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return std::nullopt;
    return ReadWholeFile(file.get());
}

std::optional<FileStamp> StampOf(const std::wstring& path) {
    const std::size_t cut = path.find_last_of(L'\\');
    if (cut == std::wstring::npos) return std::nullopt;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(VerbatimPath(path.substr(0, cut), path.substr(cut + 1)).c_str(), GetFileExInfoStandard,
                              &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return FileStamp{(static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                     (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                         data.ftLastWriteTime.dwLowDateTime};
}

bool RenameInFolder(const std::wstring& folder, const std::wstring& name, const std::wstring& newName, bool exact) {
    const std::wstring source = VerbatimPath(folder, name);
    const std::wstring target = exact ? VerbatimPath(folder, newName) : JoinPath(folder, newName);
    if (CompareStringOrdinal(name.c_str(), static_cast<int>(name.size()), newName.c_str(),
                             static_cast<int>(newName.size()), TRUE) != CSTR_EQUAL)
        return MoveFileW(source.c_str(), target.c_str()) != FALSE;
    std::wstring passing;
    for (int n = 0; passing.empty() || FileExists(passing); ++n)
        passing = VerbatimPath(folder,
                               name + L".rename" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(n));
    if (!MoveFileW(source.c_str(), passing.c_str())) return false;
    if (MoveFileW(passing.c_str(), target.c_str())) return true;
    MoveFileW(passing.c_str(), source.c_str());
    return false;
}

}  // namespace orvane
