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

}  // namespace orvane
