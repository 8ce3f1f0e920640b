#include "mainwindow/drop_rules.h"

#include "core/text.h"

namespace orvane {

std::uint32_t DropEffectFor(std::uint32_t keys, std::uint32_t allowed) {
    const bool copyAllowed = (allowed & kDropCopy) != 0;
    const bool moveAllowed = (allowed & kDropMove) != 0;
    if ((keys & kKeyControl) && copyAllowed) return kDropCopy;
    if ((keys & kKeyShift) && moveAllowed) return kDropMove;
    if (moveAllowed) return kDropMove;
    return copyAllowed ? kDropCopy : kDropNone;
}

std::uint32_t ListDragEffect(bool controlAtPress) { return controlAtPress ? kDropCopy : kDropMove; }

FileTransfer TransferForDrop(std::uint32_t effect) {
    return effect == kDropCopy ? FileTransfer::Copy : FileTransfer::Move;
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

TreeDragSpot TreeDragSpotFor(const std::optional<std::wstring>& nodeFolder, bool folderExists,
                             const std::optional<std::wstring>& selectedFolder) {
    if (!nodeFolder) return {selectedFolder, false};
    if (!nodeFolder->empty() && folderExists) return {*nodeFolder, true};
    return {std::wstring(kNoFolderHere), false};
}

}  // namespace orvane
