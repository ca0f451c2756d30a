#include "CObject.h"
#include "CRect.h"

#include <gtest/gtest.h>

TEST(GeometryTest, RectMeasuresAndMoves)
{
    CRect r(10, 20, 110, 70);
    EXPECT_EQ(r.Width(), 100);
    EXPECT_EQ(r.Height(), 50);
    EXPECT_EQ(r.CenterPoint(), CPoint(60, 45));
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(r.PtInRect(CPoint(110, 20)));  // right and bottom are outside
    r.OffsetRect(5, -5);
    EXPECT_EQ(r, CRect(15, 15, 115, 65));
    r.DeflateRect(5, 5);
    EXPECT_EQ(r, CRect(20, 20, 110, 60));
    r.InflateRect(1, 2, 3, 4);
    EXPECT_EQ(r, CRect(19, 18, 113, 64));
    r.MoveToXY(0, 0);
    EXPECT_EQ(r, CRect(0, 0, 94, 46));
    EXPECT_EQ(r.TopLeft(), CPoint(0, 0));
    EXPECT_EQ(r.BottomRight(), CPoint(94, 46));
    EXPECT_EQ(r.Size(), CSize(94, 46));
    CRect n(10, 10, 0, 0);
    EXPECT_TRUE(n.IsRectEmpty());
    n.NormalizeRect();
    EXPECT_EQ(n, CRect(0, 0, 10, 10));
}

TEST(GeometryTest, IntersectionAndUnion)
{
    struct Case { CRect a, b, intersection, unionRect; bool intersects; };
    const Case cases[] = {
        { CRect(0, 0, 10, 10), CRect(5, 5, 15, 15), CRect(5, 5, 10, 10), CRect(0, 0, 15, 15), true },
        { CRect(0, 0, 10, 10), CRect(10, 0, 20, 10), CRect(), CRect(0, 0, 20, 10), false },  // touching
        { CRect(0, 0, 10, 10), CRect(), CRect(), CRect(0, 0, 10, 10), false },             // empty ignored
        { CRect(0, 0, 10, 10), CRect(2, 2, 4, 4), CRect(2, 2, 4, 4), CRect(0, 0, 10, 10), true },
    };
    for (const Case& c : cases) {
        CRect i;
        EXPECT_EQ(i.IntersectRect(&c.a, &c.b), c.intersects);
        EXPECT_EQ(i, c.intersection);
        EXPECT_EQ(c.a | c.b, c.unionRect);
        EXPECT_EQ(c.a & c.b, c.intersection);
    }
}

TEST(GeometryTest, PointAndSizeArithmetic)
{
    CPoint p(3, 4);
    p += CSize(1, 1);
    EXPECT_EQ(p, CPoint(4, 5));
    EXPECT_EQ(p - CPoint(1, 2), CSize(3, 3));
    EXPECT_EQ(p + CSize(-4, -5), CPoint(0, 0));
    EXPECT_EQ(-CSize(2, 3), CSize(-2, -3));
    EXPECT_EQ(CRect(CPoint(1, 2), CSize(3, 4)), CRect(1, 2, 4, 6));
}

namespace {
class CAnimal : public CObject {
    DECLARE_DYNCREATE(CAnimal)
};
class CCat : public CAnimal {
    DECLARE_DYNAMIC(CCat)
};
IMPLEMENT_DYNCREATE(CAnimal, CObject)
IMPLEMENT_DYNAMIC(CCat, CAnimal)
} // namespace

TEST(GeometryTest, RuntimeClassesKnowTheirBases)
{
    CCat cat;
    EXPECT_TRUE(cat.IsKindOf(RUNTIME_CLASS(CCat)));
    EXPECT_TRUE(cat.IsKindOf(RUNTIME_CLASS(CAnimal)));
    EXPECT_TRUE(cat.IsKindOf(RUNTIME_CLASS(CObject)));
    CAnimal animal;
    EXPECT_FALSE(animal.IsKindOf(RUNTIME_CLASS(CCat)));
    EXPECT_STREQ(cat.GetRuntimeClass()->m_lpszClassName, "CCat");
    EXPECT_EQ(RUNTIME_CLASS(CCat)->CreateObject(), nullptr);  // not dynamically creatable
    CObject* made = RUNTIME_CLASS(CAnimal)->CreateObject();
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CAnimal)));
    delete made;
}
