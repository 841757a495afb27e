// The binding through a loader that counts what it is asked for; the program's loader and
// binding against the real stand-in library that lies beside this test.
#include "setuplib/bound_library.h"
#include "setuplib/dynamic_library.h"
#include "setuplib/library_image.h"
#include "setuplib/system_error.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace driversetup {
namespace {

#if defined(_WIN32)
constexpr char standIn[] = "VelmoraSetup.dll";
constexpr char libraryWithoutTheFunctions[] = "kernel32.dll";
// Win32 error codes are written in decimal: the module or the procedure was not found.
constexpr char missingLibraryReason[] = "(error 126)";
constexpr char missingFunctionReason[] = "(error 127)";

bool IsLoaded(const char* name) {
    return GetModuleHandleA(name) != nullptr;
}
void SetEnvironment(const char* name, const std::string& value) {
    _putenv_s(name, value.c_str());
}
#else
using namespace portable;
constexpr char standIn[] = "libVelmoraSetup.so";
constexpr char libraryWithoutTheFunctions[] = "libm.so.6";
constexpr char missingLibraryReason[] = "cannot open shared object file";
constexpr char missingFunctionReason[] = "undefined symbol";

bool IsLoaded(const char* name) {
    void* module = dlopen(name, RTLD_NOW | RTLD_NOLOAD);
    if (module != nullptr) {
        dlclose(module);
    }
    return module != nullptr;
}
void SetEnvironment(const char* name, const std::string& value) {
    setenv(name, value.c_str(), 1);
}
#endif

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream file(path);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string MessageOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "(nothing raised)";
}

// Each answers from its argument in its own way, so that a function bound to another's slot
// shows.
std::int16_t SETUP_API FakeInstDriver(std::int32_t argument) {
    return static_cast<std::int16_t>(argument + 10);
}
std::int16_t SETUP_API FakeUninstallDriver(std::int32_t argument) {
    return static_cast<std::int16_t>(argument + 20);
}
std::int32_t SETUP_API FakeGetTolvekDriverInfo() {
    return 70000;
}
std::int32_t SETUP_API FakeDriverDialog(Variant* result) {
    result->vt = VT_I2;
    result->iVal = -300;
    return 0;
}

// Hands out the functions above and notes every load and lookup; fails where told.
class CountingLoader final : public LibraryLoader, public LoadedLibrary {
public:
    const LoadedLibrary& Load(const std::string& fileName) override {
        loads.push_back(fileName);
        if (failLoads) {
            throw std::runtime_error("Cannot load the library " + fileName);
        }
        return *this;
    }
    void* Symbol(const char* name) const override {
        lookups.emplace_back(name);
        const auto found = functions.find(name);
        if (found == functions.end()) {
            throw std::runtime_error(std::string("Cannot find the function ") + name);
        }
        return found->second;
    }

    bool failLoads = false;
    std::map<std::string, void*> functions{
        {"InstDriver", reinterpret_cast<void*>(&FakeInstDriver)},
        {"UninstallDriver", reinterpret_cast<void*>(&FakeUninstallDriver)},
        {"GetTolvekDriverInfo", reinterpret_cast<void*>(&FakeGetTolvekDriverInfo)},
        {"DriverDialog", reinterpret_cast<void*>(&FakeDriverDialog)},
    };
    std::vector<std::string> loads;
    mutable std::vector<std::string> lookups;
};

std::int16_t DialogResult(BoundDriverSetupLibrary& library) {
    ScopedVariant result;
    library.DriverDialog(result.get());
    return result.ToInt16();
}

