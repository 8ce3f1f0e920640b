// The client's list file "incomplete downloads.txt": blocks of four lines
// that start with "Local Path:"; the third line holds the full size, the
// fourth the user, each after the first ":".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/file_entry.h"

namespace orvane {

inline constexpr wchar_t kIncompleteListName[] = L"incomplete downloads.txt";

// Whether a file of this name is the list file, as Windows compares names
// (its letters in either case).
bool NamesIncompleteList(std::wstring_view name);

// Completes the entries of a scan of the client's folder from the list
// file's lines: full size and user of every file a block names. The name is
// matched exactly (case-sensitive) through an index, not a search per line.
// A size that is not a whole number from 0 to 2,147,483,647 keeps the size
// already set; a block cut short by the end of the lines changes nothing.
void ApplyIncompleteList(const std::vector<std::wstring>& lines, FileEntryList& entries);

// Every name a block of the list file's lines starts with: the files whose
// full size and user the lines may give.
std::vector<std::wstring> IncompleteListNames(const std::vector<std::wstring>& lines);

}  // namespace orvane
