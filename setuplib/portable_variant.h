// A tagged value with the layout, tag numbers and 16-bit integer coercion of the OLE Automation
// VARIANT, for platforms that have none. The library that fills it and the program that reads
// it share this header, so text is allocated and freed by the same C runtime.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string_view>

namespace driversetup::portable {

using VARTYPE = std::uint16_t;

// The platform's tag numbers (VARENUM).
enum : VARTYPE {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_CY = 6,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_UNKNOWN = 13,
    VT_DECIMAL = 14,
    VT_I1 = 16,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_I8 = 20,
    VT_UI8 = 21,
    VT_INT = 22,
    VT_UINT = 23,
    VT_TYPEMASK = 0x0FFF,
    VT_VECTOR = 0x1000,
    VT_ARRAY = 0x2000,
    VT_BYREF = 0x4000,
    VT_RESERVED = 0x8000,
};

inline constexpr std::int16_t VARIANT_TRUE = -1;
inline constexpr std::int16_t VARIANT_FALSE = 0;

// Currency: a 64-bit integer scaled by 10,000.
struct CY {
    std::int64_t int64;
};

// A 96-bit integer divided by a power of ten. A VT_DECIMAL value fills the whole 16 bytes: the
// tag takes the place of wReserved.
struct DECIMAL {
    std::uint16_t wReserved;
    std::uint8_t scale; // digits after the point, 0 to 28
    std::uint8_t sign;  // 0x80 when negative
    std::uint32_t Hi32;
    std::uint64_t Lo64;
};
static_assert(sizeof(DECIMAL) == 16);

// 16 bytes on every platform: a tag, three reserved words, then 8 bytes of value.
struct Variant {
    VARTYPE vt;
    std::uint16_t wReserved1;
    std::uint16_t wReserved2;
    std::uint16_t wReserved3;
    union {
        std::int8_t cVal;
        std::uint8_t bVal;
        std::int16_t iVal;
        std::uint16_t uiVal;
        std::int32_t lVal;
        std::uint32_t ulVal;
        std::int64_t llVal;
        std::uint64_t ullVal;
        std::int32_t intVal;
        std::uint32_t uintVal;
        float fltVal;
        double dblVal;
        double date;
        CY cyVal;
        std::int16_t boolVal;
        std::int32_t scode;
        wchar_t* bstrVal;
        void* byref;
        std::int8_t* pcVal;
        std::uint8_t* pbVal;
        std::int16_t* piVal;
        std::uint16_t* puiVal;
        std::int32_t* plVal;
        std::uint32_t* pulVal;
        std::int64_t* pllVal;
        std::uint64_t* pullVal;
        std::int32_t* pintVal;
        std::uint32_t* puintVal;
        float* pfltVal;
        double* pdblVal;
        double* pdate;
        CY* pcyVal;
        std::int16_t* pboolVal;
        wchar_t** pbstrVal;
        DECIMAL* pdecVal;
        Variant* pvarVal;
    };
};
static_assert(sizeof(Variant) == 16);

// The DECIMAL that a VT_DECIMAL value holds, and storing one (which sets the tag).
inline DECIMAL DecimalOf(const Variant& value) {
    DECIMAL number;
    std::memcpy(&number, &value, sizeof number);
    return number;
}

inline void StoreDecimal(Variant* value, const DECIMAL& number) {
    std::memcpy(value, &number, sizeof number);
    value->vt = VT_DECIMAL;
}

// Text for a VT_BSTR value; the value owns it and VariantClear frees it.
inline wchar_t* SysAllocString(std::wstring_view text) {
    auto* copy = static_cast<wchar_t*>(std::malloc((text.size() + 1) * sizeof(wchar_t)));
    if (copy != nullptr) {
        std::wmemcpy(copy, text.data(), text.size());
        copy[text.size()] = L'\0';
    }
    return copy;
}

inline void SysFreeString(wchar_t* text) {
    std::free(text);
}

inline void VariantInit(Variant* value) {
    std::memset(value, 0, sizeof *value);
}

// Frees what the value owns (text; BYREF values own nothing) and leaves it empty.
inline void VariantClear(Variant* value) {
    if (value->vt == VT_BSTR) {
        SysFreeString(value->bstrVal);
    }
    VariantInit(value);
}

enum class Coercion { Ok, Overflow, TypeMismatch };

// The platform's coercion to VT_I2 (VariantChangeType with no flags, English (United States)
// number symbols). Objects are a type mismatch here: their default value needs COM.
Coercion ToInt16(const Variant& value, std::int16_t& result);

} // namespace driversetup::portable
