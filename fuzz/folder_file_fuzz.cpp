// The data file of the registered folders as a hand or another program may
// have left it. Input: the file's bytes (each byte read as one character, as
// a single-byte code page would). Checks the tree the reading builds, and
// that removing any node's subtree by the rewrite rule leaves every other
// line and nothing of that subtree.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/text.h"
#include "core/registered_folders.h"

namespace {

std::wstring Widen(std::string_view bytes) {
    std::wstring text;
    for (unsigned char c : bytes) text.push_back(static_cast<wchar_t>(c));
    return text;
}

std::vector<std::wstring> PathOf(const orvane::FolderTreeModel& model, int index) {
    std::vector<std::wstring> captions;
    for (int at = index; at >= 0; at = model.folders[static_cast<std::size_t>(at)].parent)
        captions.insert(captions.begin(), model.folders[static_cast<std::size_t>(at)].caption);
    return captions;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::wstring> lines;
    std::size_t length = 0;
    for (std::string_view line : orvane::SplitByteLines(bytes)) {
        if (line.find_first_of("\r\n") != std::string_view::npos) __builtin_trap();
        length += line.size();
        lines.push_back(Widen(line));
    }
    if (length > size || lines.empty() != bytes.empty()) __builtin_trap();

    const orvane::FolderTreeModel model = orvane::ReadFolderLines(lines);
    std::set<std::pair<int, std::wstring>> siblings;
    std::set<std::wstring> keys;
    for (std::size_t i = 0; i < model.folders.size(); ++i) {
        const orvane::StoredFolder& node = model.folders[i];
        if (node.parent >= static_cast<int>(i)) __builtin_trap();  // a parent comes first
        if (!orvane::StorableName(node.caption)) __builtin_trap();
        if (!siblings.emplace(node.parent, node.caption).second) __builtin_trap();  // one node per name path
        if (!keys.insert(node.key).second) __builtin_trap();
        if (PathOf(model, static_cast<int>(i)).size() > orvane::kMaxFolderDepth) __builtin_trap();
    }
    if (model.folders.empty()) return 0;

    // Remove one node, chosen by the input's size, with its subtree.
    const int removed = static_cast<int>(size % model.folders.size());
    const std::wstring namePath = orvane::NamePath(PathOf(model, removed));
    const std::vector<std::wstring> kept =
        orvane::RewriteLines(lines, [&](const std::wstring& line) { return orvane::RemoveRule(line, namePath); });
    for (const std::wstring& line : lines) {
        const bool below = line.size() > namePath.size() && line.starts_with(namePath) && line[namePath.size()] == L',';
        if (!below && std::count(kept.begin(), kept.end(), line) != std::count(lines.begin(), lines.end(), line))
            __builtin_trap();
    }
    const orvane::FolderTreeModel after = orvane::ReadFolderLines(kept);
    for (std::size_t i = 0; i < after.folders.size(); ++i)
        if (orvane::NamePath(PathOf(after, static_cast<int>(i))) == namePath) __builtin_trap();
    return 0;
}
