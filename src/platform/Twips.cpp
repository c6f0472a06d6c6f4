#include "Twips.h"

#include <cmath>

namespace {
double g_perPixelX = 15.0;
double g_perPixelY = 15.0;
} // namespace

double TwipsPerPixelX() {
    return g_perPixelX;
}

double TwipsPerPixelY() {
    return g_perPixelY;
}

void SetTwipsPerPixel(double x, double y) {
    g_perPixelX = x > 0 ? x : 15.0;
    g_perPixelY = y > 0 ? y : 15.0;
}

int PxX(double twips) {
    return static_cast<int>(std::lround(twips / TwipsPerPixelX()));
}

int PxY(double twips) {
    return static_cast<int>(std::lround(twips / TwipsPerPixelY()));
}

QRect PxRect(double left, double top, double width, double height) {
    // Edges are rounded, not sizes, so adjacent twips rectangles meet without gaps.
    const int l = PxX(left);
    const int t = PxY(top);
    return QRect(l, t, PxX(left + width) - l, PxY(top + height) - t);
}

double TwipsX(double pixels) {
    return pixels * TwipsPerPixelX();
}

double TwipsY(double pixels) {
    return pixels * TwipsPerPixelY();
}
