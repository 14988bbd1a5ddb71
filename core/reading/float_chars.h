#pragma once

// Conversions between doubles and decimal text that give the same bytes in
// every build. Where the standard library has no floating-point to_chars
// and from_chars (LLVM 14's libc++, which the WebAssembly build uses), the
// C library's printf, which converts exactly, and fast_float, which reads
// correctly rounded as from_chars does, stand in.

#include <charconv>
#include <cstdio>
#include <system_error>
#include <version>

#if !defined(__cpp_lib_to_chars)
#include <fast_float/fast_float.h>
#endif

namespace quorvex {

#if !defined(__cpp_lib_to_chars)
/// printf's text of x in format, cut to [first, last).
inline std::to_chars_result precisionChars(char* first, char* last, const char* format, double x) {
    const int n = std::snprintf(first, static_cast<std::size_t>(last - first), format, x);
    if (n < 0 || n >= last - first) return {last, std::errc::value_too_large};
    return {first + n, std::errc()};
}
#endif

/// The shortest scientific text that reads back as x, as to_chars gives it;
/// without to_chars, the 17-digit text, which sends writers that want at
/// most 15 digits down their precise route.
inline std::to_chars_result shortestScientific(char* first, char* last, double x) {
#if defined(__cpp_lib_to_chars)
    return std::to_chars(first, last, x, std::chars_format::scientific);
#else
    return precisionChars(first, last, "%.16e", x);
#endif
}

/// The text of x with `precision` significant digits, as "%.{precision}g"
/// writes it.
inline std::to_chars_result generalChars(char* first, char* last, double x, int precision) {
#if defined(__cpp_lib_to_chars)
    return std::to_chars(first, last, x, std::chars_format::general, precision);
#else
    char format[8];
    std::snprintf(format, sizeof format, "%%.%dg", precision);
    return precisionChars(first, last, format, x);
#endif
}

/// The text of x with `precision` digits after the point of a scientific
/// mantissa, as "%.{precision}e" writes it.
inline std::to_chars_result scientificChars(char* first, char* last, double x, int precision) {
#if defined(__cpp_lib_to_chars)
    return std::to_chars(first, last, x, std::chars_format::scientific, precision);
#else
    char format[8];
    std::snprintf(format, sizeof format, "%%.%de", precision);
    return precisionChars(first, last, format, x);
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
