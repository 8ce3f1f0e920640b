#include "core/drop_rules.h"

#include <unordered_set>

#include "core/text.h"

namespace orvane {

std::uint32_t DropEffectFor(std::uint32_t keys, std::uint32_t allowed, bool sameDrive) {
    const bool control = (keys & kKeyControl) != 0;
    const bool shift = (keys & kKeyShift) != 0;
    const std::uint32_t wanted = control ? kDropCopy : shift ? kDropMove : sameDrive ? kDropMove : kDropCopy;
    if (allowed & wanted) return wanted;
    const std::uint32_t other = wanted == kDropCopy ? kDropMove : kDropCopy;
    return (allowed & other) ? other : kDropNone;
}

std::uint32_t ListDragEffect(bool controlAtPress) { return controlAtPress ? kDropCopy : kDropMove; }

std::optional<FileTransfer> TransferForDrop(std::uint32_t effect) {
    if (effect == kDropCopy) return FileTransfer::Copy;
    if (effect == kDropMove) return FileTransfer::Move;
    return std::nullopt;
}

FileTransfer TransferForPaste(std::optional<std::uint32_t> preferred) {
    return preferred && (*preferred & kDropMove) && !(*preferred & kDropCopy) ? FileTransfer::Move : FileTransfer::Copy;
}

namespace {

bool PathIsIn(const std::wstring& path, const std::wstring& folder, const UpperCase& upper) {
    const std::size_t cut = path.rfind(L'\\');
    const std::wstring itsFolder = cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1);
    return upper(itsFolder) == upper(WithTrailingBackslash(folder));
}

}  // namespace

bool FirstPathIsIn(const std::vector<std::wstring>& paths, const std::wstring& folder, const UpperCase& upper) {
    return !paths.empty() && PathIsIn(paths.front(), folder, upper);
}

bool AnyPathIsIn(const std::vector<std::wstring>& paths, const std::wstring& folder, const UpperCase& upper) {
    for (const std::wstring& path : paths)
        if (PathIsIn(path, folder, upper)) return true;
    return false;
}

bool IsSameFolder(const std::wstring& a, const std::wstring& b, const UpperCase& upper) {
    return !a.empty() && !b.empty() && upper(WithTrailingBackslash(a)) == upper(WithTrailingBackslash(b));
}

std::vector<std::wstring> DropDestinations(const std::vector<std::wstring>& paths, const std::wstring& folder) {
    const std::wstring base = WithTrailingBackslash(folder);
    std::vector<std::wstring> destinations;
    destinations.reserve(paths.size());
    for (const std::wstring& path : paths) {
        const std::size_t cut = path.rfind(L'\\');
        destinations.push_back(base + (cut == std::wstring::npos ? path : path.substr(cut + 1)));
    }
    return destinations;
}

TransferPlan PlanTransfer(const std::vector<std::wstring>& sources, const std::wstring& folder,
                          const std::function<Occupant(const std::wstring& destination)>& occupant,
                          const UpperCase& upper) {
    TransferPlan plan;
    plan.destinations = DropDestinations(sources, folder);
    std::unordered_set<std::wstring> names;  // the places given so far, compared as the file system compares them
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const bool repeated = !names.insert(upper(plan.destinations[i])).second;
        const Occupant there = repeated ? Occupant::Folder : occupant(plan.destinations[i]);
        if (there == Occupant::Folder)
            plan.blocked.push_back(i);
        else if (there == Occupant::File)
            plan.taken.push_back(i);
    }
    return plan;
}

TreeDragSpot TreeDragSpotFor(const std::optional<std::wstring>& nodeFolder, bool folderExists,
                             const std::optional<std::wstring>& selectedFolder) {
    if (!nodeFolder) return {selectedFolder, false};
    if (!nodeFolder->empty() && folderExists) return {*nodeFolder, true};
    return {std::wstring(kNoFolderHere), false};
}

}  // namespace orvane
