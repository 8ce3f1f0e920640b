#include "ui/frm_pathmod.h"

#include <commctrl.h>

#include "platform/controls.h"

namespace orvane {

Frm_PathMod::Frm_PathMod(ShellUi& shell, std::wstring& RefName, std::wstring& RefDir)
    : shell_(shell), refName_(RefName), refDir_(RefDir) {}

void Frm_PathMod::Show(HWND owner) { RunModal(owner, kPathModCaption, 5760, 1320); }

void Frm_PathMod::OnInitDialog() {
    // Created in tab order, each label just before its box: a label's letter
    // puts the keyboard in the box after it. Labels and "参照(B)…" have more
    // room than a narrow font needs, so that a wider one does not cut them.
    Label3 = AddControl(WC_STATICW, L"登録名(&N)", SS_LEFT, kIdNameLabel, 120, 120, 1020, 210);
    txt_Name_ = AddControl(WC_EDITW, L"", WS_TABSTOP | ES_AUTOHSCROLL, kIdName, 1200, 60, 1755, 270, WS_EX_CLIENTEDGE);
    Label2 = AddControl(WC_STATICW, L"フォルダ(&F)", SS_LEFT, kIdDirLabel, 120, 480, 1020, 210);
    txt_Dir_ = AddControl(WC_EDITW, L"", WS_TABSTOP | ES_AUTOHSCROLL, kIdDir, 1200, 420, 3345, 270, WS_EX_CLIENTEDGE);
    cmd_Ref_ = AddControl(WC_BUTTONW, L"参照(&B)…", WS_TABSTOP | BS_PUSHBUTTON, kIdBrowse, 4605, 420, 990, 270);
    cmd_Ok_ = AddControl(WC_BUTTONW, L"ＯＫ", WS_TABSTOP | BS_DEFPUSHBUTTON, kIdOk, 3060, 840, 1215, 315);
    cmd_Cancel_ = AddControl(WC_BUTTONW, L"キャンセル", WS_TABSTOP | BS_PUSHBUTTON, kIdCancel, 4380, 840, 1215, 315);
    if (!refName_.empty()) {
        SetWindowTextW(txt_Name_, refName_.c_str());
        SetWindowTextW(txt_Dir_, refDir_.c_str());
    }
    SetFocus(txt_Name_);
}

bool Frm_PathMod::OnCommand(int id, int code, HWND control) {
    switch (id) {
    case kIdOk:
        refName_ = WindowText(txt_Name_);
        refDir_ = WindowText(txt_Dir_);
        EndDialog(hwnd(), IDOK);
        return true;
    case kIdCancel:
        refName_.clear();
        EndDialog(hwnd(), IDCANCEL);
        return true;
    case kIdBrowse:
        if (const auto folder = shell_.BrowseForFolder(hwnd(), kBrowseTitle, kBrowseFlags, L""))
            SetWindowTextW(txt_Dir_, folder->c_str());
        return true;
    default:
        return ModalDialog::OnCommand(id, code, control);
    }
}

}  // namespace orvane
