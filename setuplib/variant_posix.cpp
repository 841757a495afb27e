#include "setuplib/variant.h"

#include <stdexcept>

namespace driversetup {

ScopedVariant::ScopedVariant() {
    portable::VariantInit(&value_);
}

ScopedVariant::~ScopedVariant() {
    portable::VariantClear(&value_);
}

std::int16_t ScopedVariant::ToInt16() const {
    std::int16_t converted = 0;
    switch (portable::ToInt16(value_, converted)) {
    case portable::Coercion::Ok:
        return converted;
    case portable::Coercion::Overflow:
        throw std::runtime_error("The value returned by DriverDialog cannot be converted to a "
                                 "16-bit integer: Overflow");
    case portable::Coercion::TypeMismatch:
        break;
    }
    throw std::runtime_error("The value returned by DriverDialog cannot be converted to a "
                             "16-bit integer: Type mismatch");
}

} // namespace driversetup
