// The start-up window: logo, product name and version while the main window loads.
#pragma once

#include "core/version_text.h"
#include "platform/handles.h"
#include "platform/window.h"

namespace orvane {

class frm_Splash final : public Window {
public:
    explicit frm_Splash(const ProgramVersion& version);

    // Creates the window hidden and fills its labels.
    void Load();

    HWND imgLogo() const { return imgLogo_; }
    HWND lblStatus() const { return lblStatus_; }
    HWND lblVersion() const { return lblVersion_; }
    HWND lblProductName() const { return lblProductName_; }
    HWND lblCompanyProduct() const { return lblCompanyProduct_; }

private:
    HWND imgLogo_ = nullptr;
    HWND lblStatus_ = nullptr;
    HWND lblVersion_ = nullptr;
    HWND lblProductName_ = nullptr;
    HWND lblCompanyProduct_ = nullptr;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    ProgramVersion version_;
    UniqueFont font_;
    UniqueFont titleFont_;
    UniqueBitmap logo_;
};

}  // namespace orvane
