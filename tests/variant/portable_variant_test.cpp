#include "setuplib/portable_variant.h"
#include "tests/variant/variant_testing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace driversetup::testing {
namespace {

using namespace portable;

struct Case {
    const char* name;
    Variant value;
    Outcome expected;
};

void ExpectAll(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        EXPECT_EQ(PortableToInt16(c.value), c.expected) << c.name;
    }
}

Variant Reference(VARTYPE type, void* content) {
    Variant value;
    VariantInit(&value);
    value.vt = static_cast<VARTYPE>(VT_BYREF | type);
    value.byref = content;
    return value;
}

Variant Decimal(std::uint8_t scale, std::uint8_t sign, std::uint32_t high, std::uint64_t low) {
    Variant value;
    StoreDecimal(&value, {0, scale, sign, high, low});
    return value;
}

TEST(PortableVariantToInt16, EmptyIsZero) {
    Variant empty;
    VariantInit(&empty);
    EXPECT_EQ(PortableToInt16(empty), Converts(0));
}

TEST(PortableVariantToInt16, IntegersAreRangeCheckedExceptTheSameSizedUnsigned) {
    ExpectAll({
        {"I1 -128", Holding<std::int8_t>(VT_I1, -128), Converts(-128)},
        {"UI1 255", Holding<std::uint8_t>(VT_UI1, 255), Converts(255)},
        {"I2 -32768", Holding<std::int16_t>(VT_I2, -32768), Converts(-32768)},
        {"UI2 32767", Holding<std::uint16_t>(VT_UI2, 32767), Converts(32767)},
        {"UI2 32768 keeps its bits", Holding<std::uint16_t>(VT_UI2, 32768), Converts(-32768)},
        {"UI2 65535 keeps its bits", Holding<std::uint16_t>(VT_UI2, 65535), Converts(-1)},
        {"I4 32767", Holding<std::int32_t>(VT_I4, 32767), Converts(32767)},
        {"I4 32768", Holding<std::int32_t>(VT_I4, 32768), kOverflow},
        {"I4 -32769", Holding<std::int32_t>(VT_I4, -32769), kOverflow},
        {"INT -32768", Holding<std::int32_t>(VT_INT, -32768), Converts(-32768)},
        {"INT 65536", Holding<std::int32_t>(VT_INT, 65536), kOverflow},
        {"UI4 32768", Holding<std::uint32_t>(VT_UI4, 32768), kOverflow},
        {"UINT 4294967295", Holding<std::uint32_t>(VT_UINT, 4294967295U), kOverflow},
        {"UINT 7", Holding<std::uint32_t>(VT_UINT, 7), Converts(7)},
        {"I8 -32768", Holding<std::int64_t>(VT_I8, -32768), Converts(-32768)},
        {"I8 smallest", Holding(VT_I8, std::numeric_limits<std::int64_t>::min()), kOverflow},
        {"UI8 32767", Holding<std::uint64_t>(VT_UI8, 32767), Converts(32767)},
        {"UI8 largest", Holding(VT_UI8, std::numeric_limits<std::uint64_t>::max()), kOverflow},
    });
}

