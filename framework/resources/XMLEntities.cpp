#include "framework/resources/XMLEntities.h"

#include <string_view>

namespace Quib
{
namespace
{

struct Entity
{
    std::string_view mName;
    char mCharacter;
};

constexpr Entity kEntities[] = {{"lt", '<'},    {"amp", '&'},  {"gt", '>'}, {"quot", '"'},
                                {"apos", '\''}, {"nbsp", ' '}, {"cr", '\n'}};

template <typename String> char EntityCharacter(const String& text, size_t begin, size_t end)
{
    for (const Entity& entity : kEntities)
    {
        if (entity.mName.size() != end - begin)
            continue;
        bool same = true;
        for (size_t i = 0; i < entity.mName.size() && same; ++i)
            same = text[begin + i] == static_cast<typename String::value_type>(entity.mName[i]);
        if (same)
            return entity.mCharacter;
    }
    return '&';
}

template <typename String> String Decode(const String& text)
{
    String out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size())
    {
        if (text[i] != '&')
        {
            out += text[i++];
            continue;
        }
        size_t semicolon = text.find(';', i);
        if (semicolon == String::npos)
        {
            out.append(text, i, String::npos);
            break;
        }
        out += static_cast<typename String::value_type>(EntityCharacter(text, i + 1, semicolon));
        i = semicolon + 1;
    }
    return out;
}

} // namespace

std::string DecodeXmlEntities(const std::string& text)
{
    return Decode(text);
}

std::u16string DecodeXmlEntitiesWide(const std::u16string& text)
{
    return Decode(text);
}

} // namespace Quib
