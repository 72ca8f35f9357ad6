// The search dialog template as it lies in the built zepho.auf: the header
// and every control, read back field by field from the resource bytes.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {
// A reader over a classic DLGTEMPLATE: little-endian words, UTF-16 texts,
// and name-or-ordinal fields (0xFFFF then the ordinal, or a text).
class TemplateReader {
public:
    TemplateReader(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}
    std::uint16_t Word() {
        std::uint16_t w = 0;
        if (pos_ + 2 <= size_) std::memcpy(&w, bytes_ + pos_, 2);
        else overrun_ = true;
        pos_ += 2;
        return w;
    }
    std::uint32_t Dword() {
        const std::uint32_t low = Word();
        return low | std::uint32_t{Word()} << 16;
    }
    std::u16string Text() {
        std::u16string text;
        for (std::uint16_t c; (c = Word()) != 0 && !overrun_;) text += char16_t(c);
        return text;
    }
    // A text, or "#n" for an ordinal.
    std::u16string NameOrOrdinal() {
        if (Peek() != 0xFFFF) return Text();
        Word();
        std::u16string ordinal = u"#";
        for (char c : std::to_string(Word())) ordinal += char16_t(c);
        return ordinal;
    }
    void AlignToDword() { pos_ = (pos_ + 3) & ~std::size_t{3}; }
    std::size_t Position() const { return pos_; }
    bool Overrun() const { return overrun_; }

private:
    std::uint16_t Peek() {
        std::uint16_t w = 0;
        if (pos_ + 2 <= size_) std::memcpy(&w, bytes_ + pos_, 2);
        return w;
    }
    const std::uint8_t* bytes_;
    std::size_t size_;
    std::size_t pos_ = 0;
    bool overrun_ = false;
};

struct Control {
    std::uint32_t style, ex_style;
    std::int16_t x, y, cx, cy;
    std::uint16_t id;
    std::u16string class_name, text;
    std::uint16_t creation_data;
};

bool operator==(const Control& a, const Control& b) {
    return a.style == b.style && a.ex_style == b.ex_style && a.x == b.x && a.y == b.y && a.cx == b.cx &&
           a.cy == b.cy && a.id == b.id && a.class_name == b.class_name && a.text == b.text &&
           a.creation_data == b.creation_data;
}

std::string Describe(const Control& c) {
    std::string text;
    for (char16_t ch : c.text) text += ch < 128 ? char(ch) : '?';
    char line[160];
    std::snprintf(line, sizeof line, "id %u style %08x ex %08x at %d,%d size %d,%d text '%s' data %u", c.id,
                  unsigned(c.style), unsigned(c.ex_style), c.x, c.y, c.cx, c.cy, text.c_str(), c.creation_data);
    return line;
}

constexpr std::uint32_t kButton = 0x50010300;  // WS_CHILD|WS_VISIBLE|WS_TABSTOP|BS_PUSHBUTTON|BS_CENTER
constexpr std::uint32_t kLabel = 0x50000000;   // WS_CHILD|WS_VISIBLE|SS_LEFT
constexpr std::uint32_t kField = 0x50810000;   // WS_CHILD|WS_VISIBLE|WS_BORDER|WS_TABSTOP|ES_LEFT

const Control kControls[] = {
    {kButton, 0, 8, 64, 52, 14, 1, u"#128", u"OK", 0},
    {kButton, 0, 68, 64, 52, 14, 2, u"#128", u"ｷｬﾝｾﾙ", 0},
    {kLabel, 0, 12, 12, 48, 12, 0xFFFF, u"#130", u"検索開始ライン", 0},
    {kField, 0, 64, 10, 52, 12, 32000, u"#129", u"", 0},
    {kLabel, 0, 12, 28, 48, 8, 0xFFFF, u"#130", u"検索終了ライン", 0},
    {kField, 0, 64, 26, 52, 12, 32001, u"#129", u"", 0},
    {kLabel, 0, 12, 44, 48, 8, 0xFFFF, u"#130", u"検索フレーム数", 0},
    {kField, 0, 64, 42, 52, 12, 32002, u"#129", u"", 0},
};

