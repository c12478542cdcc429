#pragma once
// Conversion between code page 1251 (the controller's and the files' texts)
// and Unicode, through the C library's iconv converter.
#include <QString>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace krv {

// Code page 1251 bytes to UTF-8. Every byte has a meaning except 0x98, which
// becomes U+FFFD.
std::string Utf8FromCp1251(std::string_view cp1251);
// UTF-8 to code page 1251. A character the code page lacks becomes '?'.
std::string Cp1251FromUtf8(std::string_view utf8);

QString FromCp1251(std::span<const std::uint8_t> bytes);
QString FromCp1251(std::string_view bytes);
std::string ToCp1251(const QString& text);

// The zero-terminated text of a fixed-width field: its bytes up to the first
// zero byte, at most the whole field.
std::string_view FieldText(std::span<const std::uint8_t> field);

} // namespace krv
