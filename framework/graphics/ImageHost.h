#pragma once

namespace Quib
{

class MemoryImage;
class NativeDisplay;

// What images need of the application object and its display. The application
// implements it; tests install fakes.
class ImageHost
{
public:
    virtual ~ImageHost() = default;

    // Both run under the display's lock; unregistering also drops the image's textures.
    virtual void RegisterImage(MemoryImage* image) = 0;
    virtual void UnregisterImage(MemoryImage* image) = 0;
    virtual void DropImageTextures(MemoryImage* image) = 0;
    virtual bool Is3DEnabled() = 0;
    // The screen's pixel format, or null while there is no display.
    virtual NativeDisplay* GetNativeDisplay() = 0;
    // Reads an image whose only form is its textures back into its allocated pixels.
    virtual bool CopyTexturesToImage(MemoryImage* image) = 0;
    // Asks for unreferenced shared images to be deleted after the next update; may be
    // called from any thread.
    virtual void RequestSharedImagePurge() = 0;
};

// The process's application object as images see it; null until the application sets it.
extern ImageHost* gImageHost;

} // namespace Quib
