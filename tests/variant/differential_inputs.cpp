#include "tests/variant/differential_inputs.h"

#include "tests/variant/platform_coercion.h"
#include "tests/variant/variant_testing.h"

#include <bit>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string_view>
#include <vector>

namespace driversetup::testing {

using portable::Variant;
using portable::VARTYPE;

namespace {

Variant Decimal(std::uint8_t scale, std::uint8_t sign, std::uint32_t high, std::uint64_t low) {
    Variant value;
    portable::StoreDecimal(&value, {0, scale, sign, high, low});
    return value;
}

std::wstring Text(std::int64_t number) {
    return std::to_wstring(number);
}

// halves / 2 with one decimal: "-32769.5", "12.0".
std::wstring HalfText(std::int64_t halves) {
    const std::int64_t magnitude = halves < 0 ? -halves : halves;
    return (halves < 0 ? L"-" : L"") + Text(magnitude / 2) + (magnitude % 2 ? L".5" : L".0");
}

// "32767" as "32,767".
std::wstring WithThousands(std::wstring digits) {
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), L",");
    }
    return digits;
}

std::wstring InBase(std::uint64_t number, unsigned base, bool lowercase) {
    const wchar_t* symbols = lowercase ? L"0123456789abcdef" : L"0123456789ABCDEF";
    std::wstring digits;
    do {
        digits.insert(digits.begin(), symbols[number % base]);
        number /= base;
    } while (number != 0);
    return digits;
}

// The same number written in one of the platform's other forms: signs before, after or in
// parentheses, currency symbols, space, thousands separators, an exponent, zeros.
std::wstring DecoratedHalf(std::int64_t halves) {
    const bool negative = halves < 0;
    const std::int64_t magnitude = negative ? -halves : halves;
    const std::wstring whole = Text(magnitude / 2);
    const std::wstring fraction = magnitude % 2 ? L"5" : L"0";
    const std::wstring plain = whole + L"." + fraction;
    const std::wstring sign = negative ? L"-" : L"";
    switch (magnitude % 13) {
    case 0:
        return negative ? L"(" + plain + L")" : L"+" + plain;
    case 1:
        return plain + (negative ? L"-" : L"+");
    case 2:
        return L"$" + sign + plain;
    case 3:
        return L" \t" + sign + plain + L"\r\n";
    case 4:
        return sign + WithThousands(whole) + L"." + fraction;
    case 5:
        return sign + whole.substr(0, 1) + L"." + whole.substr(1) + fraction + L"E" +
               Text(static_cast<std::int64_t>(whole.size()) - 1);
    case 6:
        return sign + plain + L"$";
    case 7:
        return sign + L"000" + whole + L"." + fraction + L"000";
    case 8:
        return sign + whole + fraction + L"e-1";
    case 9:
        return sign + whole + L"." + fraction + L"x";
    case 10:
        return L"-" + sign + plain;
    case 11:
        return sign + L"$ " + plain + L" ";
    default:
        return sign + whole + fraction + L"0E-2";
    }
}

} // namespace

class InputGenerator {
public:
    explicit InputGenerator(DifferentialInputs& inputs) : inputs_(inputs) {}

    void Run() {
        AddTags();
        AddIntegers();
        AddHalfIntegers();
        AddRealEdges();
        AddRandomReals();
        AddCurrency();
        AddDecimals();
        AddTexts();
        AddReferences();
    }

private:
    void Add(const Variant& value) { inputs_.values_.push_back(value); }

    void AddText(std::wstring_view text) {
        wchar_t* copy = PlatformAllocString(text);
        inputs_.texts_.push_back(copy);
        Variant value;
        portable::VariantInit(&value);
        value.vt = portable::VT_BSTR;
        value.bstrVal = copy;
        Add(value);
    }

    Variant* Cell(const Variant& content) {
        inputs_.cells_.push_back({content});
        return &inputs_.cells_.back().value;
    }

    std::int64_t Between(std::int64_t low, std::int64_t high) {
        return std::uniform_int_distribution<std::int64_t>(low, high)(random_);
    }

