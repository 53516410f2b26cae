#include "framework/widgets/Checkbox.h"

#include "framework/graphics/Graphics.h"
#include "framework/widgets/CheckboxListener.h"

namespace Quib
{

Checkbox::Checkbox(Image* uncheckedImage, Image* checkedImage, int id, CheckboxListener* listener)
    : mListener(listener), mId(id), mUncheckedImage(uncheckedImage), mCheckedImage(checkedImage)
{
    mDoHandCursor = true;
}

void Checkbox::Draw(Graphics* g)
{
    if (mCheckedRect.mWidth == 0 && mCheckedImage != nullptr && mUncheckedImage != nullptr)
    {
        g->DrawImage(mChecked ? mCheckedImage : mUncheckedImage, 0, 0);
    }
    else if (mCheckedRect.mWidth != 0 && mUncheckedImage != nullptr)
    {
        g->DrawImage(mUncheckedImage, 0, 0, mChecked ? mCheckedRect : mUncheckedRect);
    }
    else if (mCheckedImage == nullptr && mUncheckedImage == nullptr)
    {
        g->SetColor(mOutlineColor);
        g->FillRect(0, 0, mWidth, mHeight);
        g->SetColor(mBkgColor);
        g->FillRect(1, 1, mWidth - 2, mHeight - 2);
        if (mChecked)
        {
            g->SetColor(mCheckColor);
            g->DrawLine(1, 1, mWidth - 2, mHeight - 2);
            g->DrawLine(mWidth - 1, 1, 1, mHeight - 2);
        }
    }
}

void Checkbox::OnMouseButtonDown(int, int, int, int)
{
    mChecked = !mChecked;
    if (mListener != nullptr)
        mListener->OnCheckboxToggled(mId, mChecked);
    MarkDirty();
}

void Checkbox::SetChecked(bool checked, bool notify)
{
    mChecked = checked;
    if (notify && mListener != nullptr)
        mListener->OnCheckboxToggled(mId, mChecked);
    MarkDirty();
}

bool Checkbox::IsChecked() const
{
    return mChecked;
}

} // namespace Quib
