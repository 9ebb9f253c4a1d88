// Points, sizes and rectangles in the window system's conventions: a
// rectangle's right and bottom are one past its last pixel, and an empty
// rectangle (no width or no height) contains no point.
#pragma once

#include "framework/Types.h"

#include <algorithm>

struct CSize {
    LONG cx = 0;
    LONG cy = 0;

    CSize() = default;
    CSize(LONG i_cx, LONG i_cy) : cx(i_cx), cy(i_cy) {}
    bool operator==(const CSize&) const = default;
};

struct CPoint {
    LONG x = 0;
    LONG y = 0;

    CPoint() = default;
    CPoint(LONG i_x, LONG i_y) : x(i_x), y(i_y) {}
    void Offset(LONG i_dx, LONG i_dy)
    {
        x += i_dx;
        y += i_dy;
    }
    CPoint operator+(const CSize& size) const { return {x + size.cx, y + size.cy}; }
    CPoint operator-(const CSize& size) const { return {x - size.cx, y - size.cy}; }
    bool operator==(const CPoint&) const = default;
};

struct CRect {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;

    CRect() = default;
    CRect(LONG i_left, LONG i_top, LONG i_right, LONG i_bottom)
        : left(i_left), top(i_top), right(i_right), bottom(i_bottom)
    {
    }
    CRect(const CPoint& top_left, const CPoint& bottom_right)
        : left(top_left.x), top(top_left.y), right(bottom_right.x), bottom(bottom_right.y)
    {
    }

    LONG Width() const { return right - left; }
    LONG Height() const { return bottom - top; }
    CSize Size() const { return {Width(), Height()}; }
    CPoint TopLeft() const { return {left, top}; }
    CPoint BottomRight() const { return {right, bottom}; }
    CPoint CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }

    bool IsRectEmpty() const { return right <= left || bottom <= top; }
    bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool PtInRect(const CPoint& pt) const { return left <= pt.x && pt.x < right && top <= pt.y && pt.y < bottom; }

    void SetRect(LONG i_left, LONG i_top, LONG i_right, LONG i_bottom)
    {
        left = i_left;
        top = i_top;
        right = i_right;
        bottom = i_bottom;
    }
    void SetRectEmpty() { left = top = right = bottom = 0; }
    void OffsetRect(LONG i_dx, LONG i_dy)
    {
        left += i_dx;
        right += i_dx;
        top += i_dy;
        bottom += i_dy;
    }
    void InflateRect(LONG i_dx, LONG i_dy) { InflateRect(i_dx, i_dy, i_dx, i_dy); }
    void InflateRect(LONG i_l, LONG i_t, LONG i_r, LONG i_b)
    {
        left -= i_l;
        top -= i_t;
        right += i_r;
        bottom += i_b;
    }
    void DeflateRect(LONG i_dx, LONG i_dy) { InflateRect(-i_dx, -i_dy); }
    void DeflateRect(LONG i_l, LONG i_t, LONG i_r, LONG i_b) { InflateRect(-i_l, -i_t, -i_r, -i_b); }

    // The common part of a and b; empty (all zero) and false when they do
    // not meet.
    bool IntersectRect(const CRect& a, const CRect& b)
    {
        const CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                      std::min(a.bottom, b.bottom));
        if (r.IsRectEmpty()) {
            SetRectEmpty();
            return false;
        }
        *this = r;
        return true;
    }
    // The smallest rectangle holding both; an empty one adds nothing.
    bool UnionRect(const CRect& a, const CRect& b)
    {
        if (a.IsRectEmpty())
            *this = b;
        else if (b.IsRectEmpty())
            *this = a;
        else
            SetRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                    std::max(a.bottom, b.bottom));
        if (IsRectEmpty()) {
            SetRectEmpty();
            return false;
        }
        return true;
    }
    // Non-zero when the two have a common part.
    bool Meets(const CRect& other) const
    {
        CRect r;
        return r.IntersectRect(*this, other);
    }

    bool operator==(const CRect&) const = default;
};
