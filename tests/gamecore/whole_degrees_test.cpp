// The rules' whole-degree sines and cosines: glibc's bits, kept whatever the C library.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "gamecore/whole_degrees.h"
#include "tolm2/error.h"

namespace {

uint64_t bits(double value) {
    uint64_t out = 0;
    std::memcpy(&out, &value, sizeof out);
    return out;
}

}  // namespace

TEST(WholeDegrees, AreTheCLibraryBitsAndStayPinned) {
#ifdef __GLIBC__
    constexpr double PI = 3.14159265358979323846;
    for (int32_t d = -360; d <= 360; ++d) {
        ASSERT_EQ(bits(degreeSin(d)), bits(std::sin(d / 180.0 * PI))) << d;
        ASSERT_EQ(bits(degreeCos(d)), bits(std::cos(d / 180.0 * PI))) << d;
    }
#endif
    const struct { int32_t degrees; uint64_t sine, cosine; } pinned[] = {
        {30, 0x3fdfffffffffffff, 0x3febb67ae8584cab},
        {90, 0x3ff0000000000000, 0x3c91a62633145c07},
        {-135, 0xbfe6a09e667f3bcd, 0xbfe6a09e667f3bcc},
        {359, 0xbf91df0b2b89dd2c, 0x3feffec097f5af8a}};
    for (const auto& p : pinned) {
        EXPECT_EQ(bits(degreeSin(p.degrees)), p.sine) << p.degrees;
        EXPECT_EQ(bits(degreeCos(p.degrees)), p.cosine) << p.degrees;
    }
    EXPECT_THROW(degreeSin(361), TolmError);
    EXPECT_THROW(degreeCos(-361), TolmError);
}
