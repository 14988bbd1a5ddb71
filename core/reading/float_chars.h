#pragma once

// Conversions between doubles and decimal text that give the same bytes in
// every build. Where the standard library has no floating-point to_chars
// and from_chars (LLVM 14's libc++, which the WebAssembly build uses), the
// C library's printf, which converts exactly, fmt, whose shortest form is
// to_chars' (both Ryu-like, the nearest of the shortest), and fast_float,
// which reads correctly rounded as from_chars does, stand in.

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <system_error>
#include <version>

#if !defined(__cpp_lib_to_chars)
#include <fast_float/fast_float.h>
#define FMT_HEADER_ONLY
#include <fmt/format.h>
#endif

namespace quorvex {

#if !defined(__cpp_lib_to_chars)
/// printf's text of x in format, cut to [first, last).
inline std::to_chars_result printfChars(char* first, char* last, const char* format, double x) {
    const int n = std::snprintf(first, static_cast<std::size_t>(last - first), format, x);
    if (n < 0 || n >= last - first) return {last, std::errc::value_too_large};
    return {first + n, std::errc()};
}
#endif

/// The shortest scientific text that reads back as x, as to_chars gives it
/// ("1.5e+00", "-2e-07").
inline std::to_chars_result shortestScientific(char* first, char* last, double x) {
#if defined(__cpp_lib_to_chars)
    return std::to_chars(first, last, x, std::chars_format::scientific);
#else
    // fmt writes the shortest digits in fixed or exponent form, whichever
    // is shorter; they are laid out again as to_chars' scientific form.
    char general[40];
    const char* end = fmt::format_to(general, "{}", x);
    char digits[24] = {};
    int count = 0;
    int beforePoint = -1;
    int exponent = 0;
    bool negative = false;
    for (const char* p = general; p != end; ++p) {
        if (*p == '-') negative = true;
        else if (*p == '.') beforePoint = count;
        else if (*p == 'e') {
            std::from_chars(p + 1 + (p[1] == '+'), end, exponent);
            break;
        } else if (count < 24) digits[count++] = *p;
    }
    if (beforePoint < 0) beforePoint = count;
    int lead = 0;
    while (lead < count - 1 && digits[lead] == '0') ++lead;
    while (count > lead + 1 && digits[count - 1] == '0') --count;
    exponent += beforePoint - 1 - lead;
    char text[48];
    char* out = text;
    if (negative) *out++ = '-';
    *out++ = digits[lead];
    if (count > lead + 1) {
        *out++ = '.';
        for (int i = lead + 1; i < count; ++i) *out++ = digits[i];
    }
    *out++ = 'e';
    *out++ = exponent < 0 ? '-' : '+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10) *out++ = '0';
    out = std::to_chars(out, text + sizeof text, magnitude).ptr;
    const auto size = out - text;
    if (size > last - first) return {last, std::errc::value_too_large};
    std::copy(text, out, first);
    return {first + size, std::errc()};
#endif
}

/// The text of x in `format` (general or scientific) with `precision`
/// digits, as printf's "%.{precision}g" or "%.{precision}e" writes it.
inline std::to_chars_result precisionChars(char* first, char* last, double x,
                                           std::chars_format format, int precision) {
#if defined(__cpp_lib_to_chars)
    return std::to_chars(first, last, x, format, precision);
#else
    char conversion[8];
    std::snprintf(conversion, sizeof conversion, "%%.%d%c", precision,
                  format == std::chars_format::scientific ? 'e' : 'g');
    return printfChars(first, last, conversion, x);
#endif
}

/// Reads a double as from_chars does, correctly rounded.
inline std::from_chars_result readDouble(const char* first, const char* last, double& value,
                                         std::chars_format format) {
#if defined(__cpp_lib_to_chars)
    return std::from_chars(first, last, value, format);
#else
    const fast_float::chars_format f = format == std::chars_format::scientific
                                           ? fast_float::chars_format::scientific
                                           : fast_float::chars_format::general;
    const auto r = fast_float::from_chars(first, last, value, f);
    return {r.ptr, r.ec};
#endif
}

} // namespace quorvex
