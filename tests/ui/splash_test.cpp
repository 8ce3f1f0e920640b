#include "ui/splash.h"

#include <gtest/gtest.h>

#include "app/startup.h"
#include "platform/program_version.h"
#include "platform/translucency.h"
#include "support/temp_folder.h"
#include "platform/controls.h"

namespace orvane {
namespace {

TEST(Splash, ShowsProductAndVersionFromTheVersionResource) {
    const ProgramVersion version = ReadProgramVersion();
    EXPECT_EQ(version.major, 0u);
    EXPECT_EQ(version.minor, 4u);
    EXPECT_EQ(version.revision, 0u);

    frm_Splash splash(version);
    splash.Load();
    ASSERT_TRUE(IsWindow(splash.hwnd()));
    EXPECT_FALSE(IsWindowVisible(splash.hwnd()));  // loaded, not yet shown
    EXPECT_EQ(WindowText(splash.lblVersion()), L"Ver. 0.40");
    EXPECT_EQ(WindowText(splash.lblProductName()), L"Orvane");
    EXPECT_EQ(WindowText(splash.lblStatus()), L"");
    EXPECT_FALSE(WindowText(splash.lblCompanyProduct()).empty());
}

TEST(Splash, FadeInMakesTheWindowLayeredAndEndsFullyOpaque) {
    ASSERT_TRUE(CanUseTranslucency());
    frm_Splash splash(ProgramVersion{0, 4, 0});
    splash.Load();
    ShowFadingIn(splash.hwnd());
    EXPECT_TRUE(IsWindowVisible(splash.hwnd()));
    EXPECT_EQ(GetWindowLongPtrW(splash.hwnd(), GWL_EXSTYLE), WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(splash.hwnd(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 255);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
}

TEST(Splash, ApplicationHelpFileIsTheBareNameOnlyWhenItExists) {
    test::TempFolder folder;
    EXPECT_EQ(AppHelpFileFor(folder.path()), L"");
    test::WriteBytes(folder / L"ZUROROZ030.HLP", "help");
    EXPECT_EQ(AppHelpFileFor(folder.path()), L"ZUROROZ030.HLP");
    // A folder given without its backslash is found the same way.
    EXPECT_EQ(AppHelpFileFor(folder.path().substr(0, folder.path().size() - 1)), L"ZUROROZ030.HLP");
}

}  // namespace
}  // namespace orvane
