#include "support/download_folder.h"

#include <cstdio>
#include <string>

#include "support/temp_folder.h"
#include "platform/code_page.h"

namespace orvane::test {

void MakeFile(const std::wstring& path, std::int64_t size, const SYSTEMTIME* localTime) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    LARGE_INTEGER end{};
    end.QuadPart = size;
    SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    if (localTime) {
        FILETIME local{}, utc{};
        SystemTimeToFileTime(localTime, &local);
        LocalFileTimeToFileTime(&local, &utc);
        SetFileTime(file, nullptr, nullptr, &utc);
    }
    CloseHandle(file);
}

void MakeDummy(const std::wstring& path, std::uint32_t sourceSize, unsigned char prefixLength, bool sizeSuffix) {
    std::string header(40, ' ');
    header.replace(0, 4, "*PLH");
    header[4] = 1;
    header[5] = header[6] = header[7] = 0;
    char digits[9] = {};
    std::snprintf(digits, sizeof(digits), "%08X", sourceSize);
    header.replace(8, 8, digits);
    header[34] = static_cast<char>(prefixLength);
    header[35] = sizeSuffix ? 1 : 0;
    WriteBytes(path, header);
}

void WriteAnsiText(const std::wstring& path, const std::wstring& text) { WriteBytes(path, ToAnsi(text)); }

}  // namespace orvane::test
