// The real dialogs of the program, handed to the windows that open them.
#pragma once

#include <string>

#include "core/version_text.h"
#include "ui/program_dialogs.h"
#include "platform/shell_ui.h"

namespace orvane {

class RealProgramDialogs final : public ProgramDialogs {
public:
    // The shell serves the dialogs' own browse and open requests.
    RealProgramDialogs(ShellUi& shell, std::wstring programFolder, const ProgramVersion& version,
                       std::wstring webAddress);

    void EditRegisteredFolder(HWND owner, std::wstring& RefName, std::wstring& RefDir) override;
    void ShowVersion(HWND owner) override;
    void EditSettings(HWND owner, SettingsStore& settings) override;

private:
    ShellUi& shell_;
    std::wstring programFolder_;
    ProgramVersion version_;
    std::wstring webAddress_;
};

}  // namespace orvane
