#pragma once

#include "framework/foundation/FloatPoint.h"

namespace Quib
{

class Vector3
{
public:
    constexpr Vector3() = default;
    constexpr Vector3(float x, float y, float z) : mX(x), mY(y), mZ(z) {}

    float mX = 0.0f;
    float mY = 0.0f;
    float mZ = 0.0f;
};

// A 3 x 3 float matrix acting on column vectors, so the translation lies in the
// third column. Every step added (Translate, RotateRad, Scale) is multiplied in
// front of the current matrix: it applies after everything already recorded.
class Matrix3
{
public:
    Matrix3() { LoadIdentity(); }

    void LoadIdentity();

    // out := other x this, every partial sum kept in single precision so that
    // results match bit for bit wherever they are computed. out may be *this.
    Matrix3& Multiply(const Matrix3& other, Matrix3& out) const;

    void Translate(float tx, float ty);
    // With y growing downwards, a positive angle turns the picture counter-clockwise.
    void RotateRad(float angle);
    void RotateDeg(float degrees);
    void Scale(float sx, float sy);

    // The third row is ignored: points are affine.
    FloatPoint TransformPoint(const FloatPoint& point) const;
    Vector3 TransformVec3(const Vector3& v) const;

    float m00, m01, m02;
    float m10, m11, m12;
    float m20, m21, m22;

private:
    void PreMultiply(const Matrix3& step);
};

// Degrees to radians as the drawing code has always converted them: pi rounded
// to single precision, the product formed in double before the division.
float DegreesToRadians(float degrees);

} // namespace Quib
