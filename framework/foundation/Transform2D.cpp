#include "framework/foundation/Transform2D.h"

namespace Quib
{

void Transform2D::Reset()
{
    mOutOfDate = true;
    mComposite = false;
    mRotationPending = false;
    mScalePending = false;
    mTranslateX1 = mTranslateY1 = 0.0f;
    mTranslateX2 = mTranslateY2 = 0.0f;
    mScaleX = mScaleY = 1.0f;
    mAngle = 0.0f;
}

void Transform2D::RotateRad(float angle)
{
    if (!mComposite && !mScalePending)
    {
        mAngle += angle;
        mOutOfDate = true;
        mRotationPending = true;
        return;
    }
    MakeComposite();
    mMatrix.RotateRad(angle);
}

void Transform2D::RotateDeg(float degrees)
{
    RotateRad(DegreesToRadians(degrees));
}

void Transform2D::Scale(float sx, float sy)
{
    if (!mComposite)
    {
        // A plain horizontal mirror of an unscaled transform is the one negative
        // scale the fast paths can draw; anything else needs the full matrix.
        const bool foldable = !mRotationPending && mTranslateX1 == 0.0f && mTranslateY1 == 0.0f &&
                              (sx >= 0.0f || mScaleX * sx == -1.0f) && sy >= 0.0f;
        if (foldable)
        {
            mScaleX *= sx;
            mScaleY *= sy;
            mOutOfDate = true;
            mScalePending = true;
            return;
        }
        MakeComposite();
    }
    mMatrix.Scale(sx, sy);
}

void Transform2D::MakeComposite()
{
    if (mComposite)
        return;
    mComposite = true;
    RebuildMatrix();
}

void Transform2D::RebuildMatrix()
{
    if (!mOutOfDate)
        return;
    mOutOfDate = false;
    mMatrix.LoadIdentity();
    mMatrix.m02 = mTranslateX1;
    mMatrix.m12 = mTranslateY1;
    mMatrix.m22 = 1.0f;
    if (mScalePending)
    {
        mMatrix.m00 = mScaleX;
        mMatrix.m11 = mScaleY;
    }
    else if (mRotationPending)
    {
        mMatrix.RotateRad(mAngle);
    }
    if (mTranslateX2 != 0.0f || mTranslateY2 != 0.0f)
        mMatrix.Translate(mTranslateX2, mTranslateY2);
}

const Matrix3& Transform2D::GetMatrix()
{
    RebuildMatrix();
    return mMatrix;
}

} // namespace Quib
