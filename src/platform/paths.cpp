#include "platform/paths.h"

#include <windows.h>

#include "core/text.h"

namespace orvane {

std::wstring ExecutableFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const auto slash = path.find_last_of(L"\\/");
    return WithTrailingBackslash(slash == std::wstring::npos ? std::wstring() : path.substr(0, slash));
}

bool FileExists(const std::wstring& path) {
    return !path.empty() && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool FolderExists(const std::wstring& path) {
    const DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool PlainFileExists(const std::wstring& path) {
    const DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

std::wstring VolumeOf(const std::wstring& path) {
    std::wstring volume(path.size() + MAX_PATH, L'\0');
    if (path.empty() || !GetVolumePathNameW(path.c_str(), volume.data(), static_cast<DWORD>(volume.size()))) return {};
    volume.resize(wcslen(volume.c_str()));
    return volume;
}

}  // namespace

bool OnSameVolume(const std::wstring& a, const std::wstring& b) {
    const std::wstring first = VolumeOf(a);
    const std::wstring second = VolumeOf(b);
    return !first.empty() && CompareStringOrdinal(first.c_str(), -1, second.c_str(), -1, TRUE) == CSTR_EQUAL;
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

}  // namespace orvane
