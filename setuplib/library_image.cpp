#include "setuplib/library_image.h"

namespace driversetup {
namespace {

constexpr std::size_t peOffsetField = 0x3C; // e_lfanew, in the MS-DOS header

std::uint32_t LittleEndian(std::span<const std::byte> bytes) noexcept {
    std::uint32_t value = 0;
    for (std::size_t index = bytes.size(); index > 0; --index) {
        value = value << 8U | std::to_integer<std::uint32_t>(bytes[index - 1]);
    }
    return value;
}

bool Holds(std::span<const std::byte> bytes, std::string_view text) noexcept {
    for (std::size_t index = 0; index < text.size(); ++index) {
        if (bytes[index] != static_cast<std::byte>(text[index])) {
            return false;
        }
    }
    return true;
}

std::string_view BitsOf(ImageMachine machine) {
    return machine == ImageMachine::X64 ? "64-bit" : "32-bit";
}

} // namespace

ImageMachine ReadImageMachine(std::span<const std::byte> start) noexcept {
    constexpr std::string_view signature("PE\0\0", 4);
    constexpr std::size_t machineSize = 2;
    if (start.size() < peOffsetField + 4 || !Holds(start, "MZ")) {
        return ImageMachine::NotAnImage;
    }
    const std::uint32_t offset = LittleEndian(start.subspan(peOffsetField, 4));
    if (offset > start.size() - signature.size() - machineSize ||
        !Holds(start.subspan(offset), signature)) {
        return ImageMachine::NotAnImage;
    }
    switch (LittleEndian(start.subspan(offset + signature.size(), machineSize))) {
    case 0x014C: // IMAGE_FILE_MACHINE_I386
        return ImageMachine::X86;
    case 0x8664: // IMAGE_FILE_MACHINE_AMD64
        return ImageMachine::X64;
    default:
        return ImageMachine::Other;
    }
}

std::string LoadRemedy(ImageMachine library, ImageMachine program, std::string_view fileName) {
    const std::string name(fileName);
    if (library == ImageMachine::Other) {
        return name + " is built for another kind of processor than this program.";
    }
    if (library == ImageMachine::NotAnImage || library == program) {
        return "The file " + name + " is damaged or is not a library.";
    }
    const std::string bits(BitsOf(library));
    return name + " is a " + bits + " library and this program is " + std::string(BitsOf(program)) +
           ": use the " + bits + " DriverSetup.exe with it.";
}

} // namespace driversetup
