#pragma once

#include <span>
#include <string>
#include <string_view>

// The few JSON pieces the sub-commands print. Output is compact, one object per line.
namespace quom::cli {

// A quoted string with the characters JSON requires escaped. Bytes that are not part of
// well-formed UTF-8 (paths are bytes) are written as \udcNN for byte 0xNN, the
// surrogateescape convention, so the output always parses and the bytes can be recovered.
std::string jsonString(std::string_view s);

// %.9g, which reads back as the same float; null for infinities and NaN, which
// JSON cannot hold.
std::string jsonFloat(float v);

// [a,b,...] of jsonFloat values.
std::string jsonFloatArray(std::span<const float> values);

inline const char* jsonBool(bool v)
{
    return v ? "true" : "false";
}

} // namespace quom::cli
