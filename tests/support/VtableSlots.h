// The slot a virtual operation occupies in its class's table: what a compiled
// caller uses, and so what must never move.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace testing_support {

// A pointer to a virtual member function holds the byte offset of its slot and
// a flag saying it is virtual. The generic C++ ABI puts the flag in the low bit
// of the pointer (offset + 1). The ARM ABIs keep the pointer as the bare offset
// and put the flag in the low bit of the this-adjustment (2 * adj + 1), since a
// 32-bit ARM function address may itself be odd (Thumb).
template <class MemberFunction>
std::ptrdiff_t slotOf(MemberFunction function) {
    struct Representation {
        std::uintptr_t pointer;
        std::ptrdiff_t adjustment;
    } representation;
    static_assert(sizeof(function) == sizeof(representation));
    std::memcpy(&representation, &function, sizeof representation);
#if defined(__arm__) || defined(__aarch64__)
    EXPECT_EQ(representation.adjustment & 1, 1) << "not a virtual function";
    const std::uintptr_t offset = representation.pointer;
#else
    EXPECT_EQ(representation.pointer % sizeof(void*), 1u) << "not a virtual function";
    const std::uintptr_t offset = representation.pointer - 1;
#endif
    EXPECT_EQ(offset % sizeof(void*), 0u) << "slot offset not pointer-aligned";
    return static_cast<std::ptrdiff_t>(offset / sizeof(void*));
}

}  // namespace testing_support
