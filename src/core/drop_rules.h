// What a drag and drop or a paste of files decides before the shell does
// the work: copy or move, the drop refused from its own folder, where each
// file goes, and what the status bar says over the tree. Platform-free.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/file_list_model.h"

namespace orvane {

// The platform's drop effects and key flags, by their values.
inline constexpr std::uint32_t kDropNone = 0;
inline constexpr std::uint32_t kDropCopy = 1;
inline constexpr std::uint32_t kDropMove = 2;
inline constexpr std::uint32_t kKeyShift = 0x4;    // MK_SHIFT
inline constexpr std::uint32_t kKeyControl = 0x8;  // MK_CONTROL

// The one effect a drop takes, from the keys held, the effects the source
// allows and whether the files stay on their drive, as the shell decides
// it: Ctrl copies (with Shift too: no links are made here), Shift moves,
// and without keys files move within a drive and are copied from another
// (a stick or a share keeps its files). Where the source does not allow
// that effect, the other one it allows; none when it allows neither.
std::uint32_t DropEffectFor(std::uint32_t keys, std::uint32_t allowed, bool sameDrive);

// What the list's own drag offers: copy when Ctrl was down as the mouse
// button went down on the list, otherwise move.
std::uint32_t ListDragEffect(bool controlAtPress);

enum class FileTransfer { Move, Copy };

// A drop copies when its effect is exactly copy, moves when it is move and
// does nothing for any other value.
std::optional<FileTransfer> TransferForDrop(std::uint32_t effect);
// A paste moves when the source's preferred effect is a move without a
// copy (a cut); anything else, or none said, copies.
FileTransfer TransferForPaste(std::optional<std::uint32_t> preferred);

// The first path lies in folder (compared as the file system does,
// ignoring letter case); only the first path counts, and no paths is false.
bool FirstPathIsIn(const std::vector<std::wstring>& paths, const std::wstring& folder, const UpperCase& upper);
// Any of the paths lies in folder, compared the same way.
bool AnyPathIsIn(const std::vector<std::wstring>& paths, const std::wstring& folder, const UpperCase& upper);

// Two folders are one, compared the same way; an empty one is none.
bool IsSameFolder(const std::wstring& a, const std::wstring& b, const UpperCase& upper);

// Where a dropped path goes in folder: the name after its last backslash
// (the whole path when it has none), after the folder and a backslash
// unless the folder ends with one. In the paths' order.
std::vector<std::wstring> DropDestinations(const std::vector<std::wstring>& paths, const std::wstring& folder);

// What stands in the way of a move or copy into a folder: where each file
// goes, the files whose place holds a file already (replaced only when the
// user says so), and those that never go: their place is a folder, or an
// earlier file of the same batch takes the name.
enum class Occupant { None, File, Folder };
struct TransferPlan {
    std::vector<std::wstring> destinations;  // one per source, in order
    std::vector<std::size_t> taken;          // indices of sources whose place holds a file
    std::vector<std::size_t> blocked;        // indices of sources that cannot go
};
TransferPlan PlanTransfer(const std::vector<std::wstring>& sources, const std::wstring& folder,
                          const std::function<Occupant(const std::wstring& destination)>& occupant,
                          const UpperCase& upper);

inline constexpr wchar_t kNoFolderHere[] = L"フォルダがありません。";

// What dragging over the tree shows in the first status panel and whether
// the spot takes the drop.
struct TreeDragSpot {
    std::optional<std::wstring> status;  // nothing: the panel keeps its text
    bool takesDrop = false;
};
// nodeFolder: the folder of the node under the pointer, nothing over empty
// space; folderExists: whether a folder of that path exists; selectedFolder:
// the selected node's folder, nothing with no node selected.
TreeDragSpot TreeDragSpotFor(const std::optional<std::wstring>& nodeFolder, bool folderExists,
                             const std::optional<std::wstring>& selectedFolder);

}  // namespace orvane
