#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform
{

// A file-backed stand-in for the per-user settings registry: values with a
// type code and raw bytes, grouped by key path. The whole store lives in one
// text file that is rewritten atomically on every change, so a crash never
// leaves half a settings file behind.
class RegistryStore
{
public:
    struct Value
    {
        uint32_t type = 0;
        std::vector<uint8_t> data;
    };

    // The store for a product key (the text the application names its settings
    // by), kept under the per-user settings folder.
    static std::string fileForKey(std::string_view productKey);

    explicit RegistryStore(std::string filePath);

    // Key paths use '\' or '/' between levels and compare case-insensitively.
    bool write(std::string_view keyPath, std::string_view name, uint32_t type, const void* data, size_t size);
    std::optional<Value> read(std::string_view keyPath, std::string_view name) const;
    bool erase(std::string_view keyPath, std::string_view name);

    const std::string& filePath() const { return mFilePath; }

private:
    using Values = std::map<std::string, Value>; // by lower-case value name
    using Keys = std::map<std::string, Values>;  // by lower-case key path

    Keys load() const;
    bool save(const Keys& keys) const;

    std::string mFilePath;
};

} // namespace platform
