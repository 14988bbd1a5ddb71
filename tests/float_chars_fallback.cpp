// The WebAssembly build's conversions (printf, fmt and fast_float in place
// of floating-point to_chars and from_chars) must give the bytes the native
// build's give. Built without the core, whose number writer uses the native
// conversions: here the fallbacks are compiled and held against them.
#include <charconv>
#include <version>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace native {
std::string scientific(double x) {
    char buf[64];
    return {buf, std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific).ptr};
}
std::string precise(double x, std::chars_format f, int p) {
    char buf[400];
    return {buf, std::to_chars(buf, buf + sizeof buf, x, f, p).ptr};
}
double read(const std::string& s) {
    double v = 0;
    std::from_chars(s.data(), s.data() + s.size(), v);
    return v;
}
} // namespace native

#undef __cpp_lib_to_chars
#include "reading/float_chars.h"

#include <gtest/gtest.h>

namespace {

std::string fallbackScientific(double x) {
    char buf[64];
    return {buf, quorvex::shortestScientific(buf, buf + sizeof buf, x).ptr};
}

std::string fallbackPrecise(double x, std::chars_format f, int p) {
    char buf[400];
    return {buf, quorvex::precisionChars(buf, buf + sizeof buf, x, f, p).ptr};
}

/// Random bit patterns (every exponent) and decimals as students type them.
std::vector<double> samples() {
    std::vector<double> xs = {0.0,
                              -0.0,
                              1.0,
                              0.1,
                              100.0,
                              1e22,
                              1e23,
                              5e-324,
                              2.2250738585072014e-308,
                              1.7976931348623157e308,
                              1e-5,
                              0.001,
                              1e15,
                              9.5,
                              -3.25e-7,
                              123456789012345680.0};
    std::mt19937_64 g(2026);
    while (xs.size() < 200000) {
        double x;
        const std::uint64_t bits = g();
        std::memcpy(&x, &bits, sizeof x);
        if (std::isfinite(x)) xs.push_back(x);
        const auto digits = static_cast<double>(g() % 2000000001) - 1e9;
        xs.push_back(digits / std::pow(10.0, static_cast<double>(g() % 12)));
    }
    return xs;
}

TEST(FloatCharsFallback, WritesAndReadsTheNativeBytes) {
    int precision = 0;
    for (const double x : samples()) {
        const std::string shortest = native::scientific(x);
        ASSERT_EQ(fallbackScientific(x), shortest);
        ASSERT_EQ(fallbackPrecise(x, std::chars_format::general, 15),
                  native::precise(x, std::chars_format::general, 15));
        precision = (precision + 7) % 17;
        ASSERT_EQ(fallbackPrecise(x, std::chars_format::scientific, precision),
                  native::precise(x, std::chars_format::scientific, precision));
        double back = 0;
        quorvex::readDouble(shortest.data(), shortest.data() + shortest.size(), back,
                            std::chars_format::general);
        ASSERT_EQ(back, native::read(shortest)) << shortest;
    }
}

} // namespace
