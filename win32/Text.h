#pragma once

#include <string>
#include <string_view>

namespace taktora::platform::win32 {

// Conversions at the boundary between the UTF-8 texts of the program and the wide-character Windows calls. Every
// character is kept, embedded zero characters included; invalid sequences become U+FFFD instead of failing.
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
// Bytes in the system's ANSI code page, as other programs publish names.
std::wstring AnsiToWide(std::string_view text);

}  // namespace taktora::platform::win32
