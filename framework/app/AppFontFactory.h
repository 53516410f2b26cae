#pragma once

#include "framework/resources/ResourceFontFactory.h"

namespace Quib
{

class FontHost;

// Builds the fonts a resource manifest declares with the framework's system
// and bitmap font classes.
class AppFontFactory : public ResourceFontFactory
{
public:
    explicit AppFontFactory(FontHost& app) : mApp(app) {}

    std::unique_ptr<Font> CreateSysFont(const SysFontStyle& style) override;
    std::unique_ptr<Font> CreateImageFont(const std::string& descriptorPath) override;
    std::unique_ptr<Font> CreateImageFont(Image* image, const std::string& widthsPath) override;
    void ApplyTags(Font& font, const std::vector<std::string>& tags) override;

private:
    FontHost& mApp;
};

} // namespace Quib