TEST(Binding, LoadsOnceAtTheFirstCallAndLooksUpEachFunctionOnce) {
    CountingLoader loader;
    BoundDriverSetupLibrary library(loader);
    EXPECT_TRUE(loader.loads.empty()) << "loaded before the first call";

    EXPECT_EQ(library.GetTolvekDriverInfo(), 70000);
    EXPECT_EQ(loader.loads, std::vector<std::string>{standIn});
    EXPECT_EQ(loader.lookups, std::vector<std::string>{"GetTolvekDriverInfo"});
    for (int round = 1; round <= 2; ++round) {
        EXPECT_EQ(library.InstDriver(round), round + 10);
        EXPECT_EQ(library.UninstallDriver(round), round + 20);
        EXPECT_EQ(library.GetTolvekDriverInfo(), 70000);
        EXPECT_EQ(DialogResult(library), -300);
    }
    EXPECT_EQ(loader.loads.size(), 1U);
    EXPECT_EQ(loader.lookups, (std::vector<std::string>{"GetTolvekDriverInfo", "InstDriver",
                                                        "UninstallDriver", "DriverDialog"}));
}

TEST(Binding, AFailedLoadRaisesAtTheCallAndIsTriedAgainAtTheNext) {
    CountingLoader loader;
    loader.failLoads = true;
    BoundDriverSetupLibrary library(loader);
    const std::string failure = std::string("Cannot load the library ") + standIn;
    EXPECT_EQ(MessageOf([&] { library.InstDriver(1); }), failure);
    EXPECT_EQ(MessageOf([&] { library.GetTolvekDriverInfo(); }), failure);
    EXPECT_EQ(loader.loads.size(), 2U);
    EXPECT_TRUE(loader.lookups.empty());

    loader.failLoads = false;
    EXPECT_EQ(library.InstDriver(1), 11);
    EXPECT_EQ(loader.loads.size(), 3U);
}

TEST(Binding, AMissingFunctionRaisesAtEachOfItsCalls) {
    CountingLoader loader;
    loader.functions.clear();
    BoundDriverSetupLibrary library(loader);
    const std::pair<std::string, std::function<void()>> calls[] = {
        {"InstDriver", [&] { library.InstDriver(1); }},
        {"UninstallDriver", [&] { library.UninstallDriver(1); }},
        {"GetTolvekDriverInfo", [&] { library.GetTolvekDriverInfo(); }},
        {"DriverDialog", [&] { DialogResult(library); }},
    };
    for (const auto& [name, call] : calls) {
        EXPECT_EQ(MessageOf(call), "Cannot find the function " + name);
        EXPECT_EQ(MessageOf(call), "Cannot find the function " + name) << "called again";
    }
    EXPECT_EQ(loader.loads.size(), 1U);
    EXPECT_EQ(loader.lookups.size(), 8U);
}

TEST(DynamicLibrary, NamesAMissingLibraryOrFunctionWithTheSystemsReason) {
    const std::string library = MessageOf([] { DynamicLibrary::Load("NoSuchSetupLibrary.dll"); });
    EXPECT_NE(library.find("NoSuchSetupLibrary.dll"), std::string::npos) << library;
    EXPECT_NE(library.find(missingLibraryReason), std::string::npos) << library;

    const std::string function =
        MessageOf([] { DynamicLibrary::Load(libraryWithoutTheFunctions).Symbol("InstDriver"); });
    EXPECT_NE(function.find("InstDriver"), std::string::npos) << function;
    EXPECT_NE(function.find(libraryWithoutTheFunctions), std::string::npos) << function;
    EXPECT_NE(function.find(missingFunctionReason), std::string::npos) << function;
}

// The stand-in answers as these switches say and logs every call.
struct StandIn : ::testing::Test {
    std::filesystem::path log = std::filesystem::temp_directory_path() /
                                ("driversetup-binding-" + std::to_string(std::rand()) + ".log");

    void SetUp() override {
        SetEnvironment("VELMORA_SIM_LOG", log.string());
        SetEnvironment("VELMORA_SIM_STORE", log.string() + ".store");
        SetEnvironment("VELMORA_SIM_INSTDRIVER", "-2");
        SetEnvironment("VELMORA_SIM_UNINSTALLDRIVER", "3008");
        SetEnvironment("VELMORA_SIM_DRIVERINFO", "70000");
        SetEnvironment("VELMORA_SIM_DIALOG", "i2:-300");
    }
    void TearDown() override {
        std::filesystem::remove(log);
        std::filesystem::remove(log.string() + ".store");
    }
};