TEST(PortableVariantToInt16, RealsAndDatesRoundHalvesToEvenWithinTheHalfOpenRange) {
    constexpr double infinity = std::numeric_limits<double>::infinity();
    ExpectAll({
        {"R8 2.5", Holding(VT_R8, 2.5), Converts(2)},
        {"R8 3.5", Holding(VT_R8, 3.5), Converts(4)},
        {"R8 -2.5", Holding(VT_R8, -2.5), Converts(-2)},
        {"R8 -3.5", Holding(VT_R8, -3.5), Converts(-4)},
        {"R8 -0.5", Holding(VT_R8, -0.5), Converts(0)},
        {"R8 2.5000000000000004", Holding(VT_R8, 2.5000000000000004), Converts(3)},
        {"R8 0.49999999999999994", Holding(VT_R8, 0.49999999999999994), Converts(0)},
        {"R8 32767.499", Holding(VT_R8, 32767.499), Converts(32767)},
        {"R8 32767.5", Holding(VT_R8, 32767.5), kOverflow},
        {"R8 -32768.5", Holding(VT_R8, -32768.5), Converts(-32768)},
        {"R8 -32768.500000000004", Holding(VT_R8, -32768.500000000004), kOverflow},
        {"R8 infinity", Holding(VT_R8, infinity), kOverflow},
        {"R8 -infinity", Holding(VT_R8, -infinity), kOverflow},
        {"R8 NaN (the 64-bit platform's answer)",
         Holding(VT_R8, std::numeric_limits<double>::quiet_NaN()), Converts(-1)},
        {"R4 1.5", Holding(VT_R4, 1.5F), Converts(2)},
        {"R4 32767.5", Holding(VT_R4, 32767.5F), kOverflow},
        {"R4 -32768.5", Holding(VT_R4, -32768.5F), Converts(-32768)},
        {"DATE 0.5", Holding(VT_DATE, 0.5), Converts(0)},
        {"DATE 45000.25", Holding(VT_DATE, 45000.25), kOverflow},
    });
}

TEST(PortableVariantToInt16, CurrencyRoundsExactlyToEven) {
    ExpectAll({
        {"CY 2.5", Holding<std::int64_t>(VT_CY, 25000), Converts(2)},
        {"CY 3.5", Holding<std::int64_t>(VT_CY, 35000), Converts(4)},
        {"CY -2.5", Holding<std::int64_t>(VT_CY, -25000), Converts(-2)},
        {"CY 0.5001", Holding<std::int64_t>(VT_CY, 5001), Converts(1)},
        {"CY -0.4999", Holding<std::int64_t>(VT_CY, -4999), Converts(0)},
        {"CY 32767.4999", Holding<std::int64_t>(VT_CY, 327674999), Converts(32767)},
        {"CY 32767.5", Holding<std::int64_t>(VT_CY, 327675000), kOverflow},
        {"CY -32768.5", Holding<std::int64_t>(VT_CY, -327685000), Converts(-32768)},
        {"CY -32768.5001", Holding<std::int64_t>(VT_CY, -327685001), kOverflow},
        {"CY smallest", Holding(VT_CY, std::numeric_limits<std::int64_t>::min()), kOverflow},
    });
}

TEST(PortableVariantToInt16, BooleansGiveTheStoredBits) {
    ExpectAll({
        {"true", Holding(VT_BOOL, VARIANT_TRUE), Converts(-1)},
        {"false", Holding(VT_BOOL, VARIANT_FALSE), Converts(0)},
        {"5", Holding<std::int16_t>(VT_BOOL, 5), Converts(5)},
    });
}

TEST(PortableVariantToInt16, DecimalsAreIntegersOrScaledReals) {
    ExpectAll({
        {"-32768", Decimal(0, 0x80, 0, 32768), Converts(-32768)},
        {"32768", Decimal(0, 0x00, 0, 32768), kOverflow},
        {"327.67", Decimal(2, 0x00, 0, 32767), Converts(328)},
        {"-32768.00", Decimal(2, 0x80, 0, 3276800), Converts(-32768)},
        {"32768.00", Decimal(2, 0x00, 0, 3276800), kOverflow},
        {"2.5", Decimal(1, 0x00, 0, 25), Converts(2)},
        {"-3.5", Decimal(1, 0x80, 0, 35), Converts(-4)},
        {"2^64", Decimal(0, 0x00, 1, 0), kOverflow},
        {"2^63", Decimal(0, 0x00, 0, 1ULL << 63), kOverflow},
        {"scale 29", Decimal(29, 0x00, 0, 1), kTypeMismatch},
        {"sign 0x01", Decimal(1, 0x01, 0, 5), kTypeMismatch},
    });
}

