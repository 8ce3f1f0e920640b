// The settings file "Qelt.ini": one key at a time through the platform's
// private-profile functions. The platform keeps a file without a byte-order
// mark in the ANSI code page; our side of the calls is UTF-16, so the
// program's folder need not fit the code page.
#pragma once

#include <string>
#include <string_view>

#include "core/settings_model.h"

namespace orvane {

inline constexpr wchar_t kSettingsFileName[] = L"Qelt.ini";

class ClsIni {
public:
    std::wstring IniName;  // full path of the settings file

    // The key's whole value, or fallback when the key or the file is missing.
    std::wstring GetIni(std::wstring_view section, std::wstring_view key, std::wstring_view fallback) const;
    // Writes the key at once, creating file and section as needed.
    void PutIni(std::wstring_view section, std::wstring_view key, std::wstring_view value) const;

    IniReader Reader() const;
    IniWriter Writer() const;

private:
    // IniName in a form the profile functions can open.
    std::wstring ProfilePath() const;
};

}  // namespace orvane
