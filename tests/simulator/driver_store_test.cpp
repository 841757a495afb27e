#include "simulator/driver_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace velmora {
namespace {

// Both drivers' versions as a short text, e.g. "older/-" for an older USB driver only.
std::string Show(const DriverStore& store) {
    const auto show = [](const std::optional<Version>& version) -> std::string {
        if (!version) {
            return "-";
        }
        return *version == Version::Same ? "same" : *version == Version::Older ? "older" : "newer";
    };
    return show(store.usb) + "/" + show(store.parallel);
}

TEST(DriverStoreTest, StatusCodeCombinesTheVersionAndTheDriversFound) {
    constexpr auto same = Version::Same;
    constexpr auto older = Version::Older;
    constexpr auto newer = Version::Newer;
    struct Case {
        DriverStore store;
        std::int32_t code;
    };
    const Case cases[] = {
        {{}, 0},
        {{same, same}, 1},
        {{same, {}}, 2},
        {{{}, same}, 3},
        {{older, older}, 4},
        {{older, {}}, 5},
        {{{}, older}, 6},
        {{newer, newer}, 7},
        {{newer, {}}, 8},
        {{{}, newer}, 9},
        // Versions that differ: older before newer before same.
        {{same, older}, 4},
        {{newer, older}, 4},
        {{older, same}, 4},
        {{same, newer}, 7},
        {{newer, same}, 7},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.code, StatusCode(c.store)) << Show(c.store);
    }
}

TEST(DriverStoreTest, ParsesOnlyWellFormedStores) {
    struct Case {
        std::string text;
        std::optional<std::string> store; // as Show writes it; nothing for a malformed text
    };
    const Case cases[] = {
        {"", "-/-"},
        {"USBTolvek=same\nParallelTolvek=newer\n", "same/newer"},
        {"ParallelTolvek=older", "-/older"},
        {"# hand-edited\r\n\r\nUSBTolvek=older\r\n", "older/-"},
        {"USBTolvek=same\nUSBTolvek=same\n", std::nullopt},
        {"USBTolvek = same\n", std::nullopt},
        {"USBTolvek=Same\n", std::nullopt},
        {"USBTolvek=\n", std::nullopt},
        {"SerialTolvek=same\n", std::nullopt},
        {"USBTolvek\n", std::nullopt},
        {std::string("USBTolvek=same\0", 15), std::nullopt},
    };
    for (const Case& c : cases) {
        const auto store = ParseStore(c.text);
        EXPECT_EQ(c.store, store ? std::optional<std::string>(Show(*store)) : std::nullopt)
            << '"' << c.text << '"';
    }
}

class DriverStoreFileTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("velmora-store-test-" +
                   std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    static std::vector<std::string> Files(const std::filesystem::path& folder) {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    std::filesystem::path folder_;
};

TEST_F(DriverStoreFileTest, SaveCreatesTheFolderAndLoadReadsTheStoreBack) {
    const auto file = folder_ / "nested" / "driver-store.txt";
    ASSERT_TRUE(SaveStore(file, {Version::Newer, std::nullopt}));
    ASSERT_TRUE(SaveStore(file, {Version::Older, Version::Same})); // replaces the first

    EXPECT_EQ("older/same", Show(LoadStore(file)));
    EXPECT_EQ(std::vector<std::string>{"driver-store.txt"}, Files(file.parent_path()))
        << "no temporary file is left";
}

TEST_F(DriverStoreFileTest, AMissingOrMalformedFileIsAnEmptyStore) {
    const auto file = folder_ / "driver-store.txt";
    EXPECT_EQ("-/-", Show(LoadStore(file)));

    std::filesystem::create_directories(folder_);
    std::ofstream(file) << "USBTolvek=same\nnot a store\n";
    EXPECT_EQ("-/-", Show(LoadStore(file)));
    EXPECT_EQ("-/-", Show(LoadStore(folder_))); // a folder in the store's place
}

TEST_F(DriverStoreFileTest, SaveFailsWhereNoFileCanBeWritten) {
    std::filesystem::create_directories(folder_);
    std::ofstream(folder_ / "plain-file") << "x";

    EXPECT_FALSE(SaveStore(folder_ / "plain-file" / "driver-store.txt", {}));
    EXPECT_FALSE(SaveStore(folder_, {})); // a folder cannot be replaced by the store
    EXPECT_EQ(std::vector<std::string>{"plain-file"}, Files(folder_));
}

} // namespace
} // namespace velmora
