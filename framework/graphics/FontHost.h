#pragma once

#include "framework/graphics/SharedImage.h"

#include <string>

namespace Quib
{

// What bitmap fonts need of the application object: a place to show descriptor
// errors and the shared-image cache their layer images come from. The
// application implements it; tests install fakes.
class FontHost
{
public:
    virtual ~FontHost() = default;

    virtual void ShowError(const std::string& text) = 0;
    // The image of a file, loaded once and shared; isNew tells whether this call loaded it.
    virtual SharedImageHandle GetSharedImage(const std::string& fileName, const std::string& variant,
                                             bool* isNew) = 0;
};

} // namespace Quib
