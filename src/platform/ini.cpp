#include "platform/ini.h"

#include <windows.h>

#include <algorithm>

namespace orvane {

namespace {
// Far beyond any path; a bigger value in a hostile file is cut here.
constexpr std::size_t kLongestValue = std::size_t{1} << 20;
}  // namespace

std::wstring ClsIni::ProfilePath() const {
    // Given a name of MAX_PATH characters or more (even with "\\?\"), the
    // profile functions write a file of some other name: name the folder by
    // its short form then, and where that is still too long, do without.
    if (IniName.size() < MAX_PATH) return IniName;
    const auto slash = IniName.find_last_of(L'\\');
    if (slash == std::wstring::npos) return {};
    const std::wstring folder = IniName.substr(0, slash + 1);
    std::wstring shortFolder(GetShortPathNameW(folder.c_str(), nullptr, 0), L'\0');
    const DWORD length = GetShortPathNameW(folder.c_str(), shortFolder.data(), static_cast<DWORD>(shortFolder.size()));
    if (length == 0 || length >= shortFolder.size()) return {};
    shortFolder.resize(length);
    std::wstring shortName = shortFolder + IniName.substr(slash + 1);
    return shortName.size() < MAX_PATH ? shortName : std::wstring();
}

std::wstring ClsIni::GetIni(std::wstring_view wkSection, std::wstring_view wkKey, std::wstring_view wkDefault) const {
    const std::wstring section(wkSection), key(wkKey), fallback(wkDefault), path = ProfilePath();
    if (path.empty()) return fallback;
    // A value that fills the buffer to the last character may have been cut:
    // grow and read again.
    std::wstring value(256, L'\0');
    for (;;) {
        const DWORD length = GetPrivateProfileStringW(section.c_str(), key.c_str(), fallback.c_str(), value.data(),
                                                      static_cast<DWORD>(value.size()), path.c_str());
        if (length + 1 < value.size() || value.size() >= kLongestValue) {
            value.resize(std::min<std::size_t>(length, value.size()));
            return value;
        }
        value.assign(value.size() * 2, L'\0');
    }
}

std::wstring ClsIni::PutIni(std::wstring_view wkSection, std::wstring_view wkKey, std::wstring_view wkStr) const {
    const std::wstring path = ProfilePath();
    if (!path.empty())
        WritePrivateProfileStringW(std::wstring(wkSection).c_str(), std::wstring(wkKey).c_str(),
                                   std::wstring(wkStr).c_str(), path.c_str());
    return {};
}

IniWriter ClsIni::Writer() const {
    return [this](std::wstring_view section, std::wstring_view key, std::wstring_view value) {
        PutIni(section, key, value);
    };
}

IniReader ClsIni::Reader() const {
    return [this](std::wstring_view section, std::wstring_view key, std::wstring_view fallback) {
        return GetIni(section, key, fallback);
    };
}

}  // namespace orvane
