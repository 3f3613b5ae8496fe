// Tagged values as the data-access objects hand them out: a type code and
// either a 32-bit integer or a UTF-16 text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ado {

enum class VarType : std::uint16_t {
    Empty = 0,
    Null = 1,
    I4 = 3,      // 32-bit signed integer
    BStr = 8,    // text
    Dispatch = 9,
    UI2 = 18,    // unsigned 16-bit, the type of a field index
};

// A text value refers to characters owned by its producer: a value read from
// a recordset stays valid until the recordset moves or closes. Values built
// with fromText() own their characters.
class Variant {
public:
    Variant() = default;
    static Variant null();
    static Variant fromInt(std::int32_t value);
    static Variant fromIndex(std::uint16_t index);
    static Variant fromText(std::u16string text);
    static Variant viewOf(std::u16string_view text);

    VarType type() const { return type_; }
    bool isText() const { return type_ == VarType::BStr; }
    bool isInt() const { return type_ == VarType::I4; }
    std::int32_t intValue() const { return int_; }
    std::u16string_view text() const { return view_; }

    Variant(const Variant& other);
    Variant& operator=(const Variant& other);

private:
    VarType type_ = VarType::Empty;
    std::int32_t int_ = 0;
    std::u16string owned_;
    std::u16string_view view_;
};

} // namespace ado
