#include "platform/RegistryStore.h"

#include "platform/Environment.h"
#include "platform/Files.h"

#include <cstdlib>

namespace platform
{
namespace
{

constexpr uint64_t kMaxStoreBytes = 4u << 20;
constexpr size_t kMaxValueBytes = 1u << 20;

std::string lower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// Levels joined by '\', without empty, "." or ".." levels, so that no key can
// name anything outside its own store.
std::string normaliseKey(std::string_view keyPath)
{
    std::string out;
    size_t pos = 0;
    while (pos <= keyPath.size())
    {
        size_t next = keyPath.find_first_of("\\/", pos);
        if (next == std::string_view::npos)
            next = keyPath.size();
        std::string_view part = keyPath.substr(pos, next - pos);
        if (!part.empty() && part != "." && part != "..")
        {
            if (!out.empty())
                out += '\\';
            out += part;
        }
        pos = next + 1;
    }
    return lower(out);
}

// Names are written percent-escaped so that any byte survives the text format.
std::string escape(std::string_view text)
{
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text)
    {
        if (c <= ' ' || c == '%' || c == '=' || c == '[' || c == ']' || c >= 0x7F)
        {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
        else
        {
            out += static_cast<char>(c);
        }
    }
    return out;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::optional<std::string> unescape(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] != '%')
        {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        int high = hexDigit(text[i + 1]);
        int low = hexDigit(text[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

std::optional<std::vector<uint8_t>> unhex(std::string_view text)
{
    if (text.size() % 2 != 0 || text.size() / 2 > kMaxValueBytes)
        return std::nullopt;
    std::vector<uint8_t> out(text.size() / 2);
    for (size_t i = 0; i < out.size(); ++i)
    {
        int high = hexDigit(text[2 * i]);
        int low = hexDigit(text[2 * i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        out[i] = static_cast<uint8_t>(high * 16 + low);
    }
    return out;
}

} // namespace

std::string RegistryStore::fileForKey(std::string_view productKey)
{
    std::string key = normaliseKey(productKey);
    for (char& c : key)
        if (c == '\\')
            c = '/';
    if (key.empty())
        key = "default";
    return userConfigFolder() + key + "/settings.reg";
}

RegistryStore::RegistryStore(std::string filePath) : mFilePath(std::move(filePath)) {}

RegistryStore::Keys RegistryStore::load() const
{
    Keys keys;
    auto bytes = readFile(mFilePath, kMaxStoreBytes);
    if (!bytes)
        return keys;
    std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    Values* current = nullptr;
    size_t pos = 0;
    while (pos < text.size())
    {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']')
        {
            auto key = unescape(line.substr(1, line.size() - 2));
            current = key ? &keys[normaliseKey(*key)] : nullptr;
            continue;
        }
        // name=type:hexbytes; anything else is skipped rather than trusted.
        size_t eq = line.find('=');
        size_t colon = line.find(':', eq == std::string_view::npos ? 0 : eq);
        if (!current || eq == std::string_view::npos || colon == std::string_view::npos)
            continue;
        auto name = unescape(line.substr(0, eq));
        auto data = unhex(line.substr(colon + 1));
        std::string typeText(line.substr(eq + 1, colon - eq - 1));
        char* typeEnd = nullptr;
        unsigned long type = std::strtoul(typeText.c_str(), &typeEnd, 10);
        if (!name || !data || typeText.empty() || *typeEnd != '\0' || type > 0xFFFFFFFFul)
            continue;
        (*current)[lower(*name)] = Value{static_cast<uint32_t>(type), std::move(*data)};
    }
    return keys;
}

bool RegistryStore::save(const Keys& keys) const
{
    static const char* hex = "0123456789ABCDEF";
    std::string text;
    for (const auto& [key, values] : keys)
    {
        if (values.empty())
            continue;
        text += "[" + escape(key) + "]\n";
        for (const auto& [name, value] : values)
        {
            text += escape(name) + "=" + std::to_string(value.type) + ":";
            for (uint8_t b : value.data)
            {
                text += hex[b >> 4];
                text += hex[b & 15];
            }
            text += '\n';
        }
    }
    std::string folder = mFilePath.substr(0, mFilePath.find_last_of('/') + 1);
    if (!folder.empty() && !createDirectories(folder))
        return false;
    return writeFileAtomic(mFilePath, text.data(), text.size());
}

bool RegistryStore::write(std::string_view keyPath, std::string_view name, uint32_t type, const void* data,
                          size_t size)
{
    if (size > kMaxValueBytes)
        return false;
    Keys keys = load();
    const auto* bytes = static_cast<const uint8_t*>(data);
    keys[normaliseKey(keyPath)][lower(name)] = Value{type, std::vector<uint8_t>(bytes, bytes + size)};
    return save(keys);
}

std::optional<RegistryStore::Value> RegistryStore::read(std::string_view keyPath, std::string_view name) const
{
    Keys keys = load();
    auto key = keys.find(normaliseKey(keyPath));
    if (key == keys.end())
        return std::nullopt;
    auto value = key->second.find(lower(name));
    if (value == key->second.end())
        return std::nullopt;
    return value->second;
}

bool RegistryStore::erase(std::string_view keyPath, std::string_view name)
{
    Keys keys = load();
    auto key = keys.find(normaliseKey(keyPath));
    if (key == keys.end() || key->second.erase(lower(name)) == 0)
        return false;
    return save(keys);
}

} // namespace platform
