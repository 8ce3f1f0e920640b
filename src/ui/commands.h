// One id per command: menu entries, accelerators and buttons send the same one.
#pragma once

namespace orvane {

enum CommandId : int {
    kCmdProperties = 1001,  // ファイル > プロパティ
    kCmdEnd,                // ファイル > 終了
    kCmdToggleTree,         // 表示 > 登録フォルダ
    kCmdRefresh,            // 表示 > 最新の情報に更新, the "更新" button, F5
    kCmdSettings,           // オプション > オプション設定
    kCmdHelp,               // ヘルプ > ヘルプ, F1
    kCmdVersion,            // ヘルプ > バージョン
    kCmdFind,               // "検索", Enter in the find field
    kCmdDeleteFind,         // "条件削除"
    kCmdClearFind,          // "クリア"
    kCmdRefAdd,             // tree menu "パス参照" > 追加
    kCmdRefMod,             // tree menu > 変更
    kCmdRefDel,             // tree menu > 削除
    kCmdExplorer,           // tree menu > エクスプローラ
    kCmdRename,             // list menu "ファイル" > 名前の変更, F2
    kCmdDelete,             // list menu > 削除, Delete
    kCmdMove,               // list menu > 移動
    kCmdCopy,               // list menu > コピー
    kCmdOpen,               // double click, Enter on the list
    kCmdCut,                // list menu > 切り取り, Ctrl+X
    kCmdCopyToClipboard,    // list menu > クリップボードにコピー, Ctrl+C
    kCmdPaste,              // list menu > 貼り付け, Ctrl+V
    kCmdAutoRefresh,        // 表示 > 自動更新
    kCmdDeleteForGood,      // Shift+Delete on the list, past the recycle bin
    kCmdFindNext,           // F3: the next marked row (the find field without a find)
    kCmdFindPrevious,       // Shift+F3: the marked row before
    kCmdFocusFind,          // Ctrl+F: the keyboard to the find field
    kCmdUndo,               // ファイル > 元に戻す, Ctrl+Z
    kCmdParentFolder,       // Backspace on the list: the tree's node above the one shown
};

// Child-window ids of the main window's controls that are not commands.
enum ControlId : int {
    kIdFindCombo = 2001,
    kIdTree,
    kIdSplitter,
    kIdDragBar,
    kIdList,
    kIdStatus,
};

}  // namespace orvane
