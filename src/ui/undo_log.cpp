#include "ui/undo_log.h"

#include <shellapi.h>

#include "core/text.h"
#include "core/version_text.h"
#include "platform/paths.h"

namespace orvane {

namespace {

constexpr std::size_t kNamesShown = 10;

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }
std::wstring NameOf(const std::wstring& path) { return path.substr(path.find_last_of(L'\\') + 1); }

// A rename of letter case alone names the same file before and after.
bool SameName(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

std::wstring NameLines(const std::vector<std::wstring>& names) {
    std::wstring lines;
    for (std::size_t k = 0; k < names.size() && k < kNamesShown; ++k) lines += L"\n「" + names[k] + L"」";
    if (names.size() > kNamesShown) lines += L"\nほか " + std::to_wstring(names.size() - kNamesShown) + L" 件";
    return lines;
}

const wchar_t* Verb(UndoKind kind) {
    switch (kind) {
    case UndoKind::Rename:
        return L"名前の変更";
    case UndoKind::Move:
        return L"移動";
    case UndoKind::Copy:
        return L"コピー";
    }
    return L"";
}

}  // namespace

void UndoLog::Record(UndoKind kind, const std::vector<std::pair<std::wstring, std::wstring>>& done,
                     const std::vector<std::optional<FileStamp>>& before) {
    std::vector<Step> steps;
    for (std::size_t i = 0; i < done.size(); ++i) {
        const auto& [from, to] = done[i];
        const std::optional<FileStamp> stamp = StampOf(to);
        // A move or rename left nothing behind; a file the shell did not
        // replace is no copy (undoing would delete someone else's file).
        if (!stamp || (kind != UndoKind::Copy && !SameName(from, to) && StampOf(from))) continue;
        if (i < before.size() && before[i] == stamp) continue;
        steps.push_back({from, to, *stamp});
    }
    if (steps.empty()) return;
    kind_ = kind;
    steps_ = std::move(steps);
}

std::wstring UndoLog::MenuCaption() const {
    // Wine measures Japanese captions short of what it draws: a full-width
    // blank keeps the key from running into them.
    return Empty() ? L"元に戻す(&U)　\tCtrl+Z" : std::wstring(L"元に戻す(&U) - ") + Verb(kind_) + L"　\tCtrl+Z";
}

std::wstring UndoLog::Refusal() const {
    std::vector<std::wstring> changed;
    std::vector<std::wstring> taken;
    std::vector<std::wstring> noFolder;
    for (const Step& step : steps_) {
        if (StampOf(step.to) != step.stamp)
            changed.push_back(NameOf(step.to));
        else if (kind_ == UndoKind::Copy || SameName(step.from, step.to))
            continue;
        else if (FileExists(VerbatimPath(FolderOf(step.from), NameOf(step.from))))
            taken.push_back(NameOf(step.from));
        else if (!FolderExists(FolderOf(step.from)))
            noFolder.push_back(NameOf(step.from));
    }
    std::wstring why;
    if (!changed.empty())
        why += L"\n\n次のファイルは、その後に変更されたか、移動または削除されています。" + NameLines(changed);
    if (!taken.empty()) why += L"\n\n元の場所に、同じ名前のファイルかフォルダがあります。" + NameLines(taken);
    if (!noFolder.empty()) why += L"\n\n元のフォルダがありません。" + NameLines(noFolder);
    return why.empty() ? why : std::wstring(Verb(kind_)) + L"を元に戻せません。" + why;
}

std::optional<std::vector<std::wstring>> UndoLog::Undo(ShellUi& shell, HWND owner, bool confirm) {
    if (steps_.empty()) return std::nullopt;
    if (const std::wstring refusal = Refusal(); !refusal.empty()) {
        shell.Message(owner, refusal, kAppTitle, MB_OK | MB_ICONEXCLAMATION);
        return std::nullopt;
    }
    std::vector<std::wstring> made;
    std::vector<std::wstring> back;
    for (const Step& step : steps_) {
        made.push_back(step.to);
        back.push_back(step.from);
    }
    std::vector<std::wstring> undone;
    std::vector<Step> left;
    if (kind_ == UndoKind::Rename) {
        // The old name exactly as it was written, a trailing dot too.
        for (Step& step : steps_) {
            if (RenameInFolder(FolderOf(step.to), NameOf(step.to), NameOf(step.from), true)) {
                undone.push_back(step.from);
                continue;
            }
            shell.Message(owner, L"名前を元に戻せません。\n「" + NameOf(step.to) + L"」", kAppTitle,
                          MB_OK | MB_ICONEXCLAMATION);
            left.push_back(std::move(step));
        }
    } else {
        if (kind_ == UndoKind::Move)
            shell.FileOperation(owner, FO_MOVE, ShellFileList(made), ShellFileList(back), FOF_MULTIDESTFILES);
        else
            shell.FileOperation(owner, FO_DELETE, ShellFileList(made), L"",
                                FOF_ALLOWUNDO | (confirm ? 0 : FOF_NOCONFIRMATION));
        // What was not undone (cancelled, refused by the shell) stays to undo.
        for (Step& step : steps_) {
            if (StampOf(step.to))
                left.push_back(std::move(step));
            else if (kind_ == UndoKind::Move && StampOf(step.from))
                undone.push_back(step.from);
        }
    }
    steps_ = std::move(left);
    return undone;
}

}  // namespace orvane
