// Conversion between the program's UTF-8 texts and Shift JIS (code page 932),
// the encoding of files that carry Japanese text. Uses the C library's iconv.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tavimo::shell {

enum class Cp932Status {
    Ok,
    InvalidInput, // a byte sequence that is malformed or has no twin in the target
    NoConverter,  // the C library offers no CP932 converter
};

struct Cp932Conversion {
    Cp932Status status = Cp932Status::NoConverter;
    std::string text;            // the converted bytes when status is Ok
    std::size_t errorOffset = 0; // InvalidInput: byte offset in the input of the
                                 // first byte that could not be converted

    bool ok() const { return status == Cp932Status::Ok; }
};

// UTF-8 to CP932. Fails on malformed UTF-8 and on characters CP932 lacks.
// Characters that CP932 writes with a near twin (U+301C wave dash as
// 0x8160, the yen sign as 0x5C) are converted the way Windows does.
Cp932Conversion toCp932(std::string_view utf8);
// CP932 to UTF-8. Fails on bytes that are no CP932 character, including a
// lead byte cut off at the end.
Cp932Conversion fromCp932(std::string_view cp932);

std::optional<std::string> utf8ToCp932(std::string_view utf8);
std::optional<std::string> cp932ToUtf8(std::string_view cp932);

} // namespace tavimo::shell
