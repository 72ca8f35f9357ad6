// A host for tests: a service table whose slots serve frames from memory and
// answer the system and file information from settable values, and which
// records every call in order. Every slot from 1 to 45 other than 6, 23 and
// 40 records an unexpected call. One FakeHost serves at a time: the services
// reach the one most recently constructed.
#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include "host/host_records.h"

struct HostCall {
    std::int32_t slot;
    std::int32_t frame = 0;   // slot 0: the frame number it was given
    std::int32_t offset = 0;  // slot 0: the offset it was given
    bool right_edit = true;   // the call came with the fake's edit handle

    bool operator==(const HostCall&) const = default;
};
std::ostream& operator<<(std::ostream& out, const HostCall& call);

class FakeHost {
public:
    FakeHost();
    ~FakeHost();
    FakeHost(const FakeHost&) = delete;
    FakeHost& operator=(const FakeHost&) = delete;

    const HostServiceTable* services() const { return &table_.services; }
    EditHandle edit() const { return const_cast<int*>(&edit_tag_); }

    // Slot 0 serves frames[number + offset]; it answers null for a number
    // outside the list or an empty frame. Slot 6 answers current_frame.
    std::vector<std::vector<YcPixel>> frames;
    std::int32_t current_frame = 0;
    // When set, slot 0 serves a copy of the frame and fills the copy it
    // served before with garbage, so a caller that reads a frame after asking
    // for the next one reads garbage.
    bool spoil_served_frames = false;

    std::int32_t system_flags = kSystemEditing;  // slot 40
    std::int32_t pitch = 0;                     // slot 40
    std::int32_t width = 0;                     // slot 23
    std::int32_t height = 0;                    // slot 23

    std::vector<HostCall> calls;

    // Services, for the table; they reach the current FakeHost.
    void Record(std::int32_t slot, EditHandle edit, std::int32_t frame = 0, std::int32_t offset = 0);
    YcPixel* ServeFrame(std::int32_t number, std::int32_t offset);

private:
    struct Table {
        HostServiceTable services;
        void* slots41_45[5];
    };
    Table table_{};
    int edit_tag_ = 0;
    std::vector<YcPixel> copies_[2];
    int next_copy_ = 0;
};

// A frame of `height` lines at `pitch` whose line y holds lumas[y], one
// luminance per column; the colour components and the pixels between the
// lumas and the pitch hold `filler`. The last line ends at its last luma, so
// a read past it leaves the buffer.
std::vector<YcPixel> MakeFrame(const std::vector<std::vector<std::int16_t>>& lumas, std::int32_t pitch,
                               std::int16_t filler = 0x7abc);