    // Every tag with every combination of flags, over zero contents; by-reference ones point
    // to a zeroed cell, or nowhere.
    void AddTags() {
        Variant* zeros = Cell(Variant{});
        for (VARTYPE type = 0; type <= 0x50; ++type) {
            for (VARTYPE flags = 0; flags < 0x10; ++flags) {
                Variant value{};
                value.vt = static_cast<VARTYPE>(type | flags << 12);
                if ((value.vt & portable::VT_BYREF) != 0) {
                    value.byref = zeros;
                    Add(value);
                    value.byref = nullptr;
                }
                Add(value);
            }
        }
        for (VARTYPE type : {0x0FFE, 0x0FFF}) {
            Add(Variant{type, 0, 0, 0, {}});
        }
        // Reserved words are ignored.
        Variant value = Holding(portable::VT_I2, std::int16_t{7});
        value.wReserved1 = value.wReserved2 = value.wReserved3 = 0xFFFF;
        Add(value);
    }

    // Every bit pattern of a type of one or two bytes.
    template <typename T> void AddEveryValue(VARTYPE type) {
        for (std::uint32_t bits = 0; bits < 1U << (8 * sizeof(T)); ++bits) {
            Add(Holding(type, static_cast<T>(bits)));
        }
    }

    template <typename T> void AddEdgesAndSamples(VARTYPE type) {
        using Limits = std::numeric_limits<T>;
        for (std::int64_t edge : {-70000, -65537, -65536, -32770, -32769, -32768, -32767, -1, 0, 1,
                                  32766, 32767, 32768, 32769, 65535, 65536, 70000}) {
            Add(Holding(type, static_cast<T>(edge)));
        }
        for (T edge : {Limits::min(), static_cast<T>(Limits::min() + 1),
                       static_cast<T>(Limits::max() - 1), Limits::max()}) {
            Add(Holding(type, edge));
        }
        std::uniform_int_distribution<T> anywhere;
        for (int sample = 0; sample < 1000; ++sample) {
            Add(Holding(type, anywhere(random_)));
            Add(Holding(type, static_cast<T>(Between(-70000, 70000))));
        }
    }

    void AddIntegers() {
        AddEveryValue<std::int8_t>(portable::VT_I1);
        AddEveryValue<std::uint8_t>(portable::VT_UI1);
        AddEveryValue<std::int16_t>(portable::VT_I2);
        AddEveryValue<std::uint16_t>(portable::VT_UI2);
        AddEveryValue<std::int16_t>(portable::VT_BOOL);
        AddEdgesAndSamples<std::int32_t>(portable::VT_I4);
        AddEdgesAndSamples<std::int32_t>(portable::VT_INT);
        AddEdgesAndSamples<std::uint32_t>(portable::VT_UI4);
        AddEdgesAndSamples<std::uint32_t>(portable::VT_UINT);
        AddEdgesAndSamples<std::int64_t>(portable::VT_I8);
        AddEdgesAndSamples<std::uint64_t>(portable::VT_UI8);
    }

    // Every half-integer from -32770 to 32770, as every kind of number and as text.
    void AddHalfIntegers() {
        for (std::int64_t halves = -65540; halves <= 65540; ++halves) {
            const double number = static_cast<double>(halves) / 2;
            Add(Holding(portable::VT_R8, number));
            Add(Holding(portable::VT_R4, static_cast<float>(number)));
            Add(Holding(portable::VT_DATE, number));
            Add(Holding(portable::VT_CY, halves * 5000));
            AddText(HalfText(halves));
            AddText(DecoratedHalf(halves));
        }
    }

    void AddReal(double number) {
        Add(Holding(portable::VT_R8, number));
        Add(Holding(portable::VT_DATE, number));
        Add(Holding(portable::VT_R4, static_cast<float>(number)));
    }

    // The neighbours of the range edges and of the halves, infinities, NaNs and extremes.
    void AddRealEdges() {
        using Limits = std::numeric_limits<double>;
        using FloatLimits = std::numeric_limits<float>;
        for (double edge : {-32768.5, 32767.5, -32767.5, 32766.5, -0.5, 0.5, 1.5, 2.5, -1.5}) {
            Add(Holding(portable::VT_R8, std::nextafter(edge, -Limits::infinity())));
            Add(Holding(portable::VT_R8, std::nextafter(edge, Limits::infinity())));
            const auto single = static_cast<float>(edge);
            Add(Holding(portable::VT_R4, std::nextafter(single, -FloatLimits::infinity())));
            Add(Holding(portable::VT_R4, std::nextafter(single, FloatLimits::infinity())));
        }
        for (double special :
             {0.0, -0.0, Limits::infinity(), -Limits::infinity(), Limits::quiet_NaN(),
              -Limits::quiet_NaN(), Limits::signaling_NaN(), Limits::max(), Limits::lowest(),
              Limits::min(), Limits::denorm_min(), 1e300, -1e300, 4611686018427387904.0,
              9223372036854775808.0, -9223372036854775808.0, 2147483648.0, -2147483649.0}) {
            AddReal(special);
        }
    }

