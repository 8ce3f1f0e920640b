#include "app/real_program_dialogs.h"

#include <utility>

#include "ui/frm_pathmod.h"
#include "ui/frm_setting.h"
#include "ui/frm_ver.h"

namespace orvane {

RealProgramDialogs::RealProgramDialogs(ShellUi& shell, std::wstring programFolder, const ProgramVersion& version,
                                       std::wstring webAddress)
    : shell_(shell), programFolder_(std::move(programFolder)), version_(version), webAddress_(std::move(webAddress)) {}

void RealProgramDialogs::EditRegisteredFolder(HWND owner, std::wstring& RefName, std::wstring& RefDir) {
    Frm_PathMod dialog(shell_, RefName, RefDir);
    dialog.Show(owner);
}

void RealProgramDialogs::ShowVersion(HWND owner) {
    Frm_Ver dialog(shell_, programFolder_, version_, webAddress_);
    dialog.Show(owner);
}

void RealProgramDialogs::EditSettings(HWND owner, SettingsStore& settings) {
    Frm_Setting dialog(shell_, settings, programFolder_);
    dialog.Show(owner);
}

}  // namespace orvane
