#include "TwipsGeometry.h"

#include "platform/Twips.h"

#include <QVariant>
#include <QWidget>

namespace {
const char* const kProperty = "qlm_twips";
}

Q_DECLARE_METATYPE(TwipsRect)

TwipsRect TwGeometry(const QWidget* widget) {
    const QVariant stored = widget->property(kProperty);
    if (stored.isValid()) {
        return stored.value<TwipsRect>();
    }
    const QRect px = widget->geometry();
    return TwipsRect{TwipsX(px.x()), TwipsY(px.y()), TwipsX(px.width()), TwipsY(px.height())};
}

void TwSetGeometry(QWidget* widget, const TwipsRect& rect) {
    widget->setProperty(kProperty, QVariant::fromValue(rect));
    widget->setGeometry(PxRect(rect.left, rect.top, rect.width, rect.height));
}

void TwMove(QWidget* widget, double left, double top) {
    TwipsRect rect = TwGeometry(widget);
    rect.left = left;
    rect.top = top;
    TwSetGeometry(widget, rect);
}

void TwMove(QWidget* widget, double left, double top, double width, double height) {
    TwSetGeometry(widget, TwipsRect{left, top, width, height});
}

void TwSetWidth(QWidget* widget, double width) {
    TwipsRect rect = TwGeometry(widget);
    rect.width = width;
    TwSetGeometry(widget, rect);
}

void TwSetHeight(QWidget* widget, double height) {
    TwipsRect rect = TwGeometry(widget);
    rect.height = height;
    TwSetGeometry(widget, rect);
}

void TwApply(QWidget* widget) {
    TwSetGeometry(widget, TwGeometry(widget));
}
