// The slot a virtual operation occupies in its class's table: what a compiled
// caller uses, and so what must never move.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace testing_support {

// A pointer to a virtual member function holds 1 + the byte offset of its slot
// (Itanium C++ ABI).
template <class MemberFunction>
std::ptrdiff_t slotOf(MemberFunction function) {
    struct Representation {
        std::uintptr_t pointer;
        std::ptrdiff_t adjustment;
    } representation;
    static_assert(sizeof(function) == sizeof(representation));
    std::memcpy(&representation, &function, sizeof representation);
    EXPECT_EQ(representation.pointer % sizeof(void*), 1u) << "not a virtual function";
    return static_cast<std::ptrdiff_t>((representation.pointer - 1) / sizeof(void*));
}

}  // namespace testing_support
