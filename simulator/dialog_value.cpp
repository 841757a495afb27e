#include "simulator/dialog_value.h"

#include "simulator/number_text.h"

namespace velmora {

#if !defined(_WIN32)
using namespace driversetup::portable; // the tags and text functions of the platform's VARIANT
#endif

namespace {

template <typename... Handlers> struct Overloaded : public Handlers... {
    using Handlers::operator()...;
};
template <typename... Handlers> Overloaded(Handlers...) -> Overloaded<Handlers...>;

} // namespace

std::optional<DialogValue> ParseDialogValue(std::wstring_view text) {
    const auto colon = text.find(L':');
    const std::wstring_view kind = text.substr(0, colon);
    if (colon == std::wstring_view::npos) {
        if (kind == L"empty") {
            return EmptyValue{};
        }
        if (kind == L"null") {
            return NullValue{};
        }
        return std::nullopt;
    }
    const std::wstring_view value = text.substr(colon + 1);
    const auto parsed = [](auto number) -> std::optional<DialogValue> {
        return number ? std::optional<DialogValue>(*number) : std::nullopt;
    };
    if (kind == L"i2") {
        return parsed(ParseNumber<std::int16_t>(value));
    }
    if (kind == L"i4") {
        return parsed(ParseNumber<std::int32_t>(value));
    }
    if (kind == L"r8") {
        return parsed(ParseNumber<double>(value));
    }
    if (kind == L"bstr") {
        return std::wstring(value);
    }
    if (kind == L"bool" && (value == L"true" || value == L"false")) {
        return value == L"true";
    }
    return std::nullopt;
}

void StoreIn(driversetup::Variant& result, const DialogValue& value) {
    VariantClear(&result);
    std::visit(Overloaded{
                   [&](EmptyValue) { result.vt = VT_EMPTY; },
                   [&](NullValue) { result.vt = VT_NULL; },
                   [&](std::int16_t number) {
                       result.vt = VT_I2;
                       result.iVal = number;
                   },
                   [&](std::int32_t number) {
                       result.vt = VT_I4;
                       result.lVal = number;
                   },
                   [&](double number) {
                       result.vt = VT_R8;
                       result.dblVal = number;
                   },
                   [&](const std::wstring& text) {
                       result.vt = VT_BSTR;
                       // The platform's SysAllocString takes a pointer (the portable one, a
                       // view).
                       // NOLINTNEXTLINE(readability-redundant-string-cstr)
                       result.bstrVal = SysAllocString(text.c_str());
                   },
                   [&](bool truth) {
                       result.vt = VT_BOOL;
                       result.boolVal = truth ? VARIANT_TRUE : VARIANT_FALSE;
                   },
               },
               value);
}

} // namespace velmora
