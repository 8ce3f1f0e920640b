#include "ui/frm_setting.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "core/version_text.h"
#include "core/text.h"
#include "ui/appearance.h"
#include "platform/controls.h"
#include "platform/paths.h"
#include "platform/code_page.h"
#include "platform/translucency.h"

namespace orvane {

namespace {

constexpr int kPageLeft = 120;  // the pages' common area, in twips
constexpr int kPageTop = 360;
constexpr int kNoPage = -1;  // controls outside the pages
constexpr DWORD kBox = WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL;
constexpr DWORD kButton = WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON;
constexpr DWORD kCheck = WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX;
constexpr DWORD kFirstOption = WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON;
constexpr DWORD kOption = WS_TABSTOP | BS_AUTORADIOBUTTON;
constexpr DWORD kLabel = SS_LEFT | SS_CENTERIMAGE;
constexpr DWORD kFrame = BS_GROUPBOX;

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// The checked option of a group of ids first, first + 1, ...; kNoOption for none.
int CheckedOption(HWND dialog, int first, int count) {
    for (int i = 0; i < count; ++i)
        if (Checked(dialog, first + i)) return i;
    return kNoOption;
}

void CheckOption(HWND dialog, int first, int count, int option) {
    for (int i = 0; i < count; ++i) CheckDlgButton(dialog, first + i, i == option ? BST_CHECKED : BST_UNCHECKED);
}

}  // namespace

Frm_Setting::Frm_Setting(ShellUi& shell, SettingsStore& settings, std::wstring programFolder)
    : shell_(shell), settings_(settings), programFolder_(std::move(programFolder)) {}

Frm_Setting::~Frm_Setting() = default;

void Frm_Setting::Show(HWND owner) { RunModal(owner, kSettingCaption, 6870, 3345); }

HWND Frm_Setting::Add(int page, const wchar_t* className, const std::wstring& text, DWORD style, int id, int left,
                      int top, int width, int height, DWORD exStyle) {
    if (id == 0) id = nextCaptionId_++;
    const bool onPage = page != kNoPage;
    HWND control = AddControl(className, text, style, id, onPage ? kPageLeft + left : left,
                              onPage ? kPageTop + top : top, width, height, exStyle);
    if (onPage) pages_[static_cast<std::size_t>(page)].push_back(control);
    return control;
}

void Frm_Setting::OnInitDialog() {
    // Created in tab order, so that a label's letter reaches the control after
    // it; no letter serves twice on a page, the page buttons' included.
    // Captions are given more room than a narrow font needs, so that a wider
    // Japanese font does not cut them.
    Add(kNoPage, WC_BUTTONW, L"全般(&G)", kFirstOption | BS_PUSHLIKE, kIdPage1, 120, 60, 1155, 315);
    Add(kNoPage, WC_BUTTONW, L"デザイン(&D)", kOption | BS_PUSHLIKE, kIdPage2, 1320, 60, 1155, 315);
    Add(kNoPage, WC_BUTTONW, L"ペルノア(&P)", kOption | BS_PUSHLIKE, kIdPage3, 2520, 60, 1155, 315);
    Add(kNoPage, WC_STATICW, L"", SS_ETCHEDFRAME, 0, kPageLeft, kPageTop, 6615, 2415);

    // 全般 (PicSystem)
    Add(0, WC_STATICW, L"incomplete downloads.txtファイルのパス(&I)", kLabel, 0, 120, 120, 5400, 255);
    Add(0, WC_EDITW, L"", kBox, kIdDir, 120, 390, 5265, 300, WS_EX_CLIENTEDGE);
    Add(0, WC_BUTTONW, L"参照(&B)…", kButton, kIdDirBrowse, 5505, 390, 990, 300);
    Add(0, WC_STATICW, L"フォルダ参照のデフォルト(&F)", kLabel, 0, 120, 840, 5400, 255);
    Add(0, WC_EDITW, L"", kBox, kIdDirRef, 120, 1110, 5265, 300, WS_EX_CLIENTEDGE);
    Add(0, WC_BUTTONW, L"参照(&R)…", kButton, kIdDirRefBrowse, 5505, 1110, 990, 300);
    Add(0, WC_BUTTONW, L"削除の確認メッセージ(&M)", kCheck, kIdDelMsg, 120, 1620, 3600, 285);

    // デザイン (PicDesine)
    Add(1, WC_BUTTONW, L"背景(&K)", kFrame, 0, 60, 30, 6495, 960);
    Add(1, WC_EDITW, L"", kBox, kIdBgFile, 180, 270, 5145, 300, WS_EX_CLIENTEDGE);
    Add(1, WC_BUTTONW, L"参照(&B)…", kButton, kIdBgBrowse, 5445, 270, 990, 300);
    Add(1, WC_STATICW, L"表示位置", kLabel, 0, 180, 630, 960, 270);
    Add(1, WC_BUTTONW, L"左上(&L)", kFirstOption, kIdAlign0, 1200, 630, 1080, 270);
    Add(1, WC_BUTTONW, L"中央に表示(&C)", kOption, kIdAlign1, 2340, 630, 1620, 270);
    Add(1, WC_BUTTONW, L"並べて表示(&T)", kOption, kIdAlign2, 4020, 630, 1620, 270);
    Add(1, WC_BUTTONW, L"半透明（Windows2000専用）", kFrame, 0, 60, 1050, 2520, 1020);
    Add(1, WC_BUTTONW, L"有効(&E)", kCheck, kIdInvisibleEnabled, 180, 1320, 1200, 270);
    Add(1, WC_STATICW, L"透明度(&A)", kLabel, 0, 180, 1680, 870, 270);
    Add(1, WC_STATICW, L"0", kLabel | SS_RIGHT, 0, 1080, 1680, 150, 270);
    HWND bar = Add(1, WC_SCROLLBARW, L"", WS_TABSTOP | WS_GROUP | SBS_HORZ, kIdInvisible, 1260, 1680, 840, 270);
    SetScrollRange(bar, SB_CTL, 0, 255, FALSE);
    Add(1, WC_STATICW, L"100", kLabel, 0, 2130, 1680, 390, 270);
    Add(1, WC_BUTTONW, L"罫線表示(&R)", kCheck, kIdLine, 2640, 1080, 2400, 270);
    Add(1, WC_STATICW, L"リストの文字色(&X)", kLabel, 0, 2640, 1440, 2850, 270);
    Add(1, WC_STATICW, L"", SS_NOTIFY, kIdListTextColor, 5520, 1440, 330, 270, WS_EX_CLIENTEDGE);
    Add(1, WC_BUTTONW, L"．．．", kButton, kIdListTextColorPick, 5880, 1440, 675, 270);
    Add(1, WC_STATICW, L"サイズが同じファイルの文字色(&Z)", kLabel, 0, 2640, 1800, 2850, 270);
    Add(1, WC_STATICW, L"", SS_NOTIFY, kIdSizeColor, 5520, 1800, 330, 270, WS_EX_CLIENTEDGE);
    Add(1, WC_BUTTONW, L"．．．", kButton, kIdSizeColorPick, 5880, 1800, 675, 270);

    // ペルノア (PicDmy)
    Add(2, WC_BUTTONW, L"", kFrame, 0, 60, 30, 3540, 600);
    Add(2, WC_STATICW, L"頭文字を表示", kLabel, 0, 180, 240, 1110, 270);
    Add(2, WC_BUTTONW, L"する(&S)", kFirstOption, kIdInitialDisp0, 1320, 240, 960, 270);
    Add(2, WC_BUTTONW, L"しない(&H)", kOption, kIdInitialDisp1, 2310, 240, 1140, 270);
    Add(2, WC_BUTTONW, L"", kFrame, 0, 60, 690, 3540, 600);
    Add(2, WC_STATICW, L"サイズを表示", kLabel, 0, 180, 900, 1110, 270);
    Add(2, WC_BUTTONW, L"する(&Z)", kFirstOption, kIdSizeDisp0, 1320, 900, 960, 270);
    Add(2, WC_BUTTONW, L"しない(&N)", kOption, kIdSizeDisp1, 2310, 900, 1140, 270);
    Add(2, WC_BUTTONW, L"", kFrame, 0, 60, 1350, 4380, 840);
    Add(2, WC_BUTTONW, L"元のファイルのサイズを表示する(&O)", kFirstOption, kIdSizeSrc0, 180, 1560, 4140, 270);
    Add(2, WC_BUTTONW, L"ダミーファイルのサイズを表示する(&U)", kOption, kIdSizeSrc1, 180, 1860, 4140, 270);
    Add(2, WC_STATICW, L"ダミーファイルの文字色(&C)", kLabel, 0, 3720, 90, 2835, 270);
    Add(2, WC_STATICW, L"", SS_NOTIFY, kIdDummyColor, 5520, 390, 330, 270, WS_EX_CLIENTEDGE);
    Add(2, WC_BUTTONW, L"．．．", kButton, kIdDummyColorPick, 5880, 390, 675, 270);

    Add(kNoPage, WC_BUTTONW, L"ＯＫ", WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, kIdOk, 4200, 2880, 1215, 375);
    Add(kNoPage, WC_BUTTONW, L"キャンセル", kButton, kIdCancel, 5520, 2880, 1215, 375);

    shown_ = ControlsFromSettings(settings_.Get());
    Show(shown_);
    CheckDlgButton(hwnd(), kIdPage1, BST_CHECKED);
    ShowPage(0);
    dirDrop_ = std::make_unique<DropTargetRegistration>(GetDlgItem(hwnd(), kIdDir), static_cast<DropDelegate&>(*this));
    SetFocus(GetDlgItem(hwnd(), kIdPage1));
}

void Frm_Setting::Show(const SettingControls& c) {
    const HWND self = hwnd();
    SetDlgItemTextW(self, kIdDir, c.dir.c_str());
    CheckDlgButton(self, kIdDelMsg, c.deleteConfirm ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemTextW(self, kIdDirRef, c.dirRef.c_str());
    SetDlgItemTextW(self, kIdBgFile, c.background.c_str());
    CheckOption(self, kIdAlign0, 3, c.alignment);
    CheckDlgButton(self, kIdInvisibleEnabled, c.invisibleEnabled ? BST_CHECKED : BST_UNCHECKED);
    SetScrollPos(GetDlgItem(self, kIdInvisible), SB_CTL, c.invisible, TRUE);
    EnableWindow(GetDlgItem(self, kIdInvisible), c.invisibleEnabled);
    listTextColor_ = c.listTextColor;
    CheckDlgButton(self, kIdLine, c.gridLines ? BST_CHECKED : BST_UNCHECKED);
    sizeColor_ = c.sizeColor;
    CheckOption(self, kIdInitialDisp0, 2, c.initialDisp);
    CheckOption(self, kIdSizeDisp0, 2, c.sizeDisp);
    CheckOption(self, kIdSizeSrc0, 2, c.sizeSrc);
    dummyColor_ = c.dummyColor;
}

SettingControls Frm_Setting::Read() const {
    const HWND self = hwnd();
    SettingControls c;
    c.dir = WindowText(GetDlgItem(self, kIdDir));
    c.deleteConfirm = Checked(self, kIdDelMsg);
    c.dirRef = WindowText(GetDlgItem(self, kIdDirRef));
    c.background = WindowText(GetDlgItem(self, kIdBgFile));
    c.alignment = CheckedOption(self, kIdAlign0, 3);
    c.invisibleEnabled = Checked(self, kIdInvisibleEnabled);
    c.invisible = GetScrollPos(GetDlgItem(self, kIdInvisible), SB_CTL);
    c.listTextColor = listTextColor_;
    c.gridLines = Checked(self, kIdLine);
    c.sizeColor = sizeColor_;
    c.initialDisp = CheckedOption(self, kIdInitialDisp0, 2);
    c.sizeDisp = CheckedOption(self, kIdSizeDisp0, 2);
    c.sizeSrc = CheckedOption(self, kIdSizeSrc0, 2);
    c.dummyColor = dummyColor_;
    return c;
}

void Frm_Setting::ShowPage(int page) {
    page_ = page;
    for (std::size_t i = 0; i < pages_.size(); ++i)
        for (HWND control : pages_[i]) ShowWindow(control, static_cast<int>(i) == page ? SW_SHOW : SW_HIDE);
}

void Frm_Setting::PickColor(int swatchId, std::int32_t& color) {
    if (const auto picked = shell_.PickColor(hwnd(), ResolveColor(color))) {
        color = static_cast<std::int32_t>(*picked & 0x00FFFFFFu);
        InvalidateRect(GetDlgItem(hwnd(), swatchId), nullptr, TRUE);
    }
}

void Frm_Setting::OnScroll(WORD code) {
    const HWND bar = GetDlgItem(hwnd(), kIdInvisible);
    SCROLLINFO info{sizeof(info), SIF_ALL};
    GetScrollInfo(bar, SB_CTL, &info);
    int position = info.nPos;
    switch (code) {
    case SB_LINELEFT:
        position -= 1;
        break;
    case SB_LINERIGHT:
        position += 1;
        break;
    case SB_PAGELEFT:
        position -= 16;
        break;
    case SB_PAGERIGHT:
        position += 16;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        position = info.nTrackPos;
        break;
    case SB_LEFT:
        position = 0;
        break;
    case SB_RIGHT:
        position = 255;
        break;
    default:
        return;
    }
    position = std::clamp(position, 0, 255);
    SetScrollPos(bar, SB_CTL, position, TRUE);
    // The dialog shows the opacity on itself while the bar moves, no fainter
    // than the main window would be: it must stay in sight to be closed.
    if (CanUseTranslucency()) {
        SetLayered(hwnd(), true);
        SetOpacity(hwnd(), static_cast<BYTE>(std::max(position, kLowestOpacity)));
    }
}

// A picture the list could not show is refused here, where the user can
// still choose another, rather than the list staying blank unexplained.
bool Frm_Setting::PictureShows(const std::wstring& background) {
    const wchar_t* problem = nullptr;
    UINT style = MB_OK | MB_ICONEXCLAMATION;
    switch (ReadBackgroundPicture(ResolvedAgainst(programFolder_, background)).problem) {
    case PictureProblem::None:
        return true;
    case PictureProblem::Missing:
        problem = kNoSuchPath;
        style = MB_OK;
        break;
    case PictureProblem::TooLarge:
        problem = kPictureTooLarge;
        break;
    case PictureProblem::Unreadable:
        problem = kUnreadablePicture;
        break;
    }
    shell_.Message(hwnd(), problem, kAppTitle, style);
    return false;
}

void Frm_Setting::Close(int result) {
    SetLayered(hwnd(), false);  // opaque again, whatever the preview left
    dirDrop_.reset();
    EndDialog(hwnd(), result);
}

bool Frm_Setting::OnCommand(int id, int code, HWND control) {
    const HWND self = hwnd();
    switch (id) {
    case kIdPage1:
    case kIdPage2:
    case kIdPage3:
        if (code == BN_CLICKED) ShowPage(id - kIdPage1);
        return true;
    case kIdDirBrowse:
    case kIdDirRefBrowse:
        if (const auto folder =
                shell_.BrowseForFolder(self, id == kIdDirBrowse ? kDownloadFolderTitle : kDefaultFolderTitle, 3, L""))
            SetDlgItemTextW(self, id == kIdDirBrowse ? kIdDir : kIdDirRef, folder->c_str());
        return true;
    case kIdBgBrowse:
        // Cancelling keeps the picture the field names.
        if (const auto file = shell_.ChooseFileToOpen(self, kOpenPictureTitle))
            SetDlgItemTextW(self, kIdBgFile, file->c_str());
        return true;
    case kIdInvisibleEnabled:
        EnableWindow(GetDlgItem(self, kIdInvisible), Checked(self, kIdInvisibleEnabled));
        return true;
    case kIdListTextColorPick:
        PickColor(kIdListTextColor, listTextColor_);
        return true;
    case kIdSizeColorPick:
        PickColor(kIdSizeColor, sizeColor_);
        return true;
    case kIdDummyColorPick:
        PickColor(kIdDummyColor, dummyColor_);
        return true;
    case kIdOk: {
        const SettingControls now = Read();
        const std::wstring dir = ResolvedAgainst(programFolder_, now.dir);
        // A blank download folder is allowed: it is the setting of one who
        // does not use the client.
        if (!Trimmed(now.dir).empty() && !FolderExists(dir)) {
            shell_.Message(self, kNoSuchPath, kAppTitle, MB_OK);
            return true;
        }
        // The settings file holds its values in the ANSI code page.
        if (!RepresentableInAnsi(now.dir) || !RepresentableInAnsi(now.dirRef) || !RepresentableInAnsi(now.background)) {
            shell_.Message(self, kUnstorablePath, kAppTitle, MB_OK | MB_ICONEXCLAMATION);
            return true;
        }
        // A picture kept from before is the user's business; a new one must show.
        if (now.background != shown_.background && !Trimmed(now.background).empty() && !PictureShows(now.background))
            return true;
        const Settings next = SettingsFromControls(settings_.Get(), shown_, now);
        settings_.Change(kSettingDialogKeys, [&](Settings& s) { s = next; });
        Close(IDOK);
        return true;
    }
    case kIdCancel:
        Close(IDCANCEL);
        return true;
    default:
        return ModalDialog::OnCommand(id, code, control);
    }
}

INT_PTR Frm_Setting::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_HSCROLL:
        if (reinterpret_cast<HWND>(lParam) == GetDlgItem(hwnd(), kIdInvisible)) {
            OnScroll(LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    case WM_CTLCOLORSTATIC: {
        const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        const std::int32_t* color = id == kIdListTextColor ? &listTextColor_
                                    : id == kIdSizeColor   ? &sizeColor_
                                    : id == kIdDummyColor  ? &dummyColor_
                                                           : nullptr;
        if (!color) return FALSE;
        auto& brush = swatchBrushes_[static_cast<std::size_t>(id == kIdListTextColor ? 0 : id == kIdSizeColor ? 1 : 2)];
        brush.reset(CreateSolidBrush(ResolveColor(*color)));
        return reinterpret_cast<INT_PTR>(brush.get());
    }
    case WM_DESTROY:
        dirDrop_.reset();
        return FALSE;
    default:
        return FALSE;
    }
}

DWORD Frm_Setting::OnDragOver(const DragData& data, POINT, DWORD, DWORD allowed) {
    // Only the path is taken: "moved" would let a source that moves by itself
    // delete the file.
    if (!data.paths || data.paths->empty()) return DROPEFFECT_NONE;
    return (allowed & DROPEFFECT_COPY)   ? DROPEFFECT_COPY
           : (allowed & DROPEFFECT_LINK) ? DROPEFFECT_LINK
                                         : DROPEFFECT_NONE;
}

DWORD Frm_Setting::OnDrop(const DragData& data, POINT client, DWORD keys, DWORD allowed) {
    const DWORD effect = OnDragOver(data, client, keys, allowed);
    // Nothing but a file or folder is taken; the box keeps its text otherwise.
    if (effect != DROPEFFECT_NONE) SetDlgItemTextW(hwnd(), kIdDir, data.paths->front().c_str());
    return effect;
}

}  // namespace orvane
