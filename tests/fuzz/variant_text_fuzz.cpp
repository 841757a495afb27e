// libFuzzer target for reading a number from a VT_BSTR value (each input byte is one
// character). Besides running clean under the sanitizers, the coercion must give the same
// answer by reference, ignore space added around the text, and agree with plain arithmetic
// on texts that are only digits.
#include "setuplib/portable_variant.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

using namespace driversetup::portable;

struct Result {
    Coercion coercion;
    std::int16_t value; // 0 unless Ok

    friend bool operator==(const Result&, const Result&) = default;
};

void Check(bool holds, const char* invariant) {
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", invariant);
        std::abort();
    }
}

Result Convert(const Variant& value) {
    std::int16_t number = 0;
    const Coercion coercion = ToInt16(value, number);
    return {coercion, coercion == Coercion::Ok ? number : std::int16_t{0}};
}

Result ConvertText(const std::wstring& text) {
    Variant value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocString(text);
    const Result direct = Convert(value);

    Variant reference;
    VariantInit(&reference);
    reference.vt = VT_BYREF | VT_BSTR;
    reference.pbstrVal = &value.bstrVal;
    Check(Convert(reference) == direct, "a reference to the text converts as the text");

    VariantClear(&value);
    return direct;
}

// The answer for digits with an optional leading minus, by plain arithmetic.
std::optional<Result> PlainDigits(const std::wstring& text) {
    const bool negative = !text.empty() && text.front() == L'-';
    const std::size_t first = negative ? 1 : 0;
    if (first == text.size()) {
        return std::nullopt;
    }
    std::int64_t magnitude = 0;
    for (std::size_t i = first; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') {
            return std::nullopt;
        }
        magnitude = std::min<std::int64_t>(magnitude * 10 + (text[i] - L'0'), 1'000'000);
    }
    const std::int64_t number = negative ? -magnitude : magnitude;
    if (number < -32768 || number > 32767) {
        return Result{Coercion::Overflow, 0};
    }
    return Result{Coercion::Ok, static_cast<std::int16_t>(number)};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text(data, data + size);
    const Result result = ConvertText(text);
    Check(ConvertText(L" " + text + L"\t") == result, "space around the text changes nothing");
    if (const std::optional<Result> expected = PlainDigits(text)) {
        Check(result == *expected, "digits convert as arithmetic says");
    }
    return 0;
}
