// The platform's own coercion (oleaut32's VariantChangeTypeEx to VT_I2, English (United
// States)), to compare the portable one with. Kept apart from the portable header's users
// because the platform's headers define some of the same names as macros.
#pragma once

#include "setuplib/portable_variant.h"
#include "tests/variant/variant_testing.h"

#include <cstdint>
#include <string_view>

namespace driversetup::testing {

struct PlatformOutcome {
    Outcome outcome;
    std::uint32_t status; // the HRESULT
};

// The value has the platform's layout, so it is handed over as it is.
PlatformOutcome PlatformToInt16(const portable::Variant& value);

// Text with the platform's length prefix, as a VT_BSTR value needs.
wchar_t* PlatformAllocString(std::wstring_view text);
void PlatformFreeString(wchar_t* text);

} // namespace driversetup::testing
