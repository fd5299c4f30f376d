#pragma once

#include "core/classroom/fileproblem.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The JSON of the classroom files, read strictly and written in one canonical
// form, so that a checksum over the canonical bytes means the same on every
// machine. Objects keep their keys in a std::map, which orders them by byte,
// the same order as by code point for UTF-8.
//
// Strict reading refuses what two readers could take differently or what no
// file of ours holds: invalid UTF-8, a key given twice in one object, a number
// with a fraction or an exponent or beyond ±2^53 (where doubles stop holding
// every integer), nesting deeper than MaxJsonDepth, more than
// MaxClassFileBytes. Comments are not JSON and are refused too.
//
// The canonical form: no whitespace outside strings; object keys in byte
// order; integers in plain decimal; strings as raw UTF-8 with only `"`, `\`
// and U+0000..U+001F escaped (\b \f \n \r \t, the others as \u00xx in
// lowercase hexadecimal).

constexpr std::size_t MaxClassFileBytes = std::size_t{16} << 20;
constexpr int MaxJsonDepth = 64;
constexpr std::int64_t MaxJsonInteger = std::int64_t{1} << 53;

struct StrictJson {
    nlohmann::json value;
    ClassFileProblem problem;  // None when the bytes were read
};

StrictJson ParseStrictJson(std::string_view bytes);

// The offset of the first byte that does not belong to a well-formed UTF-8
// character (overlong forms and surrogates are not), or npos when all do.
std::size_t FirstInvalidUtf8(std::string_view bytes);
// The length of the well-formed UTF-8 character at text[at]; 0 when none
// starts there or at is past the end.
std::size_t Utf8CharLength(std::string_view text, std::size_t at);

// The canonical bytes of a value. A value built in code may hold what strict
// reading never gives; it is written so that the result still reads: a byte
// that is not UTF-8 as U+FFFD, a fraction rounded and any number clamped to
// ±2^53, a binary value as null.
std::string CanonicalJson(const nlohmann::json &value);

// SHA-256 of the bytes as 64 lowercase hexadecimal digits (OpenSSL's
// libcrypto); empty only if libcrypto fails.
std::string Sha256Hex(std::string_view bytes);
