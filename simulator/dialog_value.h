// A value that DriverDialog stores in the caller's VARIANT: the code of the action chosen in its
// dialog, or what VELMORA_SIM_DIALOG asks for instead of the dialog.
#pragma once

#include "setuplib/variant.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace velmora {

struct EmptyValue {
    friend bool operator==(EmptyValue, EmptyValue) = default;
};
struct NullValue {
    friend bool operator==(NullValue, NullValue) = default;
};

// VT_EMPTY, VT_NULL, VT_I2, VT_I4, VT_R8, VT_BSTR, VT_BOOL.
using DialogValue =
    std::variant<EmptyValue, NullValue, std::int16_t, std::int32_t, double, std::wstring, bool>;

// <kind>[:<value>]: empty, null, i2:<n>, i4:<n>, r8:<x>, bstr:<text>, bool:true|false. Integers
// are decimal, optionally negative, and must fit the type; nothing when the text is not one of
// these.
std::optional<DialogValue> ParseDialogValue(std::wstring_view text);

// Replaces what the VARIANT holds (freeing its text) with the value; the caller owns the text it
// may then hold.
void StoreIn(driversetup::Variant& result, const DialogValue& value);

} // namespace velmora
