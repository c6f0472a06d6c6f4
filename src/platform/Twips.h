#pragma once

#include <QPoint>
#include <QRect>

// Layout lengths are twips (1/1440 inch) throughout; pixels appear only where a widget is
// placed or a pointer position arrives.
double TwipsPerPixelX();
double TwipsPerPixelY();
// Tests fix the screen's resolution (15 twips a pixel is a 96 dpi screen).
void SetTwipsPerPixelForTests(double x, double y);

int PxX(double twips);
int PxY(double twips);
QRect PxRect(double left, double top, double width, double height);
double TwipsX(double pixels);
double TwipsY(double pixels);
