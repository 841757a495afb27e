// Compares the portable coercion to a 16-bit integer with the platform's own on a large
// generated set of values, and lists every disagreement.
#include "tests/variant/differential_inputs.h"
#include "tests/variant/platform_coercion.h"
#include "tests/variant/variant_testing.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <sstream>
#include <string>

namespace driversetup::testing {
namespace {

// The floating-point number an input holds, directly or by reference.
std::optional<double> RealIn(const portable::Variant& input) {
    if (input.vt == (portable::VT_BYREF | portable::VT_VARIANT) && input.pvarVal != nullptr) {
        return RealIn(*input.pvarVal);
    }
    const portable::VARTYPE type = input.vt & portable::VT_TYPEMASK;
    const void* content = input.vt == type                          ? &input.llVal
                          : input.vt == (portable::VT_BYREF | type) ? input.byref
                                                                    : nullptr;
    if (content == nullptr) {
        return std::nullopt;
    }
    switch (type) {
    case portable::VT_R4: {
        float number;
        std::memcpy(&number, content, sizeof number);
        return number;
    }
    case portable::VT_R8:
    case portable::VT_DATE: {
        double number;
        std::memcpy(&number, content, sizeof number);
        return number;
    }
    default:
        return std::nullopt;
    }
}

struct KnownDifference {
    const char* reason;
    bool (*applies)(const portable::Variant& input, const Outcome& platform);
};

// Where the portable value answers otherwise than the platform, and why.
const KnownDifference kKnownDifferences[] = {
    {"NaN has no integer value; the platform returns whatever its processor's invalid "
     "conversion gives: 32767 in 32-bit (x87) code, -1 in 64-bit code, which the portable "
     "value follows",
     [](const portable::Variant& input, const Outcome& platform) {
         const std::optional<double> number = RealIn(input);
         return sizeof(void*) == 4 && number && std::isnan(*number) && platform == Converts(32767);
     }},
};

const KnownDifference* Explanation(const portable::Variant& input, const Outcome& platform) {
    for (const KnownDifference& difference : kKnownDifferences) {
        if (difference.applies(input, platform)) {
            return &difference;
        }
    }
    return nullptr;
}

std::string Show(const Outcome& outcome) {
    std::ostringstream text;
    text << outcome;
    return text.str();
}

int Compare() {
    const DifferentialInputs inputs;
    std::size_t known = 0;
    std::size_t unexplained = 0;
    for (const portable::Variant& input : inputs.values()) {
        const PlatformOutcome platform = PlatformToInt16(input);
        const Outcome portable = PortableToInt16(input);
        if (platform.outcome == portable) {
            continue;
        }
        const KnownDifference* explanation = Explanation(input, platform.outcome);
        ++(explanation != nullptr ? known : unexplained);
        std::printf("%s %s: platform %s (0x%08X), portable %s%s%s\n",
                    explanation != nullptr ? "known" : "DIFFERS", Describe(input).c_str(),
                    Show(platform.outcome).c_str(), static_cast<unsigned>(platform.status),
                    Show(portable).c_str(), explanation != nullptr ? ": " : "",
                    explanation != nullptr ? explanation->reason : "");
    }
    std::printf("%zu inputs compared: %zu agree, %zu known differences, %zu unexplained\n",
                inputs.values().size(), inputs.values().size() - known - unexplained, known,
                unexplained);
    return unexplained == 0 ? 0 : 1;
}

} // namespace
} // namespace driversetup::testing

int main() {
    return driversetup::testing::Compare();
}
