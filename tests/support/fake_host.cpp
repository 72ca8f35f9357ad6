#include "tests/support/fake_host.h"

#include <algorithm>
#include <utility>

namespace {
FakeHost* current = nullptr;

YcPixel* ZEPHO_CDECL FrameImage(EditHandle edit, std::int32_t frame, std::int32_t offset) {
    current->Record(0, edit, frame, offset);
    return current->ServeFrame(frame, offset);
}

std::int32_t ZEPHO_CDECL CurrentFrame(EditHandle edit) {
    current->Record(6, edit);
    return current->current_frame;
}

std::int32_t ZEPHO_CDECL FileInfo(EditHandle edit, FileInfoRecord* info) {
    current->Record(23, edit);
    info->width = current->width;
    info->height = current->height;
    return 1;
}

std::int32_t ZEPHO_CDECL SystemInfo(EditHandle edit, SystemInfoRecord* info) {
    current->Record(40, edit);
    info->flags = current->system_flags;
    info->pitch = current->pitch;
    return 1;
}

// Any other slot. The caller cleans the stack (cdecl), so taking only the
// edit handle is safe whatever the caller passed after it.
template <int kSlot>
std::int32_t ZEPHO_CDECL Unexpected(EditHandle edit) {
    current->Record(kSlot, edit);
    return 0;
}

template <int... kSlots>
void FillUnexpected(void** slots, std::integer_sequence<int, kSlots...>) {
    ((slots[kSlots] = reinterpret_cast<void*>(&Unexpected<kSlots>)), ...);
}
}  // namespace

std::ostream& operator<<(std::ostream& out, const HostCall& call) {
    switch (call.slot) {
        case 0: out << "frame_image(" << call.frame << ", " << call.offset << ")"; break;
        case 6: out << "current_frame()"; break;
        case 23: out << "file_info()"; break;
        case 40: out << "system_info()"; break;
        default: out << "unexpected slot " << call.slot; break;
    }
    if (!call.right_edit) out << " with a wrong edit handle";
    return out;
}

FakeHost::FakeHost() {
    // Slot n lies at byte n × pointer size, in the table and the 5 pointers
    // after it, so the whole run of slots is one array of pointers.
    void** slots = reinterpret_cast<void**>(&table_);
    static_assert(sizeof(Table) == 46 * sizeof(void*));
    FillUnexpected(slots, std::make_integer_sequence<int, 46>{});
    table_.services.frame_image = FrameImage;
    table_.services.current_frame = CurrentFrame;
    table_.services.file_info = FileInfo;
    table_.services.system_info = SystemInfo;
    current = this;
}

FakeHost::~FakeHost() {
    if (current == this) current = nullptr;
}

void FakeHost::Record(std::int32_t slot, EditHandle edit, std::int32_t frame, std::int32_t offset) {
    calls.push_back({slot, frame, offset, edit == this->edit()});
}

YcPixel* FakeHost::ServeFrame(std::int32_t number, std::int32_t offset) {
    const std::int64_t index = std::int64_t{number} + offset;
    const bool known = index >= 0 && index < static_cast<std::int64_t>(frames.size()) && !frames[index].empty();
    if (!spoil_served_frames) return known ? frames[index].data() : nullptr;
    std::vector<YcPixel>& previous = copies_[next_copy_ ^ 1];
    std::fill(previous.begin(), previous.end(), YcPixel{0x7777, 0x7777, 0x7777});
    if (!known) return nullptr;
    std::vector<YcPixel>& copy = copies_[next_copy_];
    next_copy_ ^= 1;
    copy = frames[index];
    return copy.data();
}

std::vector<YcPixel> MakeFrame(const std::vector<std::vector<std::int16_t>>& lumas, std::int32_t pitch,
                               std::int16_t filler) {
    if (lumas.empty()) return {};
    const std::size_t size = (lumas.size() - 1) * pitch + lumas.back().size();
    std::vector<YcPixel> frame(size, YcPixel{filler, filler, filler});
    for (std::size_t y = 0; y < lumas.size(); ++y)
        for (std::size_t x = 0; x < lumas[y].size(); ++x) frame[y * pitch + x].y = lumas[y][x];
    return frame;
}