TEST(PortableVariantToInt16, TextIsReadAsAnEnglishNumber) {
    struct TextCase {
        std::wstring text;
        Outcome expected;
    };
    const TextCase cases[] = {
        // digits and range
        {L"0", Converts(0)},
        {L"007", Converts(7)},
        {L"32767", Converts(32767)},
        {L"-32768", Converts(-32768)},
        {L"32768", kOverflow},
        {L"-32769", kOverflow},
        // white space
        {L" \t12\r\n ", Converts(12)},
        {L"\u00a012\u3000", Converts(12)},
        {L"\u200b12", kTypeMismatch},
        {L"1 2", kTypeMismatch},
        // signs, leading, trailing or parentheses
        {L"+5", Converts(5)},
        {L"5-", Converts(-5)},
        {L"5+", Converts(5)},
        {L"+-5", Converts(-5)},
        {L"--5", kTypeMismatch},
        {L"-5-", kTypeMismatch},
        {L"(5)", Converts(-5)},
        {L"(-5)", Converts(-5)},
        {L"(5", kTypeMismatch},
        // currency symbol
        {L"$5", Converts(5)},
        {L"5$", Converts(5)},
        {L"$-5", Converts(-5)},
        {L"$1e2", kTypeMismatch},
        // thousands separators, after the first digit only
        {L"32,767", Converts(32767)},
        {L"3,2767", Converts(32767)},
        {L"5,", Converts(5)},
        {L",5", kTypeMismatch},
        // decimal point
        {L"2.5", Converts(2)},
        {L"3.5", Converts(4)},
        {L"-2.5", Converts(-2)},
        {L".6", Converts(1)},
        {L"1.", Converts(1)},
        {L"32767.5", kOverflow},
        {L"-32768.5", Converts(-32768)},
        {L"0.06", Converts(1)}, // the platform rounds on the first significant digit
        {L"1.2.3", kTypeMismatch},
        // exponent
        {L"3.2767E4", Converts(32767)},
        {L"15e-1", Converts(2)},
        {L"25e-1", Converts(2)},
        {L"1e2-", Converts(-100)},
        {L"1e5", kOverflow},
        {L"1e", kTypeMismatch},
        {L"1e4294967297", Converts(10)}, // the exponent wraps as the platform's int does
        // hexadecimal and octal keep their 16 bits and take no sign
        {L"&H7FFF", Converts(32767)},
        {L"&HFFFF", Converts(-1)},
        {L"&h8000", Converts(-32768)},
        {L"&H10000", kOverflow},
        {L"-&H10", Converts(16)},
        {L"&O17", Converts(15)},
        {L"&O8", kTypeMismatch},
        {L"&H", kTypeMismatch},
        // anything else
        {L"", kTypeMismatch},
        {L"12x", kTypeMismatch},
        {L"TRUE", kTypeMismatch},
        {std::wstring(L"12\0x", 4), Converts(12)}, // the text ends at the first NUL
        // more digits than the platform keeps
        {std::wstring(1025, L'0') + L"7", Converts(7)},
        {L"0." + std::wstring(2000, L'0') + L"6", Converts(1)},
        {L"&H" + std::wstring(1025, L'F'), kOverflow},
    };
    for (const TextCase& c : cases) {
        Variant value;
        VariantInit(&value);
        value.vt = VT_BSTR;
        value.bstrVal = SysAllocString(c.text);
        EXPECT_EQ(PortableToInt16(value), c.expected) << ::testing::PrintToString(c.text);
        VariantClear(&value);
    }
    Variant null;
    VariantInit(&null);
    null.vt = VT_BSTR;
    EXPECT_EQ(PortableToInt16(null), kTypeMismatch) << "null text";
}

