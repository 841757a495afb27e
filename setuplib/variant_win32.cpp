#include "setuplib/variant.h"

#include "setuplib/system_error.h"

#include <stdexcept>

namespace driversetup {

ScopedVariant::ScopedVariant() noexcept {
    VariantInit(&value_);
}

ScopedVariant::~ScopedVariant() {
    VariantClear(&value_);
}

std::int16_t ScopedVariant::ToInt16() const {
    VARIANT converted;
    VariantInit(&converted);
    const HRESULT result = VariantChangeType(&converted, const_cast<VARIANT*>(&value_), 0, VT_I2);
    if (FAILED(result)) {
        throw std::runtime_error("The value returned by DriverDialog cannot be converted to a "
                                 "16-bit integer: " +
                                 SystemMessage(static_cast<std::uint32_t>(result)));
    }
    return converted.iVal; // a VT_I2 owns nothing to clear
}

} // namespace driversetup
