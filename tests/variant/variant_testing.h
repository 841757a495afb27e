// For the tests of the coercion: values built from contents, and the result of a coercion to
// a 16-bit integer, comparable and printable so that a failing check shows what was seen.
#pragma once

#include "setuplib/portable_variant.h"

#include <cstdint>
#include <cstring>
#include <ostream>

namespace driversetup::testing {

// A value of this type with these contents.
template <typename T> portable::Variant Holding(portable::VARTYPE type, T content) {
    portable::Variant value;
    portable::VariantInit(&value);
    value.vt = type;
    std::memcpy(&value.llVal, &content, sizeof content);
    return value;
}

struct Outcome {
    portable::Coercion coercion;
    std::int16_t value; // 0 unless the coercion is Ok

    friend bool operator==(const Outcome&, const Outcome&) = default;
};

constexpr Outcome Converts(std::int16_t value) {
    return {portable::Coercion::Ok, value};
}
constexpr Outcome kOverflow{portable::Coercion::Overflow, 0};
constexpr Outcome kTypeMismatch{portable::Coercion::TypeMismatch, 0};

inline Outcome PortableToInt16(const portable::Variant& value) {
    std::int16_t result = 0;
    const portable::Coercion coercion = portable::ToInt16(value, result);
    return {coercion, coercion == portable::Coercion::Ok ? result : std::int16_t{0}};
}

inline std::ostream& operator<<(std::ostream& out, const Outcome& outcome) {
    switch (outcome.coercion) {
    case portable::Coercion::Ok:
        return out << outcome.value;
    case portable::Coercion::Overflow:
        return out << "Overflow";
    case portable::Coercion::TypeMismatch:
        return out << "TypeMismatch";
    }
    return out << "?";
}

} // namespace driversetup::testing
