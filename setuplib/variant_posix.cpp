#include "setuplib/variant.h"

#include <stdexcept>
#include <string>

namespace driversetup {

ScopedVariant::ScopedVariant() {
    portable::VariantInit(&value_);
}

ScopedVariant::~ScopedVariant() {
    portable::VariantClear(&value_);
}

std::int16_t ScopedVariant::ToInt16() const {
    std::int16_t converted = 0;
    const portable::Coercion outcome = portable::ToInt16(value_, converted);
    if (outcome == portable::Coercion::Ok) {
        return converted;
    }
    // Worded as Windows reports DISP_E_OVERFLOW and DISP_E_TYPEMISMATCH.
    throw std::runtime_error(
        std::string(
            "The value returned by DriverDialog cannot be converted to a 16-bit integer: ") +
        (outcome == portable::Coercion::Overflow ? "Overflow (error 0x8002000A)"
                                                 : "Type mismatch (error 0x80020005)"));
}

} // namespace driversetup
