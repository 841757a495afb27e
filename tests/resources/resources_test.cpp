// Reads DriverSetup.exe's resources back from the built file the way the system reads them:
// the icon group and its images, the version record, and the manifest through an activation
// context, so the system's own parser judges the manifest.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

namespace {

struct ModuleFree {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using unique_hmodule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFree>;

struct IconDestroy {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using unique_hicon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroy>;

struct ActCtxRelease {
    void operator()(HANDLE context) const { ReleaseActCtx(context); }
};
using unique_actctx = std::unique_ptr<void, ActCtxRelease>;

// Every executable of a build lies in one folder, so the program is found beside this test.
std::wstring ProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    path.erase(path.find_last_of(L'\\') + 1);
    return path + L"DriverSetup.exe";
}

std::string Narrow(const std::wstring& text) {
    return {text.begin(), text.end()}; // the texts compared here are ASCII
}

template <typename T> T ReadAt(std::span<const std::byte> bytes, std::size_t offset) {
    T value{};
    if (offset + sizeof value <= bytes.size()) {
        std::memcpy(&value, bytes.data() + offset, sizeof value);
    }
    return value;
}

std::span<const std::byte> Resource(HMODULE module, const wchar_t* type, int id) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (found == nullptr) {
        return {};
    }
    const void* data = LockResource(LoadResource(module, found));
    return {static_cast<const std::byte*>(data), SizeofResource(module, found)};
}

// One entry of the icon group (GRPICONDIRENTRY), as the system chooses an image by it.
struct GroupEntry {
    int width;
    int height;
    int colourCount;
    int planes;
    int bitCount;
    std::uint32_t bytes;
    friend bool operator==(const GroupEntry&, const GroupEntry&) = default;
    friend std::ostream& operator<<(std::ostream& out, const GroupEntry& entry) {
        return out << "{" << entry.width << "x" << entry.height << ", " << entry.colourCount
                   << " colours, " << entry.planes << " planes, " << entry.bitCount << " bits, "
                   << entry.bytes << " bytes}";
    }
};

// The header of an RT_ICON image: its height counts the colour bitmap and the mask.
struct ImageHeader {
    std::uint32_t headerSize;
    std::int32_t width;
    std::int32_t height;
    int planes;
    int bitCount;
    std::uint32_t compression;
    std::uint32_t bytes;
    friend bool operator==(const ImageHeader&, const ImageHeader&) = default;
    friend std::ostream& operator<<(std::ostream& out, const ImageHeader& header) {
        return out << "{header " << header.headerSize << ", " << header.width << "x"
                   << header.height << ", " << header.planes << " planes, " << header.bitCount
                   << " bits, compression " << header.compression << ", " << header.bytes
                   << " bytes}";
    }
};

struct IconGroup {
    std::vector<GroupEntry> entries;
    std::vector<int> imageIds;
};

IconGroup ReadIconGroup(std::span<const std::byte> group) {
    constexpr std::size_t directorySize = 6;
    constexpr std::size_t entrySize = 14;
    IconGroup result;
    const auto count = ReadAt<std::uint16_t>(group, 4);
    for (std::size_t index = 0; index < count; ++index) {
        const std::size_t at = directorySize + index * entrySize;
        result.entries.push_back({
            .width = ReadAt<std::uint8_t>(group, at),
            .height = ReadAt<std::uint8_t>(group, at + 1),
            .colourCount = ReadAt<std::uint8_t>(group, at + 2),
            .planes = ReadAt<std::uint16_t>(group, at + 4),
            .bitCount = ReadAt<std::uint16_t>(group, at + 6),
            .bytes = ReadAt<std::uint32_t>(group, at + 8),
        });
        result.imageIds.push_back(ReadAt<std::uint16_t>(group, at + 12));
    }
    return result;
}

ImageHeader ReadImageHeader(std::span<const std::byte> image) {
    const auto header = ReadAt<BITMAPINFOHEADER>(image, 0);
    return {header.biSize,
            header.biWidth,
            header.biHeight,
            header.biPlanes,
            header.biBitCount,
            header.biCompression,
            static_cast<std::uint32_t>(image.size())};
}

// A version as a.b.c.d from the two 32-bit halves of VS_FIXEDFILEINFO.
std::string VersionText(DWORD high, DWORD low) {
    return std::to_string(HIWORD(high)) + "." + std::to_string(LOWORD(high)) + "." +
           std::to_string(HIWORD(low)) + "." + std::to_string(LOWORD(low));
}

class ProgramResources : public ::testing::Test {
protected:
    void SetUp() override {
        module.reset(LoadLibraryExW(path.c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
        ASSERT_NE(module, nullptr) << Narrow(path) << ": error " << GetLastError();
    }

    const std::wstring path = ProgramPath();
    unique_hmodule module;
};

TEST_F(ProgramResources, IconGroupOneHoldsThreeImages) {
    const std::span<const std::byte> group = Resource(module.get(), RT_GROUP_ICON, 1);
    ASSERT_FALSE(group.empty()) << "no icon group 1";
    EXPECT_EQ(ReadAt<std::uint16_t>(group, 2), 1) << "resource type: 1 is icon";

    const std::vector<GroupEntry> expected{
        {32, 32, 2, 1, 1, 304},
        {32, 32, 16, 1, 4, 744},
        {16, 16, 16, 1, 4, 296},
    };
    EXPECT_EQ(ReadIconGroup(group).entries, expected);
}

TEST_F(ProgramResources, EachIconImageIsABottomUpBitmapWithItsMask) {
    const IconGroup group = ReadIconGroup(Resource(module.get(), RT_GROUP_ICON, 1));
    // Compression 0 is BI_RGB, uncompressed.
    const std::vector<ImageHeader> expected{
        {40, 32, 64, 1, 1, 0, 304},
        {40, 32, 64, 1, 4, 0, 744},
        {40, 16, 32, 1, 4, 0, 296},
    };
    ASSERT_EQ(group.imageIds.size(), expected.size());
    for (std::size_t index = 0; index < expected.size(); ++index) {
        const int id = group.imageIds[index];
        const std::span<const std::byte> image = Resource(module.get(), RT_ICON, id);
        EXPECT_EQ(ReadImageHeader(image), expected[index]) << "RT_ICON " << id;

        const unique_hicon icon(CreateIconFromResourceEx(
            const_cast<PBYTE>(reinterpret_cast<const BYTE*>(image.data())),
            static_cast<DWORD>(image.size()), TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR));
        EXPECT_NE(icon, nullptr) << "RT_ICON " << id << " rejected: error " << GetLastError();
    }
}

TEST_F(ProgramResources, WindowClassesGetTheIconAtBothSizes) {
    for (const int size : {32, 16}) {
        const unique_hicon icon(static_cast<HICON>(
            LoadImageW(module.get(), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0)));
        ASSERT_NE(icon, nullptr) << size << " px: error " << GetLastError();
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon.get(), &info));
        BITMAP mask{};
        GetObjectW(info.hbmMask, sizeof mask, &mask);
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
        EXPECT_EQ(mask.bmWidth, size);
    }
}

TEST_F(ProgramResources, VersionRecord) {
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
    ASSERT_NE(size, 0U) << "no version record: error " << GetLastError();
    std::vector<std::byte> record(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, record.data()));

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(record.data(), L"\\", &value, &length));
    const auto fixed = *static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDU);
    EXPECT_EQ(VersionText(fixed.dwFileVersionMS, fixed.dwFileVersionLS), "1.0.0.0");
    EXPECT_EQ(VersionText(fixed.dwProductVersionMS, fixed.dwProductVersionLS), "1.0.0.0");
    EXPECT_EQ(fixed.dwFileType, 1U) << "1 is VFT_APP, an application";

    ASSERT_TRUE(VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation", &value, &length));
    // US English (0x0409) in the low word, code page 1200 (UTF-16) in the high word.
    EXPECT_EQ(*static_cast<const DWORD*>(value), 0x04B00409U);

    struct Field {
        const wchar_t* name;
        const wchar_t* text;
    };
    const Field expected[] = {
        {L"CompanyName", L"Velmora"},
        {L"FileDescription", L"Driver setup tool for Tolvek devices"},
        {L"FileVersion", L"1.0.0.0"},
        {L"InternalName", L"DriverSetup"},
        {L"LegalCopyright", L"Copyright (C) Velmora"},
        {L"OriginalFilename", L"DriverSetup.exe"},
        {L"ProductName", L"Velmora Driver Setup"},
        {L"ProductVersion", L"1.0.0.0"},
    };
    for (const Field& field : expected) {
        const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + field.name;
        std::wstring text = L"<missing>";
        if (VerQueryValueW(record.data(), query.c_str(), &value, &length) && length > 0) {
            text = static_cast<const wchar_t*>(value);
        }
        EXPECT_EQ(Narrow(text), Narrow(field.text)) << Narrow(field.name);
    }
}

