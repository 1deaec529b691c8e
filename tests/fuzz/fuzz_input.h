// What the harnesses share: the fuzzer's bytes taken a field at a time (zeros
// once they run out), and a check that aborts the run with its reason.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#define FUZZ_CHECK(condition, what)                                                        \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "CHECK failed at %s:%d: %s\n", __FILE__, __LINE__, what); \
            std::abort();                                                                  \
        }                                                                                  \
    } while (0)

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    uint16_t Word() { return static_cast<uint16_t>(Byte() | Byte() << 8); }
    uint32_t Dword()
    {
        const uint32_t low = Word();
        return low | uint32_t{Word()} << 16;
    }
    int32_t Int32() { return static_cast<int32_t>(Dword()); }
    bool Flag() { return (Byte() & 1) != 0; }
    // A number from low to high (inclusive), from one byte.
    int32_t Small(int32_t low, int32_t high) { return low + Byte() % (high - low + 1); }

    const uint8_t* Rest() const { return data_ + at_; }
    size_t RestSize() const { return size_ - at_; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};
