#pragma once

// Helpers shared by the fuzz targets: a reader that takes typed values from the front of the
// fuzzer's bytes (running out of bytes yields zeros) and a check that reports a broken
// invariant and aborts, so libFuzzer saves the input.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace looplab::fuzz {

class ByteReader {
  public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}

    bool empty() const { return pos >= size; }
    std::size_t remaining() const { return size - pos; }

    std::uint8_t byte() { return pos < size ? data[pos++] : 0; }

    std::uint16_t u16() {
        const std::uint16_t lo = byte();
        return static_cast<std::uint16_t>(lo | (byte() << 8));
    }

    std::uint32_t u32() {
        const std::uint32_t lo = u16();
        return lo | (static_cast<std::uint32_t>(u16()) << 16);
    }

    // Eight bytes reinterpreted as a double (any bit pattern, NaN and infinities included).
    double rawDouble() {
        std::uint64_t bits = u32();
        bits |= static_cast<std::uint64_t>(u32()) << 32;
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // Up to n bytes as text.
    std::string_view text(std::size_t n) {
        const std::size_t take = n < remaining() ? n : remaining();
        const std::string_view out(reinterpret_cast<const char*>(data + pos), take);
        pos += take;
        return out;
    }

    std::string_view rest() { return text(remaining()); }

  private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos = 0;
};

[[noreturn]] inline void fail(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

inline void require(bool condition, const char* what) {
    if (!condition) {
        fail(what);
    }
}

} // namespace looplab::fuzz
