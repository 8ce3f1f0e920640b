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

std::wstring ClsIni::GetIni(std::wstring_view section, std::wstring_view key, std::wstring_view fallback) const {
    const std::wstring sectionText(section), keyText(key), fallbackText(fallback), path = ProfilePath();
    if (path.empty()) return fallbackText;
    // A value that fills the buffer to the last character may have been cut:
    // grow and read again.
    std::wstring value(256, L'\0');
    for (;;) {
        const DWORD length = GetPrivateProfileStringW(sectionText.c_str(), keyText.c_str(), fallbackText.c_str(),
                                                      value.data(), static_cast<DWORD>(value.size()), path.c_str());
        if (length + 1 < value.size() || value.size() >= kLongestValue) {
            value.resize(std::min<std::size_t>(length, value.size()));
            return value;
        }
        value.assign(value.size() * 2, L'\0');
    }
}

void ClsIni::PutIni(std::wstring_view section, std::wstring_view key, std::wstring_view value) const {
    const std::wstring path = ProfilePath();
    if (!path.empty())
        WritePrivateProfileStringW(std::wstring(section).c_str(), std::wstring(key).c_str(),
                                   std::wstring(value).c_str(), path.c_str());
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
