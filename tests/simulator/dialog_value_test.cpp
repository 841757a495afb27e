#include "simulator/dialog_value.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace velmora {
namespace {

#if !defined(_WIN32)
using namespace driversetup::portable;
#endif

// The VARIANT's tag and contents, e.g. "I2 -3".
std::string Show(const driversetup::Variant& value) {
    std::ostringstream text;
    switch (value.vt) {
    case VT_EMPTY:
        text << "EMPTY";
        break;
    case VT_NULL:
        text << "NULL";
        break;
    case VT_I2:
        text << "I2 " << value.iVal;
        break;
    case VT_I4:
        text << "I4 " << value.lVal;
        break;
    case VT_R8:
        text << "R8 " << value.dblVal;
        break;
    case VT_BOOL:
        text << "BOOL " << value.boolVal;
        break;
    case VT_BSTR:
        text << "BSTR of " << std::wstring(value.bstrVal).size();
        break;
    default:
        text << "VT " << value.vt;
    }
    return text.str();
}

TEST(DialogValueTest, StoresEachKindAndIgnoresAnythingElse) {
    struct Case {
        std::wstring text;
        std::string stored;
    };
    const Case cases[] = {
        {L"empty", "EMPTY"},
        {L"null", "NULL"},
        {L"i2:-32768", "I2 -32768"},
        {L"bstr:a:b", "BSTR of 3"},
        {L"i2:32767", "I2 32767"},
        {L"i2:32768", "ignored"},
        {L"i4:-2147483648", "I4 -2147483648"},
        {L"i4:2147483648", "ignored"},
        {L"r8:2.5", "R8 2.5"},
        {L"r8:-1e3", "R8 -1000"},
        {L"r8:", "ignored"},
        {L"bstr:", "BSTR of 0"},
        {L"bstr:\u4E09", "BSTR of 1"},
        {L"bool:true", "BOOL -1"},
        {L"bool:false", "BOOL 0"},
        {L"bool:1", "ignored"},
        {L"i2:+5", "ignored"},
        {L"i2: 5", "ignored"},
        {L"i2:5 ", "ignored"},
        {L"i2:0x10", "ignored"},
        {L"i2:\uFF15", "ignored"}, // a full-width digit
        {L"i2", "ignored"},
        {L"I2:5", "ignored"},
        {L"empty:", "ignored"},
        {L"", "ignored"},
    };
    // One VARIANT for all: each value replaces the one before, whose text must be freed (which
    // the leak checker of the sanitizer build watches).
    driversetup::ScopedVariant result;
    for (const Case& c : cases) {
        const auto value = ParseDialogValue(c.text);
        if (value) {
            StoreIn(*result.get(), *value);
        }
        EXPECT_EQ(c.stored, value ? Show(*result.get()) : "ignored")
            << std::string(c.text.begin(), c.text.end());
    }
}

} // namespace
} // namespace velmora
