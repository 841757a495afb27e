// The VARIANT that DriverDialog fills, and its conversion to a 16-bit integer.
// On Windows this is the platform's own VARIANT and coercion (oleaut32); elsewhere the
// portable value of portable_variant.h, which has the same tags, layout and conversions.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#include <windows.h>

#include <oleauto.h> // after windows.h, which it needs
#else
#include "setuplib/portable_variant.h"
#endif

namespace driversetup {

#if defined(_WIN32)
using Variant = ::VARIANT;
#else
using Variant = portable::Variant;
#endif

// An owned VARIANT: created empty, cleared (its text or object freed) when it goes out of scope.
class ScopedVariant {
public:
    ScopedVariant();
    ~ScopedVariant();
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;

    Variant* get() noexcept { return &value_; }

    // The standard coercion to a 16-bit signed integer; throws std::runtime_error when the
    // contents are not a number or lie outside the 16-bit range.
    std::int16_t ToInt16() const;

private:
    Variant value_;
};

} // namespace driversetup
