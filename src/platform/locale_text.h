// The user's locale for the file list: number and date formats, the
// case-insensitive collation, and upper-casing for the find bar.
#pragma once

#include "core/file_list_model.h"

namespace orvane {

class LocaleTextFormat final : public TextFormat {
public:
    LocaleTextFormat();
    std::wstring Number(std::int64_t value) const override;
    std::wstring Date(double days) const override;

private:
    std::wstring dateSeparator_ = L"/";
    std::wstring timeSeparator_ = L":";
};

class LocaleCollator final : public Collator {
public:
    std::string Key(std::wstring_view text) const override;
};

std::wstring UpperCaseText(std::wstring_view text);

}  // namespace orvane
