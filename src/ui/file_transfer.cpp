#include "ui/file_transfer.h"

#include <shellapi.h>

#include "core/version_text.h"
#include "core/text.h"
#include "platform/paths.h"
#include "platform/locale_text.h"

namespace orvane {

namespace {

constexpr std::size_t kNamesShown = 10;

std::wstring NameOf(const std::wstring& path) {
    const std::size_t cut = path.rfind(L'\\');
    return cut == std::wstring::npos ? path : path.substr(cut + 1);
}

// The names of some of the paths, one a line in brackets (so that a blank at
// a name's end shows), the rest counted.
std::wstring NameLines(const std::vector<std::wstring>& paths, const std::vector<std::size_t>& which) {
    std::wstring lines;
    for (std::size_t k = 0; k < which.size() && k < kNamesShown; ++k)
        lines += L"\n「" + NameOf(paths[which[k]]) + L"」";
    if (which.size() > kNamesShown) lines += L"\nほか " + std::to_wstring(which.size() - kNamesShown) + L" 件";
    return lines;
}

Occupant OccupantOf(const std::wstring& destination) {
    const std::size_t cut = destination.rfind(L'\\');
    if (cut == std::wstring::npos || cut + 1 == destination.size()) return Occupant::Folder;  // no file's place
    const DWORD attributes =
        GetFileAttributesW(VerbatimPath(destination.substr(0, cut), destination.substr(cut + 1)).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return Occupant::None;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? Occupant::Folder : Occupant::File;
}

}  // namespace

bool RefuseUnreachableNames(ShellUi& shell, HWND owner, const std::vector<std::wstring>& paths) {
    std::vector<std::size_t> unreachable;
    for (std::size_t i = 0; i < paths.size(); ++i)
        if (!PlainPathNamesFile(NameOf(paths[i]))) unreachable.push_back(i);
    if (unreachable.empty()) return false;
    shell.Message(owner,
                  L"次のファイルは、名前の末尾が「.」か空白であるか、機器の名前（con、aux など）であるため、"
                  L"この操作ができません。名前を変更してから、もう一度操作してください。\n" +
                      NameLines(paths, unreachable),
                  kAppTitle, MB_OK | MB_ICONEXCLAMATION);
    return true;
}

std::optional<bool> TransferFiles(ShellUi& shell, HWND owner, FileTransfer kind,
                                  const std::vector<std::wstring>& sources, const std::wstring& folder,
                                  UndoLog* undo) {
    const bool move = kind == FileTransfer::Move;
    if (sources.empty() || RefuseUnreachableNames(shell, owner, sources)) return std::nullopt;
    if (AnyPathIsIn(sources, folder, UpperCaseText)) {
        shell.Message(owner,
                      move ? L"移動先のフォルダは、移動するファイルのフォルダと同じです。"
                           : L"コピー先のフォルダは、コピーするファイルのフォルダと同じです。",
                      kAppTitle, MB_OK | MB_ICONEXCLAMATION);
        return std::nullopt;
    }
    const TransferPlan plan = PlanTransfer(sources, folder, OccupantOf, UpperCaseText);
    const wchar_t* verb = move ? L"移動" : L"コピー";
    std::vector<bool> stays(sources.size(), false);
    for (std::size_t i : plan.blocked) stays[i] = true;
    std::wstring blockedText;
    if (!plan.blocked.empty())
        blockedText = std::wstring(L"次のファイルは、") + verb +
                      L"先に同じ名前のフォルダがあるか、同じ名前のファイルを" + L"ほかにも選んでいるため、" + verb +
                      L"しません。\n" + NameLines(sources, plan.blocked);
    FILEOP_FLAGS flags = FOF_MULTIDESTFILES;
    if (!plan.taken.empty()) {
        std::wstring question = std::wstring(verb) + L"先には、同じ名前のファイルが既にあります。\n" +
                                NameLines(sources, plan.taken) + L"\n\nこれらのファイルを置き換えますか？\n" +
                                L"［はい］置き換えます　［いいえ］これらを除いて" + verb + L"します";
        if (!blockedText.empty()) question += L"\n\n" + blockedText;
        const int answer =
            shell.Message(owner, question, kAppTitle, MB_YESNOCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2);
        if (answer == IDYES)
            flags |= FOF_NOCONFIRMATION;  // asked once: the shell asks no more
        else if (answer == IDNO)
            for (std::size_t i : plan.taken) stays[i] = true;
        else
            return std::nullopt;
    } else if (!blockedText.empty()) {
        const bool othersGo = plan.blocked.size() < sources.size();
        const int answer =
            shell.Message(owner, othersGo ? blockedText + L"\n\nほかのファイルを" + verb + L"しますか？" : blockedText,
                          kAppTitle, (othersGo ? MB_OKCANCEL : MB_OK) | MB_ICONEXCLAMATION);
        if (!othersGo || answer != IDOK) return std::nullopt;
    }
    std::vector<std::wstring> from;
    std::vector<std::wstring> to;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        if (stays[i]) continue;
        from.push_back(sources[i]);
        to.push_back(plan.destinations[i]);
    }
    if (from.empty()) return std::nullopt;
    std::vector<std::optional<FileStamp>> before;
    if (undo)
        for (const std::wstring& path : to) before.push_back(StampOf(path));
    const bool done = shell.FileOperation(owner, move ? FO_MOVE : FO_COPY, ShellFileList(from), ShellFileList(to), flags);
    if (undo) {
        // Even a part-done operation is undone as far as it went.
        std::vector<std::pair<std::wstring, std::wstring>> pairs;
        for (std::size_t i = 0; i < from.size(); ++i) pairs.emplace_back(from[i], to[i]);
        undo->Record(move ? UndoKind::Move : UndoKind::Copy, pairs, before);
    }
    return done;
}

}  // namespace orvane
