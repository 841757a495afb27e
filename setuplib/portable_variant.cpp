#include "setuplib/portable_variant.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

// The coercion rules are the platform's, down to its quirks, so that a value converts the same
// on every platform. Where the platform's own result is accidental, the comment says so.

namespace driversetup::portable {
namespace {

constexpr std::int64_t kSmallest = -32768;
constexpr std::int64_t kLargest = 32767;

template <typename T> T Read(const void* content) {
    T value;
    std::memcpy(&value, content, sizeof value);
    return value;
}

Coercion FromInteger(std::int64_t number, std::int16_t& result) {
    if (number < kSmallest || number > kLargest) {
        return Coercion::Overflow;
    }
    result = static_cast<std::int16_t>(number);
    return Coercion::Ok;
}

Coercion FromUnsigned(std::uint64_t number, std::int16_t& result) {
    if (number > static_cast<std::uint64_t>(kLargest)) {
        return Coercion::Overflow;
    }
    result = static_cast<std::int16_t>(number);
    return Coercion::Ok;
}

// Nearest integer, halves to the even one; the range is [-32768.5, 32767.5).
Coercion FromDouble(double number, std::int16_t& result) {
    if (number < kSmallest - 0.5 || number >= kLargest + 0.5) {
        return Coercion::Overflow;
    }
    if (std::isnan(number)) {
        // NaN has no integer; the platform's answer is what an invalid conversion gives: -1 in
        // its 64-bit code (32767 in 32-bit x87 code). This follows the 64-bit one.
        result = -1;
        return Coercion::Ok;
    }
    const double whole = std::trunc(number);
    const double fraction = number - whole; // exact
    auto rounded = static_cast<std::int64_t>(whole);
    const bool odd = rounded % 2 != 0;
    if (fraction > 0.5 || (fraction == 0.5 && odd)) {
        ++rounded;
    } else if (fraction < -0.5 || (fraction == -0.5 && odd)) {
        --rounded;
    }
    result = static_cast<std::int16_t>(rounded);
    return Coercion::Ok;
}

// Currency is exact, so it rounds exactly: halves of the unit (5,000) to the even integer.
Coercion FromCurrency(std::int64_t scaled, std::int16_t& result) {
    constexpr std::int64_t unit = 10'000;
    std::int64_t whole = scaled / unit;
    const std::int64_t remainder = scaled % unit;
    const bool odd = whole % 2 != 0;
    if (remainder > unit / 2 || (remainder == unit / 2 && odd)) {
        ++whole;
    } else if (remainder < -unit / 2 || (remainder == -unit / 2 && odd)) {
        --whole;
    }
    return FromInteger(whole, result);
}

// A decimal without a scale is an integer; with one, the platform divides in double precision
// (in this order of operations) and rounds that.
Coercion FromDecimal(const DECIMAL& number, std::int16_t& result) {
    constexpr std::uint8_t negative = 0x80;
    if ((number.sign & ~negative) != 0) {
        return Coercion::TypeMismatch;
    }
    if (number.scale == 0) {
        if (number.Hi32 != 0 || number.Lo64 >> 63 != 0) {
            return Coercion::Overflow;
        }
        const auto magnitude = static_cast<std::int64_t>(number.Lo64);
        return FromInteger(number.sign == negative ? -magnitude : magnitude, result);
    }
    if (number.scale > 28) {
        return Coercion::TypeMismatch;
    }
    double divisor = 1.0;
    for (int digit = 0; digit < number.scale; ++digit) {
        divisor *= 10;
    }
    if (number.sign == negative) {
        divisor = -divisor;
    }
    constexpr double two32 = 4294967296.0;
    const double high =
        number.Hi32 != 0 ? static_cast<double>(number.Hi32) / divisor * two32 * two32 : 0.0;
    return FromDouble(static_cast<double>(number.Lo64) / divisor + high, result);
}

// ---- Text --------------------------------------------------------------------------------
// The platform reads text in two stages: a scanner that collects the significant digits, a
// power of ten and a sign, then a conversion of those digits to the integer.

// The platform keeps this many significant digits; later ones only move the power of ten.
constexpr std::size_t kDigitCapacity = 1024;

// English (United States) symbols.
constexpr char32_t kPlus = U'+';
constexpr char32_t kMinus = U'-';
constexpr char32_t kDecimalPoint = U'.';
constexpr char32_t kThousands = U',';
constexpr char32_t kCurrency = U'$';

bool IsDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

std::uint8_t HexDigitValue(char32_t c) {
    return static_cast<std::uint8_t>(c >= U'a' ? c - U'a' + 10 : c - U'A' + 10);
}

bool IsHexLetter(char32_t c) {
    return (c >= U'a' && c <= U'f') || (c >= U'A' && c <= U'F');
}

// The platform's white space (its C1_SPACE character class).
bool IsSpace(char32_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

// The platform's exponent and power are C ints that wrap silently.
std::int32_t WrappingAdd(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

// What the scanner found: digits[0..count) times 10^power10, or for &H and &O the digits in
// base 2^radixBits.
struct ScannedNumber {
    std::array<std::uint8_t, kDigitCapacity> digits{};
    std::size_t count = 0;
    std::int32_t power10 = 0;
    int radixBits = 0;
    bool negative = false;
};

class NumberScanner {
public:
    explicit NumberScanner(const wchar_t* text) : next_(text) {}

    // Ok when the whole text is a number, which is then in `number`; Overflow when a
    // hexadecimal number has more digits than the platform keeps.
    Coercion Scan(ScannedNumber& number) {
        number_ = &number;
        if (!ReadLeadingSymbols()) {
            return Coercion::TypeMismatch;
        }
        ReadRadixPrefix();
        SkipLeadingZeros();
        if (!ReadBody()) {
            return Coercion::Overflow;
        }
        if (seen_ == 0 && leadingZero_) {
            seen_ = 1; // a zero on its own
        }
        if (inExponent_) {
            return Coercion::TypeMismatch; // an exponent without digits
        }
        ReadTrailingSymbols();
        if (parentheses_ && !number.negative) {
            return Coercion::TypeMismatch;
        }
        if (Peek() != 0 || seen_ == 0) {
            return Coercion::TypeMismatch;
        }
        number.count = seen_ < kDigitCapacity ? seen_ : kDigitCapacity;
        return Coercion::Ok;
    }

private:
    char32_t Peek(std::size_t ahead = 0) const {
        return static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(next_[ahead]));
    }
    void Advance() { ++next_; }
    void SkipSpace() {
        while (IsSpace(Peek())) {
            Advance();
        }
    }

    // Before the digits: space, one each of plus, minus, currency symbol and opening
    // parenthesis, in any order, and perhaps the decimal point. A thousands separator here
    // makes the text no number.
    bool ReadLeadingSymbols() {
        for (;;) {
            const char32_t c = Peek();
            if (c == kDecimalPoint) {
                Advance();
                StartFraction();
                return true;
            }
            if (IsSpace(c)) {
                SkipSpace();
            } else if (c == kThousands) {
                return false;
            } else if (c == kPlus && !leadingPlus_) {
                leadingPlus_ = true;
                Advance();
            } else if (c == kMinus && !leadingMinus_) {
                leadingMinus_ = number_->negative = true;
                Advance();
            } else if (c == kCurrency && !currency_) {
                currency_ = true;
                Advance();
            } else if (c == U'(' && !parentheses_) {
                parentheses_ = true;
                Advance();
            } else {
                return true;
            }
        }
    }

    // &H (hexadecimal) or &O (octal), unless a currency symbol or decimal point came first.
    void ReadRadixPrefix() {
        if (currency_ || decimalPoint_ || Peek() != U'&') {
            return;
        }
        const char32_t kind = Peek(1);
        if (kind == U'H' || kind == U'h') {
            number_->radixBits = 4;
        } else if (kind == U'O' || kind == U'o') {
            number_->radixBits = 3;
        } else {
            return;
        }
        Advance();
        Advance();
    }

    void SkipLeadingZeros() {
        while (Peek() == U'0') {
            leadingZero_ = true;
            Advance();
        }
    }

    // After a decimal point with no digit yet, zeros only lower the power of ten.
    void StartFraction() {
        decimalPoint_ = true;
        if (seen_ != 0) {
            return;
        }
        while (Peek() == U'0') {
            leadingZero_ = true;
            number_->power10 = WrappingAdd(number_->power10, -1);
            Advance();
        }
    }

    bool Hexadecimal() const { return number_->radixBits == 4; }
    bool Octal() const { return number_->radixBits == 3; }
    bool Radix() const { return number_->radixBits != 0; }

    // Digits, thousands separators, one decimal point and one exponent. False when a
    // hexadecimal number has more digits than the platform keeps (it reports an overflow).
    bool ReadBody() {
        for (;;) {
            const char32_t c = Peek();
            if (IsDigit(c)) {
                if (!ReadDigit(c)) {
                    return true;
                }
                continue;
            }
            if (c == kDecimalPoint && !Radix() && !decimalPoint_ && !exponent_) {
                Advance();
                StartFraction();
                continue;
            }
            if (IsHexLetter(c) && Hexadecimal()) {
                if (seen_ >= kDigitCapacity) {
                    return false;
                }
                AddDigit(HexDigitValue(c));
            } else if ((c == U'e' || c == U'E') && !Radix() && !currency_ && !exponent_) {
                exponent_ = inExponent_ = true;
            } else if (c == kMinus && inExponent_) {
                negativeExponent_ = true;
            } else if (!PassedOverAmongDigits(c)) {
                return true;
            }
            Advance();
        }
    }

    // Thousands separators anywhere among the digits, even inside the exponent, and any
    // number of plus signs before the exponent's digits.
    bool PassedOverAmongDigits(char32_t c) const {
        return (c == kThousands && !Radix()) || (c == kPlus && inExponent_);
    }

    // A digit of the number, or the exponent's digits. False at an 8 or 9 after &O, which
    // ends the number.
    bool ReadDigit(char32_t c) {
        if (inExponent_) {
            ReadExponentDigits();
            return true;
        }
        if (Octal() && c >= U'8') {
            return false;
        }
        AddDigit(static_cast<std::uint8_t>(c - U'0'));
        Advance();
        return true;
    }

    void AddDigit(std::uint8_t digit) {
        ScannedNumber& number = *number_;
        if (seen_ >= kDigitCapacity && !Radix()) {
            // Not kept, but counted. After the decimal point the platform lowers the power
            // here (as if the kept digits moved right): accidental, but its result.
            number.power10 = WrappingAdd(number.power10, decimalPoint_ ? -1 : 1);
        } else {
            if (decimalPoint_) {
                number.power10 = WrappingAdd(number.power10, -1);
            }
            if (seen_ < kDigitCapacity) { // beyond it, &H and &O digits only overflow
                number.digits[seen_] = digit;
            }
        }
        ++seen_;
    }

    // All the digits of the exponent at once; a later digit is the mantissa's again.
    void ReadExponentDigits() {
        std::uint32_t exponent = 0;
        while (IsDigit(Peek())) {
            exponent = exponent * 10 + (Peek() - U'0');
            Advance();
        }
        if (negativeExponent_) {
            exponent = 0 - exponent;
        }
        number_->power10 = WrappingAdd(number_->power10, static_cast<std::int32_t>(exponent));
        inExponent_ = false;
    }

    // After the digits: space, thousands separators and currency symbols (not after &H or
    // &O), a plus unless one led, a minus unless one led, and closing parentheses.
    void ReadTrailingSymbols() {
        for (;;) {
            const char32_t c = Peek();
            if (IsSpace(c)) {
                SkipSpace();
            } else if ((c == kMinus && !leadingMinus_) || (c == U')' && parentheses_)) {
                number_->negative = true;
                Advance();
            } else if (((c == kThousands || c == kCurrency) && !Radix()) ||
                       (c == kPlus && !leadingPlus_)) {
                Advance();
            } else {
                return;
            }
        }
    }

    const wchar_t* next_;
    ScannedNumber* number_ = nullptr;
    std::size_t seen_ = 0; // digits seen, kept or not
    bool leadingPlus_ = false;
    bool leadingMinus_ = false;
    bool currency_ = false;
    bool parentheses_ = false;
    bool decimalPoint_ = false;
    bool leadingZero_ = false;
    bool exponent_ = false;
    bool inExponent_ = false;
    bool negativeExponent_ = false;
};

// &H and &O numbers keep their 16 bits: &HFFFF is -1. They take no sign.
Coercion RadixToInt16(const ScannedNumber& number, std::int16_t& result) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < number.count; ++i) {
        value = (value << number.radixBits) + number.digits[i];
        if (value > 0xFFFF) {
            return Coercion::Overflow;
        }
    }
    result = static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    return Coercion::Ok;
}

// Whether the digits after the integer part round it up: above a half, or a half and odd.
// For a number below 1 the platform takes the first significant digit as the first after the
// point, whatever zeros came between (0.06 rounds to 1): accidental, but its result.
bool RoundsUp(const ScannedNumber& number, std::size_t wholeDigits, std::uint64_t integer) {
    const std::uint8_t first = number.digits[wholeDigits];
    if (first != 5) {
        return first > 5;
    }
    for (std::size_t i = wholeDigits + 1; i < number.count; ++i) {
        if (number.digits[i] != 0) {
            return true;
        }
    }
    return integer % 2 != 0;
}

Coercion DecimalToInt16(const ScannedNumber& number, std::int16_t& result) {
    // Any magnitude above this overflows whatever follows; stop counting there.
    constexpr std::uint64_t limit = 32768;
    const auto count = static_cast<std::int64_t>(number.count);
    const std::int64_t power = number.power10;
    const std::int64_t wholeDigits = power >= 0 ? count : (-power >= count ? 0 : count + power);

    std::uint64_t integer = 0;
    for (std::int64_t i = 0; i < wholeDigits; ++i) {
        integer = integer * 10 + number.digits[static_cast<std::size_t>(i)];
        if (integer > limit) {
            return Coercion::Overflow;
        }
    }
    for (std::int64_t zeros = power; zeros > 0 && integer != 0; --zeros) {
        integer *= 10;
        if (integer > limit) {
            return Coercion::Overflow;
        }
    }
    if (wholeDigits < count && RoundsUp(number, static_cast<std::size_t>(wholeDigits), integer)) {
        ++integer;
    }
    if (number.negative && integer != 0) {
        return FromInteger(-static_cast<std::int64_t>(integer), result);
    }
    return FromUnsigned(integer, result);
}

Coercion FromText(const wchar_t* text, std::int16_t& result) {
    if (text == nullptr) {
        return Coercion::TypeMismatch;
    }
    ScannedNumber number;
    const Coercion scanned = NumberScanner(text).Scan(number);
    if (scanned != Coercion::Ok) {
        return scanned;
    }
    return number.radixBits != 0 ? RadixToInt16(number, result) : DecimalToInt16(number, result);
}

// ---- Values ------------------------------------------------------------------------------

// The content of a value of this type (other than empty and decimal), stored at `content`.
Coercion FromContent(VARTYPE type, const void* content, std::int16_t& result) {
    switch (type) {
    case VT_I1:
        return FromInteger(Read<std::int8_t>(content), result);
    case VT_UI1:
        return FromInteger(Read<std::uint8_t>(content), result);
    case VT_I2:
    case VT_BOOL: // whatever 16 bits are stored, not only VARIANT_TRUE and VARIANT_FALSE
        result = Read<std::int16_t>(content);
        return Coercion::Ok;
    case VT_UI2: // the platform keeps the 16 bits of a same-sized integer: 65535 is -1
        result = static_cast<std::int16_t>(Read<std::uint16_t>(content));
        return Coercion::Ok;
    case VT_I4:
    case VT_INT:
        return FromInteger(Read<std::int32_t>(content), result);
    case VT_UI4:
    case VT_UINT:
        return FromUnsigned(Read<std::uint32_t>(content), result);
    case VT_I8:
        return FromInteger(Read<std::int64_t>(content), result);
    case VT_UI8:
        return FromUnsigned(Read<std::uint64_t>(content), result);
    case VT_R4:
        return FromDouble(Read<float>(content), result);
    case VT_R8:
    case VT_DATE:
        return FromDouble(Read<double>(content), result);
    case VT_CY:
        return FromCurrency(Read<std::int64_t>(content), result);
    case VT_BSTR:
        return FromText(Read<const wchar_t*>(content), result);
    default:
        return Coercion::TypeMismatch;
    }
}

} // namespace

Coercion ToInt16(const Variant& value, std::int16_t& result) {
    const VARTYPE type = value.vt & VT_TYPEMASK;
    if (value.vt == type) {
        switch (type) {
        case VT_EMPTY:
            result = 0;
            return Coercion::Ok;
        case VT_DECIMAL:
            return FromDecimal(DecimalOf(value), result);
        default:
            return FromContent(type, &value.llVal, result);
        }
    }
    if (value.vt != (VT_BYREF | type) || value.byref == nullptr) {
        return Coercion::TypeMismatch; // arrays, vectors, reserved bits
    }
    switch (type) {
    case VT_VARIANT: // followed one level only
        if (value.pvarVal->vt == (VT_BYREF | VT_VARIANT)) {
            return Coercion::TypeMismatch;
        }
        return ToInt16(*value.pvarVal, result);
    case VT_DECIMAL:
        return FromDecimal(*value.pdecVal, result);
    default:
        return FromContent(type, value.byref, result); // rejects references to EMPTY and NULL
    }
}

} // namespace driversetup::portable
