// The binding against the real stand-in library that lies beside this test.
#include "setuplib/bound_library.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

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

bool IsLoaded(const char* name) {
    return GetModuleHandleA(name) != nullptr;
}
void SetEnvironment(const char* name, const std::string& value) {
    _putenv_s(name, value.c_str());
}
#else
constexpr char standIn[] = "libVelmoraSetup.so";
constexpr char libraryWithoutTheFunctions[] = "libm.so.6";

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

struct Binding : ::testing::Test {
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

TEST_F(Binding, LoadsAtTheFirstCallOnlyAndPassesArgumentsAndResults) {
    ASSERT_FALSE(IsLoaded(standIn)) << "loaded before the test";
    {
        BoundDriverSetupLibrary library;
        EXPECT_FALSE(library.Loaded());
        EXPECT_FALSE(IsLoaded(standIn));

        EXPECT_EQ(library.InstDriver(1), -2);
        EXPECT_TRUE(IsLoaded(standIn));
        EXPECT_EQ(library.InstDriver(1), -2);
        EXPECT_EQ(library.UninstallDriver(1), 3008);
        EXPECT_EQ(library.GetTolvekDriverInfo(), 70000);
        ScopedVariant result;
        library.DriverDialog(result.get());
        EXPECT_EQ(result.ToInt16(), -300);
    }
    // Loaded exactly once: the binding's one release unloads it again.
    EXPECT_FALSE(IsLoaded(standIn));
    EXPECT_EQ(ReadAll(log), "InstDriver 1\nInstDriver 1\nUninstallDriver 1\nGetTolvekDriverInfo\n"
                            "DriverDialog\n");
}

TEST_F(Binding, AMissingLibraryRaisesAtEachFunctionsFirstCallNamingIt) {
    BoundDriverSetupLibrary library("NoSuchSetupLibrary.dll");
    const std::string message = MessageOf([&] { library.InstDriver(1); });
    EXPECT_NE(message.find("NoSuchSetupLibrary.dll"), std::string::npos) << message;
    EXPECT_NE(message.find(": "), std::string::npos) << "with the system's reason: " << message;
    EXPECT_NE(MessageOf([&] { library.GetTolvekDriverInfo(); }), "(nothing raised)");
}

TEST_F(Binding, AMissingFunctionRaisesNamingTheFunction) {
    BoundDriverSetupLibrary library(libraryWithoutTheFunctions);
    for (const auto& [name, call] :
         std::initializer_list<std::pair<std::string, std::function<void()>>>{
             {"InstDriver", [&] { library.InstDriver(1); }},
             {"UninstallDriver", [&] { library.UninstallDriver(1); }},
             {"GetTolvekDriverInfo", [&] { library.GetTolvekDriverInfo(); }},
             {"DriverDialog",
              [&] {
                  ScopedVariant v;
                  library.DriverDialog(v.get());
              }},
         }) {
        const std::string message = MessageOf(call);
        EXPECT_NE(message.find(name), std::string::npos) << message;
        EXPECT_NE(message.find(libraryWithoutTheFunctions), std::string::npos) << message;
    }
}

} // namespace
} // namespace driversetup
