#include "framework/foundation/Matrix3.h"

#include <cmath>

namespace Quib
{

void Matrix3::LoadIdentity()
{
    m00 = 1.0f, m01 = 0.0f, m02 = 0.0f;
    m10 = 0.0f, m11 = 1.0f, m12 = 0.0f;
    m20 = 0.0f, m21 = 0.0f, m22 = 1.0f;
}

Matrix3& Matrix3::Multiply(const Matrix3& other, Matrix3& out) const
{
    const float a[3][3] = {{other.m00, other.m01, other.m02},
                           {other.m10, other.m11, other.m12},
                           {other.m20, other.m21, other.m22}};
    const float b[3][3] = {{m00, m01, m02}, {m10, m11, m12}, {m20, m21, m22}};
    float r[3][3];
    for (int row = 0; row < 3; ++row)
    {
        for (int col = 0; col < 3; ++col)
        {
            float sum = a[row][0] * b[0][col];
            sum += a[row][1] * b[1][col];
            sum += a[row][2] * b[2][col];
            r[row][col] = sum;
        }
    }
    out.m00 = r[0][0], out.m01 = r[0][1], out.m02 = r[0][2];
    out.m10 = r[1][0], out.m11 = r[1][1], out.m12 = r[1][2];
    out.m20 = r[2][0], out.m21 = r[2][1], out.m22 = r[2][2];
    return out;
}

void Matrix3::PreMultiply(const Matrix3& step)
{
    Multiply(step, *this);
}

void Matrix3::Translate(float tx, float ty)
{
    Matrix3 step;
    step.m02 = tx;
    step.m12 = ty;
    PreMultiply(step);
}

void Matrix3::RotateRad(float angle)
{
    const float c = static_cast<float>(std::cos(static_cast<double>(angle)));
    const float s = static_cast<float>(std::sin(static_cast<double>(angle)));
    Matrix3 step;
    step.m00 = c;
    step.m01 = s;
    step.m10 = -s;
    step.m11 = c;
    PreMultiply(step);
}

void Matrix3::RotateDeg(float degrees)
{
    RotateRad(DegreesToRadians(degrees));
}

void Matrix3::Scale(float sx, float sy)
{
    Matrix3 step;
    step.m00 = sx;
    step.m11 = sy;
    PreMultiply(step);
}

FloatPoint Matrix3::TransformPoint(const FloatPoint& point) const
{
    return FloatPoint(m00 * point.mX + m01 * point.mY + m02, m10 * point.mX + m11 * point.mY + m12);
}

Vector3 Matrix3::TransformVec3(const Vector3& v) const
{
    return Vector3(m00 * v.mX + m01 * v.mY + m02 * v.mZ, m10 * v.mX + m11 * v.mY + m12 * v.mZ,
                   m20 * v.mX + m21 * v.mY + m22 * v.mZ);
}

float DegreesToRadians(float degrees)
{
    return static_cast<float>(static_cast<double>(degrees) * 3.1415927410125732 / 180.0);
}

} // namespace Quib