TEST(PortableVariantToInt16, ReferencesConvertWhatTheyPointTo) {
    std::int8_t i1 = -5;
    std::uint16_t ui2 = 65535;
    std::int32_t i4 = 40000;
    std::int16_t i2 = 9;
    double r8 = 2.5;
    float r4 = 3.5F;
    std::int64_t cy = 25000;
    std::int16_t boolean = VARIANT_TRUE;
    wchar_t* text = SysAllocString(L" 42 ");
    wchar_t* noText = nullptr;
    DECIMAL decimal{0, 1, 0x80, 0, 35};
    Variant number = Holding<std::int32_t>(VT_I4, -7);
    Variant toNumber = Reference(VT_I2, &i2);
    Variant toVariant = Reference(VT_VARIANT, &number);
    Variant empty;
    VariantInit(&empty);
    ExpectAll({
        {"I1", Reference(VT_I1, &i1), Converts(-5)},
        {"UI2", Reference(VT_UI2, &ui2), Converts(-1)},
        {"I4", Reference(VT_I4, &i4), kOverflow},
        {"R8", Reference(VT_R8, &r8), Converts(2)},
        {"R4", Reference(VT_R4, &r4), Converts(4)},
        {"CY", Reference(VT_CY, &cy), Converts(2)},
        {"BOOL", Reference(VT_BOOL, &boolean), Converts(-1)},
        {"BSTR", Reference(VT_BSTR, &text), Converts(42)},
        {"null BSTR", Reference(VT_BSTR, &noText), kTypeMismatch},
        {"DECIMAL", Reference(VT_DECIMAL, &decimal), Converts(-4)},
        {"VARIANT holding I4", Reference(VT_VARIANT, &number), Converts(-7)},
        {"VARIANT holding EMPTY", Reference(VT_VARIANT, &empty), Converts(0)},
        {"VARIANT holding a reference", Reference(VT_VARIANT, &toNumber), Converts(9)},
        {"VARIANT holding a VARIANT reference", Reference(VT_VARIANT, &toVariant), kTypeMismatch},
        {"nowhere", Reference(VT_I2, nullptr), kTypeMismatch},
        {"EMPTY", Reference(VT_EMPTY, &i2), kTypeMismatch},
    });
    SysFreeString(text);
}

TEST(PortableVariantToInt16, OtherTypesAndFlagsAreTypeMismatches) {
    std::int16_t i2 = 1;
    Variant array = Holding<std::int16_t>(VT_I2, 1);
    array.vt = VT_I2 | VT_ARRAY;
    Variant arrayReference = Reference(VT_I2 | VT_ARRAY, &i2);
    ExpectAll({
        {"NULL", Holding<std::int64_t>(VT_NULL, 0), kTypeMismatch},
        {"ERROR", Holding<std::int32_t>(VT_ERROR, 0), kTypeMismatch},
        {"DISPATCH", Holding<void*>(VT_DISPATCH, nullptr), kTypeMismatch},
        {"UNKNOWN", Holding<void*>(VT_UNKNOWN, nullptr), kTypeMismatch},
        {"VARIANT by value", Holding<std::int64_t>(VT_VARIANT, 0), kTypeMismatch},
        {"tag 15", Holding<std::int64_t>(15, 0), kTypeMismatch},
        {"tag 0xFFF", Holding<std::int64_t>(0xFFF, 0), kTypeMismatch},
        {"ARRAY", array, kTypeMismatch},
        {"ARRAY by reference", arrayReference, kTypeMismatch},
        {"VECTOR", Holding<std::int16_t>(VT_I2 | VT_VECTOR, 1), kTypeMismatch},
        {"RESERVED", Holding<std::int16_t>(VT_I2 | VT_RESERVED, 1), kTypeMismatch},
    });
}

// Under the sanitizers a leak or a second free of the text fails these.
TEST(PortableVariantText, ClearFreesTheTextOnceAndEmptiesTheValue) {
    Variant value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocString(L"12");
    EXPECT_EQ(PortableToInt16(value), Converts(12));
    EXPECT_EQ(std::wstring(value.bstrVal), L"12") << "the coercion leaves the text alone";
    VariantClear(&value);
    EXPECT_EQ(value.vt, VT_EMPTY);
    EXPECT_EQ(value.bstrVal, nullptr);
    VariantClear(&value); // nothing left to free
}

TEST(PortableVariantText, ClearLeavesReferencedTextToItsOwner) {
    wchar_t* text = SysAllocString(L"12");
    Variant reference = Reference(VT_BSTR, &text);
    VariantClear(&reference);
    EXPECT_EQ(reference.vt, VT_EMPTY);
    EXPECT_EQ(std::wstring(text), L"12");
    SysFreeString(text);
}

} // namespace
} // namespace driversetup::testing
