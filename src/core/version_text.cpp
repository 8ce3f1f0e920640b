#include "core/version_text.h"

namespace orvane {

std::wstring VersionText(const ProgramVersion& v) {
    return std::to_wstring(v.major) + L"." + std::to_wstring(v.minor) + std::to_wstring(v.revision);
}

std::wstring SplashVersionText(const ProgramVersion& v) { return L"Ver. " + VersionText(v); }

std::wstring DialogVersionText(const ProgramVersion& v) { return std::wstring(kAppTitle) + L" Ver." + VersionText(v); }

}  // namespace orvane
