#include "core/registered_folders.h"

#include <algorithm>
#include <map>
#include <utility>

#include "core/text.h"

namespace orvane {

namespace {

constexpr wchar_t kSeparator = L',';
constexpr wchar_t kKeyJoint[] = L"\\\\\\";

bool StartsWith(std::wstring_view text, std::wstring_view prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

FolderTreeModel ReadFolderLines(const std::vector<std::wstring>& lines) {
    FolderTreeModel model;
    // Children are never removed while building, so the first child with a caption stays the first:
    // a lookup by (parent, caption) finds the same node a scan of the children in order would.
    std::map<std::pair<int, std::wstring>, int, std::less<>> childByCaption;

    for (const std::wstring& line : lines) {
        if (line.empty()) continue;  // no field at all: nothing to build
        const std::wstring_view text = line;
        const size_t lastComma = text.rfind(kSeparator);
        if (lastComma == std::wstring_view::npos) {
            model.rootFolder = std::wstring(Trimmed(text));
            continue;
        }

        if (static_cast<size_t>(std::count(text.begin(), text.end(), kSeparator)) > kMaxFolderDepth) continue;

        int current = -1;
        size_t start = 0;
        while (true) {
            const size_t comma = text.find(kSeparator, start);
            std::pair<int, std::wstring> lookup{current, std::wstring(text.substr(start, comma - start))};
            const auto found = childByCaption.find(lookup);
            if (found != childByCaption.end()) {
                current = found->second;
            } else {
                const int index = static_cast<int>(model.folders.size());
                StoredFolder node;
                node.caption = lookup.second;
                node.parent = current;
                node.key = node.caption + kKeyJoint + std::to_wstring(index);
                model.folders.push_back(std::move(node));
                childByCaption.emplace(std::move(lookup), index);
                current = index;
            }
            start = comma + 1;
            if (comma == lastComma) break;
        }
        model.folders[current].folder = std::wstring(Trimmed(text.substr(lastComma + 1)));
    }
    return model;
}

std::wstring NamePath(const std::vector<std::wstring>& captionsTopDown) {
    std::wstring path;
    for (size_t i = 0; i < captionsTopDown.size(); ++i) {
        if (i > 0) path += kSeparator;
        path += captionsTopDown[i];
    }
    return path;
}

std::wstring FolderLine(const std::vector<std::wstring>& ancestorCaptions, std::wstring_view name,
                        std::wstring_view folder) {
    std::wstring line;
    for (const std::wstring& caption : ancestorCaptions) {
        line += caption;
        line += kSeparator;
    }
    line += name;
    line += kSeparator;
    line += folder;
    return line;
}

bool StorableName(std::wstring_view name) { return name.find(kSeparator) == std::wstring_view::npos; }

LineChange RenameOrChangeRule(std::wstring_view line, std::wstring_view oldNamePath, std::wstring_view newLine) {
    const size_t prefixLength = oldNamePath.size() + 1;
    if (line.size() < prefixLength || !StartsWith(line, oldNamePath) || line[oldNamePath.size()] != kSeparator) {
        return {};
    }
    const std::wstring_view rest = line.substr(prefixLength);
    if (rest.find(kSeparator) == std::wstring_view::npos) {
        return {LineChange::Action::Replace, std::wstring(newLine)};
    }
    // A folder below: its line keeps its own tail and takes the new name path in front.
    const size_t newLastComma = newLine.rfind(kSeparator);
    const std::wstring_view newNamePath =
        newLastComma == std::wstring_view::npos ? newLine : newLine.substr(0, newLastComma);
    std::wstring carried(newNamePath);
    carried += line.substr(oldNamePath.size());
    return {LineChange::Action::Replace, std::move(carried)};
}

LineChange RemoveRule(std::wstring_view line, std::wstring_view namePath) {
    if (line.size() > namePath.size() && StartsWith(line, namePath) && line[namePath.size()] == kSeparator) {
        return {LineChange::Action::Drop, {}};
    }
    return {};
}

}  // namespace orvane