    void AddRandomReals() {
        std::uniform_real_distribution<double> nearRange(-40000.0, 40000.0);
        std::uniform_real_distribution<double> nearZero(-3.0, 3.0);
        for (int sample = 0; sample < 20000; ++sample) {
            Add(Holding(portable::VT_R8, nearRange(random_)));
            Add(Holding(portable::VT_R4, static_cast<float>(nearRange(random_))));
        }
        for (int sample = 0; sample < 5000; ++sample) {
            Add(Holding(portable::VT_R8, nearZero(random_)));
            Add(Holding(portable::VT_DATE, nearRange(random_)));
            Add(Holding(portable::VT_R8, std::bit_cast<double>(random_())));
            Add(Holding(portable::VT_R4,
                        std::bit_cast<float>(static_cast<std::uint32_t>(random_()))));
        }
    }

    void AddCurrency() {
        for (std::int64_t edge :
             {std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max(),
              0LL, 4999LL, 5000LL, 5001LL, 15000LL, 25000LL, 327674999LL, 327675000LL, 327675001LL,
              327684999LL, 327685000LL, 327685001LL}) {
            Add(Holding(portable::VT_CY, edge));
            Add(Holding(portable::VT_CY, -edge));
        }
        std::uniform_int_distribution<std::int64_t> anywhere;
        for (int sample = 0; sample < 10000; ++sample) {
            Add(Holding(portable::VT_CY, Between(-400'000'000, 400'000'000)));
        }
        for (int sample = 0; sample < 2000; ++sample) {
            Add(Holding(portable::VT_CY, anywhere(random_)));
        }
    }

    void AddDecimals() {
        std::vector<std::uint64_t> lows = {0,     1,     5,      15,     25,      32767,  32768,
                                           32769, 65535, 327675, 327685, 3276750, 3276850};
        // about 2^58, 2^63 - 1, 2^63, 10^19, 2^64 - 1
        for (std::uint64_t large :
             {327674999999999999ULL, 9223372036854775807ULL, 9223372036854775808ULL,
              10000000000000000000ULL, 18446744073709551615ULL}) {
            lows.push_back(large);
        }
        for (std::uint64_t low : lows) {
            for (std::uint8_t scale = 0; scale <= 30; ++scale) {
                for (std::uint8_t sign : {0x00, 0x80, 0x01, 0x7F, 0xFF}) {
                    Add(Decimal(scale, sign, 0, low));
                    Add(Decimal(scale, sign, 1, low));
                }
            }
        }
        // Halves and their neighbours at several scales, around the range edges.
        std::uint64_t unit = 1;
        for (std::uint8_t scale = 1; scale <= 12; ++scale) {
            unit *= 10;
            for (std::int64_t whole : {-32769, -32768, -32767, -2, -1, 0, 1, 2, 32766, 32767}) {
                const auto magnitude = static_cast<std::uint64_t>(whole < 0 ? -whole : whole);
                const std::uint64_t half = magnitude * unit + unit / 2;
                for (std::uint64_t low : {half - 1, half, half + 1}) {
                    Add(Decimal(scale, whole < 0 ? 0x80 : 0x00, 0, low));
                }
            }
        }
        for (int sample = 0; sample < 5000; ++sample) {
            const auto scale = static_cast<std::uint8_t>(Between(0, 28));
            const auto sign = static_cast<std::uint8_t>(Between(0, 1) * 0x80);
            const auto high = static_cast<std::uint32_t>(Between(0, 9) == 0 ? random_() : 0);
            Add(Decimal(scale, sign, high, random_() >> Between(0, 63)));
        }
    }

