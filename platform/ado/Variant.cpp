// Tagged values.
#include "platform/ado/Variant.h"

namespace ado {

Variant Variant::null()
{
    Variant v;
    v.type_ = VarType::Null;
    return v;
}

Variant Variant::fromInt(std::int32_t value)
{
    Variant v;
    v.type_ = VarType::I4;
    v.int_ = value;
    return v;
}

Variant Variant::fromIndex(std::uint16_t index)
{
    Variant v;
    v.type_ = VarType::UI2;
    v.int_ = index;
    return v;
}

Variant Variant::fromText(std::u16string text)
{
    Variant v;
    v.type_ = VarType::BStr;
    v.owned_ = std::move(text);
    v.view_ = v.owned_;
    return v;
}

Variant Variant::viewOf(std::u16string_view text)
{
    Variant v;
    v.type_ = VarType::BStr;
    v.view_ = text;
    return v;
}

Variant::Variant(const Variant& other)
    : type_(other.type_), int_(other.int_), owned_(other.owned_), view_(other.view_)
{
    if (other.view_.data() == other.owned_.data())
        view_ = owned_;
}

Variant& Variant::operator=(const Variant& other)
{
    if (this != &other) {
        type_ = other.type_;
        int_ = other.int_;
        owned_ = other.owned_;
        view_ = other.view_.data() == other.owned_.data() ? std::u16string_view(owned_) : other.view_;
    }
    return *this;
}

} // namespace ado
