// Test entry for the Windows build: a crash must fail the test even where
// the process would otherwise exit with 0.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "platform/com.h"

namespace {

LONG WINAPI EndOnCrash(EXCEPTION_POINTERS* info) {
    fprintf(stderr, "unhandled exception 0x%08lx\n", info ? info->ExceptionRecord->ExceptionCode : 0ul);
    fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
    SetUnhandledExceptionFilter(EndOnCrash);
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const orvane::OleSession ole;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