    void AddTexts() {
        AddHandPickedTexts();
        for (std::int64_t number = -32770; number <= 32770; ++number) {
            AddText(Text(number));
        }
        for (std::uint64_t number = 0; number <= 0x10001; ++number) {
            AddText(L"&H" + InBase(number, 16, false));
        }
        for (std::uint64_t number = 0; number <= 0x10001; number += 7) {
            AddText(L"&O" + InBase(number, 8, false));
            AddText(L"&h" + InBase(number, 16, true));
        }
        // Every code unit before and after a digit: white space and junk.
        for (std::uint32_t unit = 1; unit <= 0xFFFF; ++unit) {
            const auto c = static_cast<wchar_t>(unit);
            AddText(std::wstring{c, L'1'});
            AddText(std::wstring{L'1', c});
        }
        AddRandomTexts();
        AddShapedTexts();
        AddLongTexts();
    }

    // Texts that try the corners of each rule, by kind.
    void AddHandPickedTexts() {
        Variant null{};
        null.vt = portable::VT_BSTR;
        Add(null);
        AddText(std::wstring_view(L"12\0x", 4));
        AddText(std::wstring(1, L'\0') + L"12");
        const std::vector<const wchar_t*> signs = {
            L"",    L" ",   L"0",   L"-0",  L"+-1",  L"-+1",   L"--1",  L"1--",  L"1++",
            L"-1-", L"+1+", L"(1",  L"1)",  L"(1))", L"((1))", L"(-1)", L"(1-)", L"-(1",
            L"$",   L"$$1", L"1$$", L"$1$", L"$-1",  L"-$1",   L"($1)",
        };
        const std::vector<const wchar_t*> separatorsAndPoints = {
            L",1",   L"1,",     L"1,,2",   L"1,.5",    L".,5",     L".5",       L"-.5",
            L".6",   L"0.06",   L"0.05",   L"0.051",   L"1.",      L"1.e1",     L".e1",
            L"0.e1", L"32,767", L"3,2767", L"32767.5", L"32766.5", L"-32768.5", L"-32768.51",
        };
        // Left out: an exponent that wraps to the smallest int (1e2147483648), where the
        // platform reads outside its digits and crashes.
        const std::vector<const wchar_t*> exponents = {
            L"6e-100", L"1e",   L"1e+",   L"1e-",       L"1e++2",     L"1e+-2",
            L"1e-+2",  L"1e2-", L"1e1,0", L"1e,2",      L"1E2",       L"1e2e",
            L"1e2.5",  L"$1e2", L"1e2$",  L"3.27675e4", L"327675e-1", L"0e99999",
        };
        const std::vector<const wchar_t*> wrappingExponents = {
            L"1e4294967296",  L"1e4294967297",  L"1e-4294967296", L"1e2147483647",
            L"1e-2147483647", L"6e-2147483647", L"1e99999999999",
        };
        const std::vector<const wchar_t*> radixes = {
            L"&H",    L"&O",     L"&H0",    L"&HG",     L"&O8",      L"&O78",
            L"-&H10", L"(&H10)", L"&H10-",  L"&H10$",   L"&H10,",    L"&H1,0",
            L"&H1.0", L"&H1e2",  L"$&H1",   L".&H1",    L" &H1 ",    L"&H 1",
            L"& H1",  L"&HFFFF", L"&H8000", L"&H10000", L"&O177777", L"&O200000",
        };
        const std::vector<const wchar_t*> wideRadixes = {L"&HFFFFFFFFFFFFFFFF",
                                                         L"&HFFFFFFFFFFFFFFFFF"};
        const std::vector<const wchar_t*> others = {
            L"1 2",     L"1\t",     L"\u00a01", L"1\u3000", L"\u20001",
            L"\u200b1", L"\ufeff1", L"\uff11",  L"\u0661",  L"nan",
            L"inf",     L"1d2",     L"TRUE",    L"0x10",    L"1_000",
        };
        for (const auto* kind : {&signs, &separatorsAndPoints, &exponents, &wrappingExponents,
                                 &radixes, &wideRadixes, &others}) {
            for (const wchar_t* text : *kind) {
                AddText(text);
            }
        }
    }

