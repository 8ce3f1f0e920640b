// A private program folder for a test: its own "Qelt.ini" behind a settings
// store, and the shell and the program's dialogs scripted.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/code_page.h"
#include "platform/ini.h"
#include "platform/settings_store.h"
#include "support/temp_folder.h"

namespace orvane::test {

class ProgramFolderTest : public testing::Test {
protected:
    TempFolder folder;
    ClsIni ini;
    SettingsStore settings{ini};
    RecordingShell shell;
    ScriptedDialogs dialogs;

    ProgramFolderTest() { ini.IniName = folder / L"Qelt.ini"; }

    // The settings file as the user left it (UTF-16 here, stored as code page 932).
    void WriteSettings(const std::wstring& text) { WriteBytes(ini.IniName, ToAnsi(text)); }
};

}  // namespace orvane::test