class DialogTemplateTest : public ::testing::Test {
protected:
    HMODULE module = nullptr;
    void SetUp() override {
        module = LoadLibraryExA("zepho.auf", nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr) << GetLastError();
    }
    void TearDown() override { FreeLibrary(module); }
};

BOOL CALLBACK CollectType(HMODULE, LPSTR type, LONG_PTR out) {
    reinterpret_cast<std::vector<std::string>*>(out)->push_back(
        IS_INTRESOURCE(type) ? "#" + std::to_string(reinterpret_cast<std::uintptr_t>(type)) : std::string(type));
    return TRUE;
}
BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR out) {
    reinterpret_cast<std::vector<std::string>*>(out)->push_back(
        IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<std::uintptr_t>(name)) : std::string(name));
    return TRUE;
}
BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR out) {
    reinterpret_cast<std::vector<WORD>*>(out)->push_back(language);
    return TRUE;
}

TEST_F(DialogTemplateTest, TheDialogZephoIsTheOnlyResource) {
    std::vector<std::string> types, names;
    std::vector<WORD> languages;
    EnumResourceTypesA(module, CollectType, reinterpret_cast<LONG_PTR>(&types));
    EnumResourceNamesA(module, RT_DIALOG, CollectName, reinterpret_cast<LONG_PTR>(&names));
    EnumResourceLanguagesA(module, RT_DIALOG, "ZEPHO", CollectLanguage, reinterpret_cast<LONG_PTR>(&languages));
    EXPECT_EQ(types, std::vector<std::string>{"#5"});
    EXPECT_EQ(names, std::vector<std::string>{"ZEPHO"});
    EXPECT_EQ(languages, std::vector<WORD>{0x0411});
}

TEST_F(DialogTemplateTest, HeaderAndControlsHoldTheirExactValues) {
    HRSRC found = FindResourceExA(module, RT_DIALOG, "ZEPHO", MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
    ASSERT_NE(found, nullptr);
    const auto* bytes = static_cast<const std::uint8_t*>(LockResource(LoadResource(module, found)));
    const std::size_t size = SizeofResource(module, found);
    ASSERT_NE(bytes, nullptr);
    TemplateReader r(bytes, size);

    // Classic form: an extended template would start with 1, 0xFFFF.
    EXPECT_EQ(r.Dword(), 0x90C800C4u);  // WS_POPUP|WS_VISIBLE|WS_CAPTION|WS_SYSMENU|DS_MODALFRAME|DS_SETFONT|DS_3DLOOK
    EXPECT_EQ(r.Dword(), 0u);
    const std::uint16_t count = r.Word();
    EXPECT_EQ(count, 8);
    EXPECT_EQ(r.Word(), 0);    // x
    EXPECT_EQ(r.Word(), 0);    // y
    EXPECT_EQ(r.Word(), 128);  // cx
    EXPECT_EQ(r.Word(), 88);   // cy
    EXPECT_EQ(r.NameOrOrdinal(), u"");  // no menu
    EXPECT_EQ(r.NameOrOrdinal(), u"");  // the standard dialog class
    EXPECT_TRUE(r.Text() == u"ゼフォの検索");
    EXPECT_EQ(r.Word(), 9);
    EXPECT_TRUE(r.Text() == u"ＭＳ Ｐゴシック");

    for (std::size_t i = 0; i < count && i < std::size(kControls); ++i) {
        r.AlignToDword();
        Control c{};
        c.style = r.Dword();
        c.ex_style = r.Dword();
        c.x = std::int16_t(r.Word());
        c.y = std::int16_t(r.Word());
        c.cx = std::int16_t(r.Word());
        c.cy = std::int16_t(r.Word());
        c.id = r.Word();
        c.class_name = r.NameOrOrdinal();
        c.text = r.NameOrOrdinal();
        c.creation_data = r.Word();
        EXPECT_TRUE(c == kControls[i]) << "control " << i + 1 << ": " << Describe(c) << "\n  wanted "
                                       << Describe(kControls[i]);
    }
    EXPECT_FALSE(r.Overrun());
    EXPECT_LE(size - r.Position(), 3u) << "bytes after the last control";
}
}  // namespace
