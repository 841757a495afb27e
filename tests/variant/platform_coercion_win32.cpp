#include "tests/variant/platform_coercion.h"

#include <windows.h>

#include <oleauto.h> // after windows.h, which it needs

#include <cstring>

namespace driversetup::testing {

// The 64-bit VARIANT has 8 more bytes, for a record's second pointer; they stay zero.
static_assert(sizeof(VARIANT) >= sizeof(portable::Variant));
static_assert(sizeof(DECIMAL) == sizeof(portable::DECIMAL));

PlatformOutcome PlatformToInt16(const portable::Variant& value) {
    VARIANT source{};
    std::memcpy(&source, &value, sizeof value);
    VARIANT converted;
    VariantInit(&converted);
    const LCID english = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);
    const HRESULT status = VariantChangeTypeEx(&converted, &source, english, 0, VT_I2);
    const auto code = static_cast<std::uint32_t>(status);
    if (status == S_OK && converted.vt == VT_I2) {
        return {Converts(converted.iVal), code};
    }
    VariantClear(&converted);
    return {status == DISP_E_OVERFLOW ? kOverflow : kTypeMismatch, code};
}

wchar_t* PlatformAllocString(std::wstring_view text) {
    return SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

void PlatformFreeString(wchar_t* text) {
    SysFreeString(text);
}

} // namespace driversetup::testing
