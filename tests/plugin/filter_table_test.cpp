// The built zepho.auf as the host sees it: its export, its table before the
// host writes anything, its imports, and the per-frame entry called through
// the table, also with a stack aligned to 4 bytes only.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "correction/blend_line.h"
#include "tests/plugin/loaded_plugin.h"

extern "C" std::int32_t CallWithStackOffset(ProcessFrameEntry entry, FilterTable* table, ProcessingRecord* record,
                                            std::int32_t offset);

// Calls entry(table, record) with esp at `offset` (4, 8 or 12) bytes below
// a 16-byte boundary, as a host compiled for 4-byte stack alignment may.
asm(R"(
    .intel_syntax noprefix
    .globl _CallWithStackOffset
_CallWithStackOffset:
    push ebp
    mov ebp, esp
    and esp, -16
    sub esp, 16
    sub esp, [ebp + 20]
    mov eax, [ebp + 12]
    mov [esp], eax
    mov eax, [ebp + 16]
    mov [esp + 4], eax
    call [ebp + 8]
    mov esp, ebp
    pop ebp
    ret
    .att_syntax prefix
)");

namespace {
std::string Bytes(const char* text) { return text ? std::string(text) : std::string("(null)"); }

class PluginTest : public ::testing::Test {
protected:
    LoadedPlugin plugin;
    void SetUp() override {
        ASSERT_NE(plugin.module, nullptr) << "LoadLibrary(zepho.auf) failed: " << GetLastError();
        ASSERT_NE(plugin.get_filter_table, nullptr);
    }
    const std::uint8_t* Image() const { return reinterpret_cast<const std::uint8_t*>(plugin.module); }
    const IMAGE_NT_HEADERS32* Headers() const {
        auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(Image());
        return reinterpret_cast<const IMAGE_NT_HEADERS32*>(Image() + dos->e_lfanew);
    }
    const IMAGE_DATA_DIRECTORY& Directory(int index) const { return Headers()->OptionalHeader.DataDirectory[index]; }
    bool InImage(std::uint32_t address) const {
        auto base = reinterpret_cast<std::uintptr_t>(plugin.module);
        return address >= base && address < base + Headers()->OptionalHeader.SizeOfImage;
    }
};

TEST_F(PluginTest, TableReadsAsTheHostExpectsBeforeTheHostWrites) {
    FilterTable* table = plugin.get_filter_table();
    EXPECT_EQ(plugin.get_filter_table(), table);
    ASSERT_TRUE(InImage(reinterpret_cast<std::uintptr_t>(table)));

    std::uint32_t field[35];
    static_assert(sizeof(field) == sizeof(FilterTable));
    std::memcpy(field, table, sizeof(field));
    EXPECT_EQ(field[0], 0x00040C00u);
    EXPECT_EQ(field[4], 1u);                    // byte 16: tracks
    EXPECT_EQ(field[9], 1u);                    // byte 36: check items
    EXPECT_EQ(field[19], std::uintptr_t(table->extra_data));
    EXPECT_EQ(field[20], 8192u);                // byte 80: extra-data size
    for (int byte : {12, 20, 24, 40, 44, 48, 64, 76, 84})
        EXPECT_TRUE(InImage(field[byte / 4])) << "byte " << byte << " points outside the module";
    for (int i = 0; i < 35; ++i) {
        const int byte = 4 * i;
        const bool set = byte == 0 || byte == 12 || byte == 16 || byte == 20 || byte == 24 || byte == 36 ||
                         byte == 40 || byte == 44 || byte == 48 || byte == 64 || byte == 76 || byte == 80 ||
                         byte == 84;
        if (!set) EXPECT_EQ(field[i], 0u) << "byte " << byte;
    }

    // "ゼフォ(縦線)除去", "強さ", "ゼフォの検索" in Shift-JIS; one element per array.
    EXPECT_EQ(Bytes(table->name), "\x83\x5b\x83\x74\x83\x48(\x8f\x63\x90\xfc)\x8f\x9c\x8b\x8e");
    EXPECT_EQ(Bytes(table->track_titles[0]), "\x8b\xad\x82\xb3");
    EXPECT_EQ(table->track_defaults[0], 256);
    EXPECT_EQ(Bytes(table->check_titles[0]), "\x83\x5b\x83\x74\x83\x48\x82\xcc\x8c\x9f\x8d\xf5");
    EXPECT_EQ(table->check_defaults[0], -1);
    const std::string info = Bytes(table->information);
    EXPECT_EQ(info.rfind(Bytes(table->name), 0), 0u) << info;  // starts with the display name
    EXPECT_NE(info.find("version 1."), std::string::npos) << info;
    EXPECT_NE(info.find("zepho"), std::string::npos) << info;

    // The extra-data block is the gain table, neutral from load on.
    auto* gains = static_cast<const std::int16_t*>(table->extra_data);
    for (int i = 0; i < 4096; ++i) ASSERT_EQ(gains[i], 16384) << "column " << i;
}

TEST_F(PluginTest, GetFilterTableIsTheOnlyExportAtOrdinalOne) {
    EXPECT_EQ(GetProcAddress(plugin.module, MAKEINTRESOURCEA(1)), GetProcAddress(plugin.module, "GetFilterTable"));
    const IMAGE_DATA_DIRECTORY& dir = Directory(IMAGE_DIRECTORY_ENTRY_EXPORT);
    ASSERT_NE(dir.VirtualAddress, 0u);
    auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(Image() + dir.VirtualAddress);
    EXPECT_EQ(exports->Base, 1u);
    EXPECT_EQ(exports->NumberOfFunctions, 1u);
    ASSERT_EQ(exports->NumberOfNames, 1u);
    auto* names = reinterpret_cast<const std::uint32_t*>(Image() + exports->AddressOfNames);
    EXPECT_STREQ(reinterpret_cast<const char*>(Image() + names[0]), "GetFilterTable");
    EXPECT_STREQ(reinterpret_cast<const char*>(Image() + exports->Name), "zepho.auf");
}

TEST_F(PluginTest, ImportsOnlyKernelUserAndTheCRuntime) {
    const IMAGE_DATA_DIRECTORY& dir = Directory(IMAGE_DIRECTORY_ENTRY_IMPORT);
    ASSERT_NE(dir.VirtualAddress, 0u);
    auto* import = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(Image() + dir.VirtualAddress);
    std::vector<std::string> dlls;
    for (; import->Name != 0; ++import) {
        std::string name = reinterpret_cast<const char*>(Image() + import->Name);
        for (char& c : name) c = char(toupper(static_cast<unsigned char>(c)));
        dlls.push_back(name);
    }
    EXPECT_FALSE(dlls.empty());
    for (const std::string& name : dlls)
        EXPECT_TRUE(name == "KERNEL32.DLL" || name == "USER32.DLL" || name == "MSVCRT.DLL") << name;
}

// The frame correction reached through byte 48, against the reference, with
// gains the host writes into the extra-data block.
TEST_F(PluginTest, ProcessFrameThroughTheTableMatchesTheReference) {
    FilterTable* table = plugin.get_filter_table();
    auto* gains = static_cast<std::int16_t*>(table->extra_data);
    constexpr int kWidth = 37, kHeight = 3, kPitch = 41;
    for (int i = 0; i < kWidth; ++i) gains[i] = std::int16_t(9000 + 701 * i);

    std::int32_t track_values[1] = {200};
    table->track_values = track_values;
    std::vector<std::int16_t> multipliers(3 * kWidth);
    for (int i = 0; i < kWidth; ++i) multipliers[3 * i] = gains[i], multipliers[3 * i + 1] = multipliers[3 * i + 2] = 16384;
    const BlendWeights w = WeightsForStrength(200);

    for (std::int32_t offset : {0, 4, 8, 12}) {
        std::vector<std::int16_t> frame(3 * kPitch * kHeight + 3);
        for (std::size_t j = 0; j < frame.size(); ++j) frame[j] = std::int16_t(j * 2654435761u >> 7);
        std::vector<std::int16_t> expected = frame;
        for (int y = 0; y < kHeight; ++y) BlendLine_c(&expected[3 * kPitch * y], multipliers.data(), 3 * kWidth, w.k1, w.k2);

        ProcessingRecord record{};
        record.frame = reinterpret_cast<YcPixel*>(frame.data());
        record.width = kWidth;
        record.height = kHeight;
        record.pitch = kPitch;
        EXPECT_EQ(CallWithStackOffset(table->process_frame, table, &record, offset), 1);
        EXPECT_TRUE(frame == expected) << "stack offset " << offset;
    }
    table->track_values = nullptr;
}
}  // namespace
