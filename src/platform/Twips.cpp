#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace {
double g_fixedX = 0;
double g_fixedY = 0;

double FromScreen(bool horizontal) {
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (QScreen* screen = app->primaryScreen()) {
            const double dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
            if (dpi > 0) {
                return 1440.0 / dpi;
            }
        }
    }
    return 15.0;
}
} // namespace

double TwipsPerPixelX() {
    return g_fixedX > 0 ? g_fixedX : FromScreen(true);
}

double TwipsPerPixelY() {
    return g_fixedY > 0 ? g_fixedY : FromScreen(false);
}

void SetTwipsPerPixelForTests(double x, double y) {
    g_fixedX = x;
    g_fixedY = y;
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
