// The status bar's panel between the folder and the count: what a find
// matched and what is selected.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "core/file_list_model.h"

namespace orvane {

// A size as the file window states it: bytes below 1 KB, else three
// significant digits in KB, MB, GB or TB (cut, not rounded up).
std::wstring ShortSize(std::int64_t bytes, const TextFormat& format);

// "一致 7 件" while a find is on (matches given), "3 個の項目を選択 12.4 MB"
// while rows are selected, both when both hold; empty when neither does.
std::wstring SelectionStatus(std::optional<std::size_t> matches, std::size_t selected, std::int64_t selectedBytes,
                             const TextFormat& format);

}  // namespace orvane