class ProgramManifest : public ProgramResources {
protected:
    void SetUp() override {
        ProgramResources::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        ACTCTXW request{};
        request.cbSize = sizeof request;
        request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        request.lpSource = path.c_str();
        request.lpResourceName = MAKEINTRESOURCEW(1);
        HANDLE created = CreateActCtxW(&request);
        ASSERT_NE(created, INVALID_HANDLE_VALUE) << "manifest rejected: error " << GetLastError();
        context.reset(created);
    }

    std::string Setting(const wchar_t* schema, const wchar_t* name) const {
        wchar_t text[100] = {};
        SIZE_T written = 0;
        if (!QueryActCtxSettingsW(0, context.get(), schema, name, text, std::size(text),
                                  &written)) {
            return "<missing: error " + std::to_string(GetLastError()) + ">";
        }
        return Narrow(text);
    }

    // One block of information about the context, or nothing if the query fails.
    std::vector<std::byte> Query(DWORD* index, ULONG what) const {
        SIZE_T size = 0;
        QueryActCtxW(0, context.get(), index, what, nullptr, 0, &size);
        std::vector<std::byte> buffer(size);
        if (!QueryActCtxW(0, context.get(), index, what, buffer.data(), size, nullptr)) {
            buffer.clear();
        }
        return buffer;
    }

