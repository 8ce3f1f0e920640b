// Registered folders as the data file "Orvane.dat" keeps them: one line per
// folder, its name path (the captions from the top down, joined by ",")
// then "," and its folder. Platform-free: reading and writing the file and
// the tree control are the window side's.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

inline constexpr wchar_t kFolderFileName[] = L"Orvane.dat";
inline constexpr wchar_t kFolderWorkFileName[] = L"Orvane.wk";

// No real registration nests deeper; a line with more names stays in the
// file untouched but is not read, so that a hostile line cannot hang the
// tree or exhaust its stack.
inline constexpr std::size_t kMaxFolderDepth = 64;

// One node the data file describes, in the order the build creates them
// (a parent always before its children).
struct StoredFolder {
    std::wstring caption;
    std::wstring folder;  // empty when no line of its own set it
    int parent = -1;      // index of the parent in the list; -1 for a top-level folder
    std::wstring key;     // caption, three backslashes, running number from 0
};

struct FolderTreeModel {
    std::vector<StoredFolder> folders;
    std::optional<std::wstring> rootFolder;  // a line without "," sets the root's folder for this run
};

// Builds the tree the lines describe: split at every ","; the last field is
// the folder (spaces around it removed), the others the names from the top
// down (as they stand); a missing level is created on the way; a later line
// for the same name path sets its folder again. Empty lines, and lines with
// more than kMaxFolderDepth names, are skipped.
FolderTreeModel ReadFolderLines(const std::vector<std::wstring>& lines);

// The captions joined by ",".
std::wstring NamePath(const std::vector<std::wstring>& captionsTopDown);

// The line of a folder: the ancestors' captions (below the root, top down),
// each followed by ",", then the name, ",", the folder.
std::wstring FolderLine(const std::vector<std::wstring>& ancestorCaptions, std::wstring_view name,
                        std::wstring_view folder);

// A name can be stored only without ",": the comma separates the fields.
bool StorableName(std::wstring_view name);

// What a rewrite does with one line of the data file.
struct LineChange {
    enum class Action { Keep, Drop, Replace } action = Action::Keep;
    std::wstring line;  // the replacement
};

// Rename or change of the folder whose name path was oldNamePath: its own
// line(s) (old name path, ",", one more field without ",") become newLine;
// the lines of the folders below it carry the new name path (the part of
// newLine before its last ",") in place of the old one; all else is kept.
LineChange RenameOrChangeRule(std::wstring_view line, std::wstring_view oldNamePath, std::wstring_view newLine);

// Remove: every line that begins with the name path and "," is dropped (the
// folder's own line and those of every folder below it).
LineChange RemoveRule(std::wstring_view line, std::wstring_view namePath);

// Applies a rule to every line, in order.
template <typename Rule>
std::vector<std::wstring> RewriteLines(const std::vector<std::wstring>& lines, Rule rule) {
    std::vector<std::wstring> result;
    for (const std::wstring& line : lines) {
        LineChange change = rule(line);
        if (change.action == LineChange::Action::Keep) result.push_back(line);
        if (change.action == LineChange::Action::Replace) result.push_back(std::move(change.line));
    }
    return result;
}

}  // namespace orvane
