#pragma once

class QWidget;

// Each placed control keeps its position and size in twips, exactly as the layout formulas
// gave them; its pixel geometry is derived from them. Reading back gives the twips, not a
// value rounded through pixels.
struct TwipsRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

TwipsRect TwGeometry(const QWidget* widget);
void TwSetGeometry(QWidget* widget, const TwipsRect& rect);
inline double TwLeft(const QWidget* w) {
    return TwGeometry(w).left;
}
inline double TwTop(const QWidget* w) {
    return TwGeometry(w).top;
}
inline double TwWidth(const QWidget* w) {
    return TwGeometry(w).width;
}
inline double TwHeight(const QWidget* w) {
    return TwGeometry(w).height;
}
void TwMove(QWidget* widget, double left, double top);
void TwMove(QWidget* widget, double left, double top, double width, double height);
void TwSetWidth(QWidget* widget, double width);
void TwSetHeight(QWidget* widget, double height);
// Places the widget again from its stored twips (after the screen's resolution changed).
void TwApply(QWidget* widget);
