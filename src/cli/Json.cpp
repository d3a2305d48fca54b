#include "cli/Json.h"

#include <cmath>
#include <cstdio>

namespace quom::cli {
namespace {

// The length of the well-formed multi-byte UTF-8 sequence at the start of s (which begins
// with a byte of 0x80 or above), or 0 when there is none: no overlong forms, no
// surrogates, nothing beyond U+10FFFF.
std::size_t wellFormedLength(std::string_view s)
{
    const auto byte = [s](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned lead = byte(0);
    std::size_t length = 0;
    // The range the second byte must fall in, narrower after some leads.
    unsigned low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return 0;
    }
    if (s.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
    }
    return length;
}

void appendEscape(std::string& out, unsigned codeUnit)
{
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\u%04x", codeUnit);
    out += escaped;
}

} // namespace

std::string jsonString(std::string_view s)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < s.size();) {
        const char c = s[i];
        if (static_cast<unsigned char>(c) >= 0x80) {
            const std::size_t length = wellFormedLength(s.substr(i));
            if (length > 0) {
                out += s.substr(i, length);
                i += length;
            } else {
                // Byte 0xNN becomes U+DCNN, which no UTF-8 text holds, so the bytes can be had back.
                appendEscape(out, 0xDC00 + static_cast<unsigned char>(c));
                ++i;
            }
            continue;
        }
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20)
                appendEscape(out, static_cast<unsigned>(c));
            else
                out += c;
        }
        ++i;
    }
    out += '"';
    return out;
}

std::string jsonFloat(float v)
{
    if (!std::isfinite(v))
        return "null";
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(v));
    return text;
}

std::string jsonFloatArray(std::span<const float> values)
{
    std::string out = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            out += ',';
        out += jsonFloat(values[i]);
    }
    out += ']';
    return out;
}

} // namespace quom::cli
