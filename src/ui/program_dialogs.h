// The program's own modal dialogs as their callers see them: the program
// shows the real ones, tests give scripted ones.
#pragma once

#include <windows.h>

#include <string>

#include "platform/settings_store.h"

namespace orvane {

class ProgramDialogs {
public:
    virtual ~ProgramDialogs() = default;

    // The registered-folder dialog: opens with RefName and RefDir and leaves
    // the user's name and folder in them ("キャンセル" empties RefName).
    virtual void EditRegisteredFolder(HWND owner, std::wstring& RefName, std::wstring& RefDir) = 0;

    // The version dialog; returns when it is closed.
    virtual void ShowVersion(HWND owner) = 0;

    // The settings dialog; returns when it is closed. "ＯＫ" has changed the
    // dialog's settings through the store.
    virtual void EditSettings(HWND owner, SettingsStore& settings) = 0;
};

}  // namespace orvane
