#include "app/ini.h"

#include <windows.h>

#include "win/text.h"

namespace orvane {

std::wstring ClsIni::GetIni(std::wstring_view wkSection, std::wstring_view wkKey, std::wstring_view wkDefault) const {
    char buffer[255] = {};
    GetPrivateProfileStringA(ToAnsi(wkSection).c_str(), ToAnsi(wkKey).c_str(), ToAnsi(wkDefault).c_str(), buffer,
                             sizeof(buffer), ToAnsi(IniName).c_str());
    buffer[sizeof(buffer) - 1] = '\0';
    return FromAnsi(buffer);
}

std::wstring ClsIni::PutIni(std::wstring_view wkSection, std::wstring_view wkKey, std::wstring_view wkStr) const {
    WritePrivateProfileStringA(ToAnsi(wkSection).c_str(), ToAnsi(wkKey).c_str(), ToAnsi(wkStr).c_str(),
                               ToAnsi(IniName).c_str());
    return {};
}

IniReader ClsIni::Reader() const {
    return [this](std::wstring_view section, std::wstring_view key, std::wstring_view fallback) {
        return GetIni(section, key, fallback);
    };
}

}  // namespace orvane
