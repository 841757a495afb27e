#include "setuplib/variant.h"

#include "setuplib/dynamic_library.h"
#include "setuplib/system_error.h"

#include <stdexcept>

namespace driversetup {
namespace {

// oleaut32, and the COM libraries it brings with it, are loaded at the first dialog rather
// than at start-up, which most runs would otherwise pay for without ever opening the dialog.
struct OleAutomation {
    DynamicLibrary library = DynamicLibrary::Load("oleaut32.dll");
    decltype(&::VariantClear) clear =
        reinterpret_cast<decltype(&::VariantClear)>(library.Symbol("VariantClear"));
    decltype(&::VariantChangeType) changeType =
        reinterpret_cast<decltype(&::VariantChangeType)>(library.Symbol("VariantChangeType"));
};

const OleAutomation& Automation() {
    static const OleAutomation loaded;
    return loaded;
}

} // namespace

// VARIANT{} is what VariantInit makes: the tag VT_EMPTY.
ScopedVariant::ScopedVariant() : value_{} {
    Automation(); // loaded now, so that clearing cannot fail later
}

ScopedVariant::~ScopedVariant() {
    Automation().clear(&value_);
}

std::int16_t ScopedVariant::ToInt16() const {
    VARIANT converted{};
    const HRESULT result =
        Automation().changeType(&converted, const_cast<VARIANT*>(&value_), 0, VT_I2);
    if (FAILED(result)) {
        throw std::runtime_error("The value returned by DriverDialog cannot be converted to a "
                                 "16-bit integer: " +
                                 HresultMessage(result));
    }
    return converted.iVal; // a VT_I2 owns nothing to clear
}

} // namespace driversetup
