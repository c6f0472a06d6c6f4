#pragma once

#include <QPoint>
#include <QRect>

// Layout lengths are twips (1/1440 inch) throughout; pixels appear only where a widget is
// placed or a pointer position arrives. The screen's resolution is told to this layer by the
// interface when it starts (15 twips a pixel, a 96 dpi screen, until then); tests fix it.
double TwipsPerPixelX();
double TwipsPerPixelY();
void SetTwipsPerPixel(double x, double y);

int PxX(double twips);
int PxY(double twips);
QRect PxRect(double left, double top, double width, double height);
double TwipsX(double pixels);
double TwipsY(double pixels);
