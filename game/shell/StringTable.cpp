#include "game/shell/StringTable.h"

#include "game/shell/PropertyFile.h"

#include <memory>

StringTable* gStringTable = nullptr;

namespace
{

std::unique_ptr<StringTable>& Instance()
{
    static std::unique_ptr<StringTable> instance;
    return instance;
}

} // namespace

StringTable& StringTable::GetInstance()
{
    if (!Instance())
    {
        Instance() = std::make_unique<StringTable>();
        gStringTable = Instance().get();
    }
    return *Instance();
}

void StringTable::DeleteInstance()
{
    Instance().reset();
    gStringTable = nullptr;
}

bool StringTable::Load(const std::string& fileName)
{
    return ReadPropertyFile(fileName, [this](const std::string& key, const std::string& value)
                            { mStrings[key] = value; });
}

std::string StringTable::Lookup(const std::string& key) const
{
    const auto found = mStrings.find(key);
    if (found == mStrings.end())
        return "error::not found " + key;
    return found->second;
}

void StringTable::Set(const std::string& key, const std::string& text)
{
    mStrings[key] = text;
}
