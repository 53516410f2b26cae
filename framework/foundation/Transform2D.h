#pragma once

#include "framework/foundation/Matrix3.h"

namespace Quib
{

// Keeps a rotation or a scale (with a plain horizontal mirror) as simple parts,
// which lets the drawing context take its fast paths, and only falls back to a
// full matrix ("composite") once the steps can no longer be kept apart. The
// fields are public because the drawing context reads them to pick its path.
class Transform2D
{
public:
    Transform2D() { Reset(); }

    void Reset();
    void RotateRad(float angle);
    void RotateDeg(float degrees);
    void Scale(float sx, float sy);
    void MakeComposite();
    void RebuildMatrix();
    const Matrix3& GetMatrix();

    Matrix3 mMatrix;
    bool mOutOfDate;
    bool mComposite;
    bool mRotationPending;
    bool mScalePending;
    // Applied before the rotation or scale.
    float mTranslateX1;
    float mTranslateY1;
    // Applied after the rotation or scale.
    float mTranslateX2;
    float mTranslateY2;
    float mScaleX;
    float mScaleY;
    // Radians.
    float mAngle;
};

} // namespace Quib