    unique_actctx context;
};

TEST_F(ProgramManifest, AsksForTheHighestAvailableLevelWithoutUiAccess) {
    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level{};
    ASSERT_TRUE(QueryActCtxW(0, context.get(), nullptr, RunlevelInformationInActivationContext,
                             &level, sizeof level, nullptr));
    EXPECT_EQ(static_cast<int>(level.RunLevel), 2) << "2 is highestAvailable";
    EXPECT_EQ(level.UiAccess, 0U);
}

TEST_F(ProgramManifest, IsPerMonitorDpiAwareWithAFallbackForOlderSystems) {
    EXPECT_EQ(Setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
              "PerMonitorV2, PerMonitor");
    EXPECT_EQ(Setting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"),
              "true/pm");
}

TEST_F(ProgramManifest, BindsCommonControlsSix) {
    const std::vector<std::byte> details = Query(nullptr, ActivationContextDetailedInformation);
    ASSERT_FALSE(details.empty()) << "error " << GetLastError();
    const auto count =
        reinterpret_cast<const ACTIVATION_CONTEXT_DETAILED_INFORMATION*>(details.data())
            ->ulAssemblyCount;
    std::vector<std::string> dependencies;
    std::string listed;
    // Assembly 1 is the program itself; its dependencies follow.
    for (DWORD index = 2; index <= count; ++index) {
        const std::vector<std::byte> assembly =
            Query(&index, AssemblyDetailedInformationInActivationContext);
        ASSERT_FALSE(assembly.empty()) << "assembly " << index << ": error " << GetLastError();
        dependencies.push_back(
            Narrow(reinterpret_cast<const ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION*>(
                       assembly.data())
                       ->lpAssemblyEncodedAssemblyIdentity));
        listed += dependencies.back() + "\n";
    }
    ASSERT_EQ(dependencies.size(), 1U) << listed;
    EXPECT_TRUE(dependencies[0].starts_with("Microsoft.Windows.Common-Controls,")) << listed;
    // The system binds the newest 6.0 build it has, so only "6.0." is fixed.
    EXPECT_NE(dependencies[0].find("version=\"6.0."), std::string::npos) << listed;
}

TEST_F(ProgramManifest, DeclaresWindowsSevenToElevenSupported) {
    const std::span<const std::byte> manifest = Resource(module.get(), RT_MANIFEST, 1);
    const std::string text(reinterpret_cast<const char*>(manifest.data()), manifest.size());
    const char* expected[] = {
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", // Windows 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", // Windows 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", // Windows 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", // Windows 10 and 11
    };
    for (const char* id : expected) {
        EXPECT_NE(text.find(std::string("<supportedOS Id=\"") + id + "\"/>"), std::string::npos)
            << id << " not in:\n"
            << text;
    }
}

} // namespace