    // Short strings over the alphabet of number symbols, and a little junk.
    void AddRandomTexts() {
        constexpr std::wstring_view alphabet = L"0123456789012345.,+-()$eE&HhOo \t\u00a0xF7";
        for (int sample = 0; sample < 100000; ++sample) {
            std::wstring text(static_cast<std::size_t>(Between(0, 14)), L' ');
            for (wchar_t& c : text) {
                c = alphabet[static_cast<std::size_t>(Between(0, alphabet.size() - 1))];
            }
            AddText(text);
        }
    }

    // Numbers put together from the parts the platform knows, in random combinations.
    void AddShapedTexts() {
        auto maybe = [this](const wchar_t* part) { return Between(0, 3) == 0 ? part : L""; };
        for (int sample = 0; sample < 40000; ++sample) {
            std::wstring text = maybe(L" ");
            text += maybe(L"(");
            text += maybe(L"$");
            text += maybe(L"-");
            text += maybe(L"+");
            text += maybe(L"0");
            text += Text(Between(0, Between(0, 1) == 0 ? 40000 : 99));
            if (Between(0, 2) == 0) {
                text += L"." +
                        Text(Between(0, 99999)).substr(0, static_cast<std::size_t>(Between(0, 5)));
            }
            if (Between(0, 4) == 0) {
                text += (Between(0, 1) == 0 ? L"e" : L"E") + std::wstring(maybe(L"-")) +
                        Text(Between(0, 6));
            }
            text += maybe(L"-");
            text += maybe(L")");
            text += maybe(L"$");
            text += maybe(L" ");
            text += Between(0, 9) == 0 ? L"?" : L"";
            AddText(text);
        }
    }

    // More digits than the platform keeps, around its 1,024.
    void AddLongTexts() {
        for (std::size_t length : {1023, 1024, 1025, 1026, 2000}) {
            AddText(std::wstring(length, L'0') + L"7");
            AddText(L"0." + std::wstring(length, L'0') + L"6");
            AddText(L"1" + std::wstring(length, L'0') + L"e-" +
                    Text(static_cast<std::int64_t>(length)));
            AddText(L"1" + std::wstring(length, L'0') + L"." + std::wstring(length, L'0') + L"e-" +
                    Text(static_cast<std::int64_t>(length)));
            AddText(L"1." + std::wstring(length, L'2') + L"e3");
            AddText(L"." + std::wstring(length, L'9') + L"e5");
            AddText(std::wstring(length, L'1') + L"e-" +
                    Text(static_cast<std::int64_t>(length) - 2));
            AddText(L"&H" + std::wstring(length, L'0') + L"FF");
            AddText(L"&H" + std::wstring(length, L'F'));
            AddText(L"&H" + std::wstring(length, L'F') + L"xyz");
        }
    }

    // By-reference forms: a cell with the same contents, and a VT_VARIANT cell (one or two
    // levels deep) holding the value.
    void AddReferences() {
        const std::size_t count = inputs_.values_.size();
        for (std::size_t index = 0; index < count; index += 3) {
            const Variant value = inputs_.values_[index];
            if ((value.vt & ~portable::VT_TYPEMASK) != 0) {
                continue;
            }
            Variant* cell = Cell(value);
            Variant reference{};
            reference.vt = static_cast<VARTYPE>(portable::VT_BYREF | value.vt);
            reference.byref = value.vt == portable::VT_DECIMAL ? static_cast<void*>(cell)
                                                               : static_cast<void*>(&cell->llVal);
            Add(reference);
            if (index % 5 == 0) {
                Variant holder{};
                holder.vt = portable::VT_BYREF | portable::VT_VARIANT;
                holder.pvarVal = index % 10 == 0 ? cell : Cell(reference);
                Add(holder);
                if (index % 35 == 0) {
                    Variant outer = holder;
                    outer.pvarVal = Cell(holder);
                    Add(outer);
                }
            }
        }
    }

    DifferentialInputs& inputs_;
    std::mt19937_64 random_{20240607};
};

DifferentialInputs::DifferentialInputs() {
    InputGenerator(*this).Run();
}

DifferentialInputs::~DifferentialInputs() {
    for (wchar_t* text : texts_) {
        PlatformFreeString(text);
    }
}

