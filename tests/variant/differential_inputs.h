// A large generated set of values of every kind, for comparing the portable coercion with the
// platform's. The set owns the text and the referenced cells its values point to.
#pragma once

#include "setuplib/portable_variant.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace driversetup::testing {

class DifferentialInputs {
public:
    DifferentialInputs();
    ~DifferentialInputs();
    DifferentialInputs(const DifferentialInputs&) = delete;
    DifferentialInputs& operator=(const DifferentialInputs&) = delete;

    const std::vector<portable::Variant>& values() const { return values_; }

private:
    friend class InputGenerator;

    // What BYREF values point to. A 64-bit platform VARIANT is 8 bytes longer (for a record's
    // second pointer): a value pointed to has those bytes, zero.
    struct Cell {
        portable::Variant value;
        std::uint64_t platformTail = 0;
    };

    std::vector<portable::Variant> values_;
    std::deque<Cell> cells_; // never moves
    std::vector<wchar_t*> texts_;
};

// The input as a line of a report: its tag and contents, text escaped.
std::string Describe(const portable::Variant& value);

} // namespace driversetup::testing
