// How the program writes its version: major "." minor revision, with no
// point between minor and revision (0, 4, 0 reads 0.40).
#pragma once

#include <string>

namespace orvane {

struct ProgramVersion {
    unsigned major = 0;
    unsigned minor = 0;
    unsigned revision = 0;
};

std::wstring VersionText(const ProgramVersion& v);
std::wstring SplashVersionText(const ProgramVersion& v);  // "Ver. 0.40"
std::wstring DialogVersionText(const ProgramVersion& v);  // "Orvane Ver.0.40"

inline constexpr wchar_t kAppTitle[] = L"Orvane";

}  // namespace orvane