namespace {

std::string Format(const char* format, auto... arguments) {
    char line[160];
    std::snprintf(line, sizeof line, format, arguments...);
    return line;
}

std::string TypeName(VARTYPE vt) {
    static constexpr const char* names[] = {
        "EMPTY", "NULL",     "I2",    "I4",   "R4",      "R8",      "CY",      "DATE",
        "BSTR",  "DISPATCH", "ERROR", "BOOL", "VARIANT", "UNKNOWN", "DECIMAL", "15",
        "I1",    "UI1",      "UI2",   "UI4",  "I8",      "UI8",     "INT",     "UINT"};
    std::string name;
    for (auto [flag, label] :
         {std::pair{portable::VT_VECTOR, "VECTOR|"}, std::pair{portable::VT_ARRAY, "ARRAY|"},
          std::pair{portable::VT_BYREF, "BYREF|"}, std::pair{portable::VT_RESERVED, "RESERVED|"}}) {
        if ((vt & flag) != 0) {
            name += label;
        }
    }
    const VARTYPE type = vt & portable::VT_TYPEMASK;
    return "VT_" + name + (type < std::size(names) ? names[type] : Format("0x%X", type));
}

std::string Escaped(const wchar_t* text) {
    if (text == nullptr) {
        return "null";
    }
    std::string out = "\"";
    for (; *text != 0; ++text) {
        const auto unit = static_cast<std::uint32_t>(*text);
        out += unit >= 0x20 && unit < 0x7F && unit != '"' && unit != '\\'
                   ? std::string(1, static_cast<char>(unit))
                   : Format("\\u%04X", unit);
    }
    return out + "\"";
}

template <typename T> T Read(const void* content) {
    T value;
    std::memcpy(&value, content, sizeof value);
    return value;
}

std::string Contents(VARTYPE type, const void* content) {
    switch (type) {
    case portable::VT_I1:
        return Format("%d", Read<std::int8_t>(content));
    case portable::VT_UI1:
        return Format("%u", Read<std::uint8_t>(content));
    case portable::VT_I2:
    case portable::VT_BOOL:
        return Format("%d", Read<std::int16_t>(content));
    case portable::VT_UI2:
        return Format("%u", Read<std::uint16_t>(content));
    case portable::VT_I4:
    case portable::VT_INT:
        return Format("%" PRId32, Read<std::int32_t>(content));
    case portable::VT_UI4:
    case portable::VT_UINT:
        return Format("%" PRIu32, Read<std::uint32_t>(content));
    case portable::VT_I8:
    case portable::VT_CY:
        return Format("%" PRId64, Read<std::int64_t>(content));
    case portable::VT_UI8:
        return Format("%" PRIu64, Read<std::uint64_t>(content));
    case portable::VT_R4: {
        const auto number = Read<float>(content);
        return Format("%.9g (0x%08" PRIX32 ")", number, std::bit_cast<std::uint32_t>(number));
    }
    case portable::VT_R8:
    case portable::VT_DATE: {
        const auto number = Read<double>(content);
        return Format("%.17g (0x%016" PRIX64 ")", number, std::bit_cast<std::uint64_t>(number));
    }
    case portable::VT_BSTR:
        return Escaped(Read<const wchar_t*>(content));
    default:
        return "";
    }
}

std::string Contents(const portable::DECIMAL& number) {
    return Format("scale %u sign 0x%02X high %" PRIu32 " low %" PRIu64, number.scale, number.sign,
                  number.Hi32, number.Lo64);
}

} // namespace

std::string Describe(const Variant& value) {
    const VARTYPE type = value.vt & portable::VT_TYPEMASK;
    std::string name = TypeName(value.vt);
    if (value.vt == type) {
        return name + " " +
               (type == portable::VT_DECIMAL ? Contents(portable::DecimalOf(value))
                                             : Contents(type, &value.llVal));
    }
    if (value.vt != (portable::VT_BYREF | type)) {
        return name;
    }
    if (value.byref == nullptr) {
        return name + " -> nowhere";
    }
    switch (type) {
    case portable::VT_VARIANT:
        return name + " -> {" + Describe(*value.pvarVal) + "}";
    case portable::VT_DECIMAL:
        return name + " -> " + Contents(*value.pdecVal);
    default:
        return name + " -> " + Contents(type, value.byref);
    }
}

} // namespace driversetup::testing
