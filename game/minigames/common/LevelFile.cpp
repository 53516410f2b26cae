#include "game/minigames/common/LevelFile.h"

bool OpenLevelFile(Quib::XMLParser& parser, const std::string& path, std::vector<std::string>& problems)
{
    if (parser.OpenDocument(path))
        return true;
    problems.push_back(path + ": cannot be opened");
    return false;
}

void NoteLevelFileError(const Quib::XMLParser& parser, const std::string& path,
                        std::vector<std::string>& problems)
{
    if (parser.HasFailed())
        problems.push_back(path + ": line " + std::to_string(parser.GetLineNumber()) + ": " +
                           parser.GetErrorMessage());
}