// Runs first of the two: after the binding's test the stand-in stays loaded for good.
TEST_F(StandIn, TheLoaderFindsItsFunctionsAndUnloadsItWhenItGoes) {
    ASSERT_FALSE(IsLoaded(standIn)) << "loaded before the test";
    {
        const DynamicLibrary library = DynamicLibrary::Load(standIn);
        EXPECT_TRUE(IsLoaded(standIn));
        const auto status = reinterpret_cast<setup_api::GetTolvekDriverInfoFn>(
            library.Symbol("GetTolvekDriverInfo"));
        EXPECT_EQ(status(), 70000);
    }
    EXPECT_FALSE(IsLoaded(standIn));
}

TEST_F(StandIn, TheProgramsBindingPassesArgumentsAndResultsAndKeepsItLoaded) {
    {
        BoundDriverSetupLibrary library;
        EXPECT_EQ(library.InstDriver(1), -2);
        EXPECT_EQ(library.InstDriver(1), -2);
        EXPECT_EQ(library.UninstallDriver(7), 3008);
        EXPECT_EQ(library.GetTolvekDriverInfo(), 70000);
        EXPECT_EQ(DialogResult(library), -300);
    }
    EXPECT_TRUE(IsLoaded(standIn)) << "unloaded when the binding went";
    EXPECT_EQ(ReadAll(log), "InstDriver 1\nInstDriver 1\nUninstallDriver 7\nGetTolvekDriverInfo\n"
                            "DriverDialog\n");
}

// The start of an executable file: "MZ", the PE header's offset at 0x3C (0x80), there "PE\0\0"
// and the machine.
std::string ImageStart(unsigned machine) {
    std::string bytes = "MZ" + std::string(0x3A, '\0') + "\x80" + std::string(0x43, '\0');
    return bytes.append("PE\0\0", 4) + static_cast<char>(machine & 0xFF) +
           static_cast<char>(machine >> 8);
}

TEST(LibraryImage, ReadsTheMachineOrFindsNoImage) {
    const std::string x86 = ImageStart(0x014C);
    const struct {
        const char* name;
        std::string bytes;
        ImageMachine expected;
    } cases[] = {
        {"32-bit", x86, ImageMachine::X86},
        {"64-bit", ImageStart(0x8664), ImageMachine::X64},
        {"ARM64", ImageStart(0xAA64), ImageMachine::Other},
        {"too short", x86.substr(0, 0x3F), ImageMachine::NotAnImage},
        {"no MZ", "ZM" + x86.substr(2), ImageMachine::NotAnImage},
        {"no PE", x86.substr(0, 0x80) + "PX" + x86.substr(0x82), ImageMachine::NotAnImage},
        {"machine past the end", x86.substr(0, 0x85), ImageMachine::NotAnImage},
        {"offset past the end", x86.substr(0, 0x3E) + "\xFF\xFF" + x86.substr(0x40),
         ImageMachine::NotAnImage},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadImageMachine(std::as_bytes(std::span(c.bytes))), c.expected) << c.name;
    }
}

TEST(SystemText, FillsEveryPercentOneButNotPercentTen) {
    EXPECT_EQ(WithInsert("%1 is not a valid Win32 application", "A.dll"),
              "A.dll is not a valid Win32 application");
    EXPECT_EQ(WithInsert("%1 and %1", "A"), "A and A");
    EXPECT_EQ(WithInsert("%10, %1", "A"), "%10, A");
    EXPECT_EQ(WithInsert("the %1%1", "%1"), "the %1%1") << "the subject is not searched again";
    EXPECT_EQ(WithInsert("no insert", "A"), "no insert");
}

} // namespace
} // namespace driversetup
