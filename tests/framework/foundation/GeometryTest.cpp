#include "framework/foundation/AspectRatio.h"
#include "framework/foundation/Color.h"
#include "framework/foundation/Matrix3.h"
#include "framework/foundation/Rect.h"
#include "framework/foundation/Transform2D.h"

#include <climits>
#include <cmath>
#include <gtest/gtest.h>

using namespace Quib;

namespace
{

struct PackedCase
{
    uint32_t packed;
    int red, green, blue, alpha;
};

TEST(Color, PackedValuesWithZeroAlphaAreOpaque)
{
    const PackedCase cases[] = {
        {0x00FF0000, 255, 0, 0, 255}, {0x80FF0000, 255, 0, 0, 128}, {0xFF000000, 0, 0, 0, 255},
        {0x01020304, 2, 3, 4, 1},     {0x00000000, 0, 0, 0, 255},   {0xFFFFFFFF, 255, 255, 255, 255},
    };
    for (const auto& c : cases)
    {
        Color color(c.packed);
        EXPECT_EQ(color.GetRed(), c.red) << std::hex << c.packed;
        EXPECT_EQ(color.GetGreen(), c.green) << std::hex << c.packed;
        EXPECT_EQ(color.GetBlue(), c.blue) << std::hex << c.packed;
        EXPECT_EQ(color.GetAlpha(), c.alpha) << std::hex << c.packed;
    }
}

TEST(Color, PackingAndComparison)
{
    EXPECT_EQ(Color::White.PackARGB(), 0xFFFFFFFFu);
    EXPECT_EQ(Color().PackARGB(), 0xFF000000u);
    EXPECT_EQ(Color::Black, Color());
    EXPECT_EQ(Color(1, 2, 3).GetAlpha(), 255);
    EXPECT_EQ(Color(0x12, 0x34, 0x56, 0x78).PackARGB(), 0x78123456u);
    // Components are not masked: an out-of-range red spills into alpha.
    EXPECT_EQ(Color(0x100, 0, 0, 0).PackARGB(), 0x01000000u);
    EXPECT_TRUE(Color(255, 255, 255).IsWhite());
    EXPECT_FALSE(Color(255, 255, 255, 254).IsWhite());
    EXPECT_NE(Color(1, 2, 3, 4), Color(1, 2, 3, 5));
    EXPECT_EQ(Color::OpaqueCopy(Color(9, 8, 7, 6)), Color(9, 8, 7, 255));
}

TEST(Rect, IntersectsIsStrict)
{
    const Rect base(0, 0, 10, 10);
    EXPECT_FALSE(base.Intersects(Rect(10, 0, 10, 10)));
    EXPECT_FALSE(base.Intersects(Rect(0, 10, 10, 10)));
    EXPECT_FALSE(base.Intersects(Rect(10, 10, 5, 5)));
    EXPECT_TRUE(base.Intersects(Rect(9, 9, 10, 10)));
    EXPECT_TRUE(base.Intersects(Rect(2, 2, 1, 1)));
    // Edges past the int range must not wrap into a false overlap.
    EXPECT_FALSE(Rect(INT_MAX - 1, 0, 10, 10).Intersects(Rect(INT_MIN, 0, 10, 10)));
}

TEST(Rect, IntersectionKeepsTouchingEdge)
{
    EXPECT_EQ(Rect(0, 0, 10, 10).Intersection(Rect(10, 0, 5, 5)), Rect(10, 0, 0, 5));
    EXPECT_EQ(Rect(0, 0, 10, 10).Intersection(Rect(11, 0, 5, 5)), Rect(0, 0, 0, 0));
    EXPECT_EQ(Rect(0, 0, 10, 10).Intersection(Rect(4, -3, 10, 5)), Rect(4, 0, 6, 2));
    EXPECT_EQ(Rect(5, 5, 2, 2).Intersection(Rect(0, 0, 100, 100)), Rect(5, 5, 2, 2));
}

void expectMatrix(const Matrix3& m, std::initializer_list<float> expected, float tolerance = 1e-6f)
{
    const float actual[] = {m.m00, m.m01, m.m02, m.m10, m.m11, m.m12, m.m20, m.m21, m.m22};
    int i = 0;
    for (float e : expected)
    {
        EXPECT_NEAR(actual[i], e, tolerance) << "entry " << i;
        ++i;
    }
}

TEST(Matrix3, StepsApplyInCallOrder)
{
    Matrix3 m;
    m.Scale(2.0f, 3.0f);
    m.Translate(10.0f, 20.0f);
    // Scale first, then translate: the translation is not scaled.
    FloatPoint p = m.TransformPoint(FloatPoint(1.0f, 1.0f));
    EXPECT_EQ(p, FloatPoint(12.0f, 23.0f));

    Matrix3 n;
    n.Translate(10.0f, 20.0f);
    n.Scale(2.0f, 3.0f);
    EXPECT_EQ(n.TransformPoint(FloatPoint(1.0f, 1.0f)), FloatPoint(22.0f, 63.0f));
}

TEST(Matrix3, RotationTurnsCounterClockwiseOnScreen)
{
    Matrix3 m;
    m.RotateDeg(90.0f);
    expectMatrix(m, {0, 1, 0, -1, 0, 0, 0, 0, 1});
    // The x axis goes to screen "up" (negative y).
    FloatPoint p = m.TransformPoint(FloatPoint(1.0f, 0.0f));
    EXPECT_NEAR(p.mX, 0.0f, 1e-6f);
    EXPECT_NEAR(p.mY, -1.0f, 1e-6f);
}

TEST(Matrix3, DegreeConversionUsesSinglePrecisionPi)
{
    EXPECT_EQ(DegreesToRadians(180.0f), 3.1415927410125732f);
    EXPECT_EQ(DegreesToRadians(30.0f), static_cast<float>(30.0 * 3.1415927410125732 / 180.0));
}

TEST(Matrix3, MultiplyMayWriteIntoItself)
{
    Matrix3 a;
    a.m00 = 1, a.m01 = 2, a.m02 = 3, a.m10 = 4, a.m11 = 5, a.m12 = 6, a.m20 = 7, a.m21 = 8, a.m22 = 9;
    Matrix3 b;
    b.m00 = 9, b.m01 = 8, b.m02 = 7, b.m10 = 6, b.m11 = 5, b.m12 = 4, b.m20 = 3, b.m21 = 2, b.m22 = 1;
    Matrix3 out;
    a.Multiply(b, out); // b x a
    expectMatrix(out, {90, 114, 138, 54, 69, 84, 18, 24, 30});
    a.Multiply(b, a);
    expectMatrix(a, {90, 114, 138, 54, 69, 84, 18, 24, 30});
    Vector3 v = b.TransformVec3(Vector3(1, 2, 3));
    EXPECT_EQ(v.mX, 46.0f);
    EXPECT_EQ(v.mY, 28.0f);
    EXPECT_EQ(v.mZ, 10.0f);
}

TEST(Transform2D, RotationsAccumulateWhileSimple)
{
    Transform2D t;
    t.RotateDeg(30.0f);
    t.RotateDeg(60.0f);
    EXPECT_FALSE(t.mComposite);
    EXPECT_TRUE(t.mRotationPending);
    EXPECT_NEAR(t.mAngle, 3.14159265f / 2, 1e-6f);
    expectMatrix(t.GetMatrix(), {0, 1, 0, -1, 0, 0, 0, 0, 1});
    EXPECT_FALSE(t.mOutOfDate);
}

TEST(Transform2D, OnlyOneHorizontalMirrorStaysSimple)
{
    Transform2D t;
    t.Scale(-1.0f, 1.0f);
    EXPECT_FALSE(t.mComposite);
    EXPECT_TRUE(t.mScalePending);
    EXPECT_EQ(t.mScaleX, -1.0f);
    EXPECT_EQ(t.mScaleY, 1.0f);
    t.Scale(-1.0f, 1.0f);
    EXPECT_TRUE(t.mComposite);
    expectMatrix(t.GetMatrix(), {1, 0, 0, 0, 1, 0, 0, 0, 1});

    Transform2D vertical;
    vertical.Scale(1.0f, -1.0f);
    EXPECT_TRUE(vertical.mComposite);
    expectMatrix(vertical.GetMatrix(), {1, 0, 0, 0, -1, 0, 0, 0, 1});

    Transform2D scaledMirror;
    scaledMirror.Scale(2.0f, 2.0f);
    scaledMirror.Scale(-1.0f, 1.0f);
    EXPECT_TRUE(scaledMirror.mComposite);
}

TEST(Transform2D, MixingRotationAndScaleGoesCompositeInCallOrder)
{
    Transform2D scaleThenRotate;
    scaleThenRotate.Scale(2.0f, 3.0f);
    scaleThenRotate.RotateDeg(90.0f);
    EXPECT_TRUE(scaleThenRotate.mComposite);
    Matrix3 expected;
    expected.Scale(2.0f, 3.0f);
    expected.RotateDeg(90.0f);
    expectMatrix(scaleThenRotate.GetMatrix(),
                 {expected.m00, expected.m01, expected.m02, expected.m10, expected.m11, expected.m12,
                  expected.m20, expected.m21, expected.m22},
                 0.0f);
    expectMatrix(scaleThenRotate.GetMatrix(), {0, 3, 0, -2, 0, 0, 0, 0, 1});

    Transform2D rotateThenScale;
    rotateThenScale.RotateDeg(90.0f);
    rotateThenScale.Scale(2.0f, 3.0f);
    EXPECT_TRUE(rotateThenScale.mComposite);
    expectMatrix(rotateThenScale.GetMatrix(), {0, 2, 0, -3, 0, 0, 0, 0, 1});

    rotateThenScale.Reset();
    EXPECT_FALSE(rotateThenScale.mComposite);
    EXPECT_TRUE(rotateThenScale.mOutOfDate);
    EXPECT_FALSE(rotateThenScale.mRotationPending);
    expectMatrix(rotateThenScale.GetMatrix(), {1, 0, 0, 0, 1, 0, 0, 0, 1});
}

TEST(AspectRatio, ReducesAndCompares)
{
    struct Case
    {
        int width, height, expectedWidth, expectedHeight;
    };
    const Case cases[] = {{800, 600, 4, 3}, {1280, 1024, 5, 4}, {1920, 1080, 16, 9},
                          {7, 0, 1, 0},     {0, 5, 0, 1},       {3, 7, 3, 7}};
    for (const auto& c : cases)
    {
        AspectRatio r(c.width, c.height);
        EXPECT_EQ(r.mWidth, c.expectedWidth) << c.width << ":" << c.height;
        EXPECT_EQ(r.mHeight, c.expectedHeight) << c.width << ":" << c.height;
    }
    EXPECT_EQ(AspectRatio(), AspectRatio(1, 1));
    EXPECT_TRUE(AspectRatio(16, 9).IsWiderThan(AspectRatio(4, 3)));
    EXPECT_FALSE(AspectRatio(4, 3).IsWiderThan(AspectRatio(4, 3)));
    EXPECT_FALSE(AspectRatio(4, 3).IsWiderThan(AspectRatio(16, 9)));
    EXPECT_TRUE(AspectRatio(16, 10).IsWiderThan(AspectRatio(4, 3)));
}

TEST(AspectRatio, DegenerateInputsDoNotTrap)
{
    AspectRatio r(16, 9);
    r.Set(0, 0);
    EXPECT_EQ(r, AspectRatio(16, 9));
    r.Set(INT_MIN, -1);
    EXPECT_FALSE(AspectRatio(1, 0).IsWiderThan(AspectRatio(1, 0)));
    EXPECT_TRUE(AspectRatio(4, 3).IsWiderThan(AspectRatio(0, 1)));
}

} // namespace
