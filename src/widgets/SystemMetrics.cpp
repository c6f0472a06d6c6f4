#include "SystemMetrics.h"

#include "platform/Twips.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>

int GetSystemMetrics(int index) {
    QStyle* style =
        qobject_cast<QApplication*>(QCoreApplication::instance()) ? QApplication::style() : nullptr;
    switch (index) {
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
        return style ? style->pixelMetric(QStyle::PM_ScrollBarExtent) : 17;
    case SM_CYCAPTION:
        return style ? style->pixelMetric(QStyle::PM_TitleBarHeight) : 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return 4;
    default:
        return 0;
    }
}

void UseScreenTwipsPerPixel() {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const double x = screen->logicalDotsPerInchX();
        const double y = screen->logicalDotsPerInchY();
        SetTwipsPerPixel(x > 0 ? 1440.0 / x : 15.0, y > 0 ? 1440.0 / y : 15.0);
    }
}
