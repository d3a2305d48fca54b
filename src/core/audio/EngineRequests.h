#pragma once

#include "core/kit/Kit.h"
#include "core/model/Cell.h"

#include <cstdint>

// The requests the window thread leaves for the audio thread. Each travels as one
// 64-bit word, published by a single lock-free atomic store and read whole by the
// next block. Every request carries a serial from one counter, so the audio thread
// sees which requests are new and whether a preview call came before or after the
// last Reset.
namespace quom {

// Reset(column): the serial above the column's six bits.
struct ResetRequest {
    static constexpr int kColumnBits = 6;
    static_assert(kColumns == 1 << kColumnBits);

    std::uint64_t serial = 0; // below 2^58
    int column = 0;

    constexpr std::uint64_t pack() const noexcept
    {
        return serial << kColumnBits | static_cast<std::uint64_t>(column & (kColumns - 1));
    }
    static constexpr ResetRequest unpack(std::uint64_t word) noexcept
    {
        return {word >> kColumnBits, static_cast<int>(word & (kColumns - 1))};
    }
};

// StartPreview or StopPreview: the serial's low 32 bits, then the start bit, a spare
// bit, the slot in six bits and the colour's 24 bits. A stop carries the serial alone.
struct PreviewRequest {
    static constexpr int kSerialShift = 32;
    static constexpr std::uint64_t kStartBit = std::uint64_t{1} << 31;
    static constexpr int kSlotShift = 24;
    static constexpr Cell kColorMask = 0xFFFFFF;
    static_assert(kKitSlots == 64);

    std::uint64_t serial = 0; // only the low 32 bits travel
    bool start = false;
    int slot = 0;
    Cell color = 0;

    constexpr std::uint64_t pack() const noexcept
    {
        if (!start)
            return serial << kSerialShift;
        return serial << kSerialShift | kStartBit
            | static_cast<std::uint64_t>(slot & (kKitSlots - 1)) << kSlotShift | (color & kColorMask);
    }
    static constexpr PreviewRequest unpack(std::uint64_t word) noexcept
    {
        return {word >> kSerialShift, (word & kStartBit) != 0,
            static_cast<int>((word >> kSlotShift) & (kKitSlots - 1)), static_cast<Cell>(word & kColorMask)};
    }
};

} // namespace quom
