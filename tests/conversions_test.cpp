#include "conversions.h"
#include "error.h"
#include "random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

rt::ErrorCode errorOf(auto&& operation) {
    try {
        operation();
    } catch (const rt::RuntimeError& error) {
        return error.code();
    }
    ADD_FAILURE() << "no run-time error";
    return rt::ErrorCode::internal;
}

TEST(TextToNumber, ReadsWhatNumberToTextWrites) {
    for (double value : {0.0, 1.0, 9.0, 10.0, 99999.0, -3.0, 0.5, 1e15, 9007199254740991.0, 1e-300})
        EXPECT_EQ(rt::textToNumber(rt::numberToText(value)), value) << value;
}

TEST(TextToNumber, AnythingElseIsATypeMismatchNotZero) {
    for (const char* text :
         {"", " 1", "1 ", "abc", "1,5", "+1", "0x10", "inf", "nan", "-", "1e", "١"}) {
        EXPECT_EQ(errorOf([&] { rt::textToNumber(text); }), rt::ErrorCode::typeMismatch) << text;
    }
    EXPECT_EQ(errorOf([] { rt::textToNumber("1e400"); }), rt::ErrorCode::overflow);
}

// Up to 2^53 - 1, the largest count whose successor a double still holds;
// from 2^53 on, where an increment can leave the count unchanged, no text.
TEST(NumberToText, WholeNumbersArePlainDigitsWhileExact) {
    struct Row {
        double value;
        const char* text;
    };
    for (Row row : {Row{0.0, "0"}, Row{-0.0, "0"}, Row{1.0, "1"}, Row{10.0, "10"},
                    Row{99999.0, "99999"}, Row{-7.0, "-7"}, Row{1e15, "1000000000000000"},
                    Row{9007199254740991.0, "9007199254740991"},
                    Row{-9007199254740991.0, "-9007199254740991"}, Row{0.25, "0.25"}})
        EXPECT_EQ(rt::numberToText(row.value), row.text);
    for (double value :
         {0x1p53, -0x1p53, 1e300, double(INFINITY), std::numeric_limits<double>::quiet_NaN()})
        EXPECT_EQ(errorOf([&] { rt::numberToText(value); }), rt::ErrorCode::overflow) << value;
}

TEST(ToInteger16, OutOfRangeNaNAndInfinityOverflow) {
    EXPECT_EQ(rt::toInteger16(1.0), 1);
    EXPECT_EQ(rt::toInteger16(6.0), 6);
    EXPECT_EQ(rt::toInteger16(32767.0), 32767);
    EXPECT_EQ(rt::toInteger16(-32768.0), -32768);
    EXPECT_EQ(rt::toInteger16(2.5), 2); // ties to even
    for (double value : {32767.5, 32768.0, -32769.0, 1e30, -1e30, double(INFINITY),
                         std::numeric_limits<double>::quiet_NaN()})
        EXPECT_EQ(errorOf([&] { rt::toInteger16(value); }), rt::ErrorCode::overflow) << value;
}

TEST(FloatingPointStatus, NaNIsInvalidAndInfinityOverflows) {
    EXPECT_NO_THROW(rt::checkFloatingPoint(6.0));
    EXPECT_EQ(errorOf([] { rt::checkFloatingPoint(std::nan("")); }),
              rt::ErrorCode::invalidFloatingPoint);
    EXPECT_EQ(errorOf([] { rt::checkFloatingPoint(-INFINITY); }), rt::ErrorCode::overflow);
}

TEST(Random, EdgesStayInsideZeroToOne) {
    EXPECT_EQ(rt::unitFloat(0), 0.0f);
    EXPECT_EQ(rt::unitFloat(0x100), 0x1p-24f);
    // The largest value: the largest float below 1, never 1 itself.
    EXPECT_EQ(rt::unitFloat(0xFFFFFFFF), std::nextafter(1.0f, 0.0f));
    rt::GeneratorRandom random(7);
    for (int i = 0; i < 100000; ++i) {
        float r = random.next();
        ASSERT_TRUE(r >= 0.0f && r < 1.0f) << r;
    }
}

} // namespace
