// Shared pieces of the fuzz targets: reading typed values from the fuzzer's
// bytes, and the shape of a statement as the engine compiles it.
#pragma once

#include <sqlite3.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fuzz {

// Takes values from the front of the input; past its end everything is 0.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    bool empty() const { return pos_ >= size_; }
    bool flag() { return byte() & 1; }
    char16_t unit()
    {
        const char16_t low = byte();
        return static_cast<char16_t>(low | (byte() << 8));
    }
    // A UTF-16 text of up to maxUnits units, any units at all.
    std::u16string text(std::size_t maxUnits)
    {
        std::u16string out(byte() % (maxUnits + 1), u'\0');
        for (char16_t& u : out)
            u = unit();
        return out;
    }
    std::u16string rest()
    {
        std::u16string out;
        while (pos_ + 1 < size_)
            out.push_back(unit());
        return out;
    }
    std::string_view restBytes()
    {
        const auto* begin = reinterpret_cast<const char*>(data_ + pos_);
        const std::size_t n = size_ - pos_;
        pos_ = size_;
        return {begin, n};
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// An in-memory database with the guide's tables and the engine's LIKE.
sqlite3* guideSchemaDatabase();

// The compiled program of one statement as opcode names, without operands, so
// two statements that differ only in their literals have the same shape.
// Empty when the text does not compile to exactly one statement.
std::string statementShape(sqlite3* db, std::u16string_view sql);

} // namespace fuzz
