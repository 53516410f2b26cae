#include "framework/app/QuibAppBase.h"
#include "framework/display/DDInterface.h"
#include "framework/foundation/Strings.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "framework/resources/BassMusicInterface.h"
#include "framework/resources/FModMusicInterface.h"
#include "framework/resources/ImageLib.h"
#include "framework/resources/MusicInterface.h"
#include "framework/resources/SoundInstance.h"
#include "framework/resources/SoundManager.h"
#include "platform/AudioDevice.h"

namespace Quib
{

CriticalSection& QuibAppBase::ImageLock()
{
    return mDDInterface ? mDDInterface->mCritSect : mImageLock;
}

// Images.

DDImage* QuibAppBase::LoadImage(const std::string& fileName, uint32_t commitFlags)
{
    std::unique_ptr<ImageLib::Image> loaded = ImageLib::LoadImageFile(fileName, true);
    if (!loaded || !mDDInterface)
        return nullptr;
    auto image = std::make_unique<DDImage>(mDDInterface.get());
    image->mPath = fileName;
    const int32_t width = loaded->GetWidth();
    const int32_t height = loaded->GetHeight();
    // The decoded pixels become the image's own: a load copies nothing.
    image->TakeBits(loaded->mBits.Release(), width, height, commitFlags != 0);
    return image.release();
}

std::unique_ptr<MemoryImage> QuibAppBase::LoadImage(const std::string& fileName)
{
    return std::unique_ptr<MemoryImage>(LoadImage(fileName, 1));
}

DDImage* QuibAppBase::CopyImageRect(Image* source, const Rect& rect)
{
    if (!mDDInterface)
        return nullptr;
    auto copy = std::make_unique<DDImage>(mDDInterface.get());
    copy->Create(rect.mWidth, rect.mHeight);
    Graphics g(copy.get());
    g.DrawImage(source, -rect.mX, -rect.mY);
    copy->CopyGridAndAnimation(*source);
    return copy.release();
}

DDImage* QuibAppBase::DuplicateImage(Image* image)
{
    return CopyImageRect(image, Rect(0, 0, image->GetWidth(), image->GetHeight()));
}

void QuibAppBase::RegisterImage(MemoryImage* image)
{
    CriticalSectionGuard guard(ImageLock());
    mMemoryImageSet.insert(image);
}

void QuibAppBase::UnregisterImage(MemoryImage* image)
{
    CriticalSectionGuard guard(ImageLock());
    mMemoryImageSet.erase(image);
    DropImageTextures(image);
}

void QuibAppBase::DropImageTextures(MemoryImage* image)
{
    if (mDDInterface)
        mDDInterface->DropImageTextures(image);
}

NativeDisplay* QuibAppBase::GetNativeDisplay()
{
    return mDDInterface.get();
}

bool QuibAppBase::CopyTexturesToImage(MemoryImage* image)
{
    return mDDInterface && mDDInterface->mD3DInterface->CopyTexturesToImage(image);
}

void QuibAppBase::RequestSharedImagePurge()
{
    mSharedImageReleased = true;
}

bool QuibAppBase::HasSurface(MemoryImage* image)
{
    auto* surfaceImage = dynamic_cast<DDImage*>(image);
    return surfaceImage != nullptr && surfaceImage->mSurface != nullptr;
}

void QuibAppBase::SetWantsSurface(MemoryImage* image)
{
    if (auto* surfaceImage = dynamic_cast<DDImage*>(image))
        surfaceImage->mWantsSurface = true;
}

SharedImageHandle QuibAppBase::GetSharedImage(const std::string& fileName, const std::string& variant,
                                              bool* isNew)
{
    const std::pair<std::string, std::string> key(ToUpperCopy(fileName), ToUpperCopy(variant));
    SharedImageHandle handle;
    SharedImageEntry* entry;
    bool inserted;
    {
        CriticalSectionGuard guard(ImageLock());
        auto [it, added] = mSharedImageMap.try_emplace(key);
        entry = &it->second;
        inserted = added;
        handle = entry;
    }
    if (isNew != nullptr)
        *isNew = inserted;
    if (inserted)
    {
        if (!fileName.empty() && fileName[0] == '!')
            entry->mImage = mDDInterface ? new DDImage(mDDInterface.get()) : nullptr;
        else
            entry->mImage = LoadImage(fileName, 0);
    }
    return handle;
}

void QuibAppBase::PurgeUnusedSharedImages()
{
    CriticalSectionGuard guard(ImageLock());
    if (!mSharedImageReleased)
        return;
    for (auto it = mSharedImageMap.begin(); it != mSharedImageMap.end();)
    {
        if (it->second.mRefCount == 0)
        {
            delete it->second.mImage;
            it = mSharedImageMap.erase(it);
        }
        else
        {
            ++it;
        }
    }
    mSharedImageReleased = false;
}

// Sounds and volumes.

std::unique_ptr<MusicInterface> QuibAppBase::CreateMusicInterface()
{
    if (mNoSoundNeeded)
        return std::make_unique<MusicInterface>();
    platform::Mixer* mixer = mAudioDevice != nullptr && mAudioDevice->isOpen() ? &mMixer : nullptr;
    if (mWantFMod)
        return std::make_unique<FModMusicInterface>(mixer);
    return std::make_unique<BassMusicInterface>(mixer);
}

void QuibAppBase::PlaySound(int soundId)
{
    if (!mSoundManager)
        return;
    if (SoundInstance* instance = mSoundManager->CreateInstance(soundId))
        instance->Play(false, true);
}

void QuibAppBase::PlaySoundPanned(int soundId, int pan)
{
    if (!mSoundManager)
        return;
    if (SoundInstance* instance = mSoundManager->CreateInstance(soundId))
    {
        instance->SetPan(pan);
        instance->Play(false, true);
    }
}

bool QuibAppBase::IsMuted()
{
    return mMuteCount > 0;
}

void QuibAppBase::Mute(bool automatic)
{
    ++mMuteCount;
    if (automatic)
        ++mAutoMuteCount;
    SetMusicVolume(mMusicVolume);
    SetSfxVolume(mSfxVolume);
}

void QuibAppBase::Unmute(bool automatic)
{
    if (mMuteCount <= 0)
        return;
    --mMuteCount;
    if (automatic)
        --mAutoMuteCount;
    SetMusicVolume(mMusicVolume);
    SetSfxVolume(mSfxVolume);
}

double QuibAppBase::GetMusicVolume()
{
    return mMusicVolume;
}

double QuibAppBase::GetSfxVolume()
{
    return mSfxVolume;
}

void QuibAppBase::SetMusicVolume(double volume)
{
    mMusicVolume = volume;
    if (mMusicInterface)
        mMusicInterface->SetMusicVolume(IsMuted() ? 0 : volume);
}

void QuibAppBase::SetSfxVolume(double volume)
{
    mSfxVolume = volume;
    if (mSoundManager)
        mSoundManager->SetEffectsVolume(IsMuted() ? 0 : volume);
}

double QuibAppBase::GetMasterVolume()
{
    return mSoundManager ? mSoundManager->GetMixerVolume() : 0;
}

void QuibAppBase::SetMasterVolume(double volume)
{
    if (mSoundManager)
        mSoundManager->SetMixerVolume(volume);
}

} // namespace Quib
