// Why the system could not load a library file as a library: what the file's headers say it was
// built for, read from its first bytes, and the sentence that names the remedy. The system's own
// text says only that the file "is not a valid Win32 application", whether it was built for the
// other architecture (the likeliest mistake in deploying the program: the other build's zip) or
// is damaged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace driversetup {

enum class ImageMachine : std::uint8_t { NotAnImage, X86, X64, Other };

// The machine in the headers of an executable file: its MS-DOS header's "MZ", the offset of its
// PE header, and there "PE\0\0" and the machine. NotAnImage when any of it is missing, including
// a header that lies past the end of `start`, the file's first bytes.
ImageMachine ReadImageMachine(std::span<const std::byte> start) noexcept;

// The sentence for a library file of `library`'s machine that a program of `program`'s machine
// (X86 or X64) could not load: the build to use, or that the file is damaged (a library of the
// program's own machine that still does not load is one).
std::string LoadRemedy(ImageMachine library, ImageMachine program, std::string_view fileName);

} // namespace driversetup
