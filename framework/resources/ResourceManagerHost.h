#pragma once

#include "framework/graphics/SharedImage.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Quib
{

class MemoryImage;
class ResourceFontFactory;
class SoundManager;

// What the resource manager needs of the application object: its image services,
// its display, its sound manager and a way to build fonts. The application implements
// it; tests install fakes.
class ResourceManagerHost
{
public:
    virtual ~ResourceManagerHost() = default;

    // The shared image of a file name and variant; isNew tells whether this call made it.
    // A name that begins with "!" gives an empty image for the caller to fill.
    virtual SharedImageHandle GetSharedImage(const std::string& fileName, const std::string& variant,
                                             bool* isNew) = 0;
    // A new image of the file's pixels (alpha image included), or null.
    virtual std::unique_ptr<MemoryImage> LoadImage(const std::string& fileName) = 0;
    virtual bool Is3DEnabled() = 0;
    // Whether the image already lives in a display surface, and asking for one.
    virtual bool HasSurface(MemoryImage* image) = 0;
    virtual void SetWantsSurface(MemoryImage* image) = 0;
    // Null while the application has no sound manager.
    virtual SoundManager* GetSoundManager() = 0;
    virtual ResourceFontFactory* GetFontFactory() = 0;
};

} // namespace Quib
