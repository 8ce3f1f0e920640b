// Conversions between the program's UTF-16 text and the ANSI code page of
// the settings and data files (932 on a Japanese system).
#pragma once

#include <string>
#include <string_view>

namespace orvane {

std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view bytes);

// True when every character survives a round trip through the ANSI code page.
bool RepresentableInAnsi(std::wstring_view text);

}  // namespace orvane
