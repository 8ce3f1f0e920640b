// The program's start: settings file, help file, splash, main window, and
// the message loop until the main window ends.
#pragma once

#include <string>

#include "platform/shell_ui.h"

namespace orvane {

inline constexpr wchar_t kAppHelpFileName[] = L"ZUROROZ030.HLP";

// The application-wide help file: the bare name when it lies beside the
// program, otherwise empty.
std::wstring AppHelpFileFor(const std::wstring& programFolder);
const std::wstring& AppHelpFile();

int Main(const std::wstring& programFolder, ShellUi& shell);

}  // namespace orvane
