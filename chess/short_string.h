#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

// A text of at most N bytes stored inline with its length, so that records
// holding it stay plain values copied as one block. Storing a longer value
// keeps its first bytes, backing off so that no UTF-8 sequence is cut in half.
template <std::size_t N>
class ShortString
{
    static_assert(N > 0 && N <= 255, "the length is kept in one byte");

public:
    static constexpr std::size_t Capacity = N;

    ShortString() = default;
    ShortString(std::string_view value) { assign(value); }
    ShortString &operator=(std::string_view value)
    {
        assign(value);
        return *this;
    }

    std::string_view view() const { return {Data, Length}; }
    std::string str() const { return std::string(view()); }
    std::size_t size() const { return Length; }
    bool empty() const { return Length == 0; }

    friend bool operator==(const ShortString &a, std::string_view b) { return a.view() == b; }
    friend bool operator==(const ShortString &a, const ShortString &b) { return a.view() == b.view(); }

private:
    void assign(std::string_view value)
    {
        std::size_t length = value.size();
        if (length > N) {
            length = N;
            // value[length] is the first byte left out; while it continues a
            // sequence, the sequence it belongs to started inside the kept part.
            while (length > 0 && (static_cast<unsigned char>(value[length]) & 0xC0) == 0x80)
                --length;
        }
        Length = static_cast<std::uint8_t>(length);
        value.copy(Data, length);
        for (std::size_t i = length; i < N; ++i)
            Data[i] = 0;
    }

    std::uint8_t Length = 0;
    char Data[N] = {};
};
