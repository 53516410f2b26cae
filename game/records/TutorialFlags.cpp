#include "game/records/TutorialFlags.h"

#include "game/records/SaveEncoding.h"

bool TutorialFlags::IsSet(int index) const
{
    return index >= 0 && index < kCount && mFlags[size_t(index)];
}

void TutorialFlags::Set(int index)
{
    if (index >= 0 && index < kCount)
        mFlags[size_t(index)] = true;
}

void TutorialFlags::ClearAll()
{
    mFlags.fill(false);
}

void TutorialFlags::Read(Quib::Buffer& buffer)
{
    const size_t count = save::ReadCount(buffer);
    for (size_t i = 0; i < count && (i < mFlags.size() || !buffer.ReadExhausted()); ++i)
    {
        const bool flag = save::ReadFlag(buffer);
        if (i < mFlags.size())
            mFlags[i] = flag;
    }
}

void TutorialFlags::Write(Quib::Buffer& buffer) const
{
    save::WriteCount(buffer, mFlags.size());
    for (bool flag : mFlags)
        save::WriteFlag(buffer, flag);
}
