// Reading and rewriting the data file "Orvane.dat" in the program's folder,
// so that at every moment a complete copy of the registered folders exists.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/registered_folders.h"

namespace orvane {

// Steps of a rewrite that a test can make fail.
struct RewriteFaults {
    bool failWrite = false;
    bool failFlush = false;
    bool failReplace = false;
};

// The text of one line of the data file, decoded field by field.
std::wstring DecodeFolderLine(std::string_view bytes);

// The lines of the data file, or nothing when there is none. When only the
// work file exists (a rewrite stopped after writing it), that is the newest
// complete state: it becomes the data file first.
std::optional<std::vector<std::wstring>> ReadFolderFile(const std::wstring& programFolder);

// Rewrites the data file by the rule: the work file is written completely
// and flushed, then replaces the data file in one step; the lines the rule
// keeps are written back byte for byte. False when any step failed or the
// data file is read-only; the data file is then as it was.
bool RewriteFolderFile(const std::wstring& programFolder, const std::function<LineChange(const std::wstring&)>& rule,
                       const RewriteFaults& faults = {});

// Appends one line (CR LF) on a line of its own, creating the file when it
// is missing.
bool AppendFolderLine(const std::wstring& programFolder, const std::wstring& line);

}  // namespace orvane
