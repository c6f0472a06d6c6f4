#include "SystemMetrics.h"

#include <QApplication>
#include <QStyle>

int GetSystemMetrics(int index) {
    QStyle* style = qobject_cast<QApplication*>(QCoreApplication::instance()) ? QApplication::style() : nullptr;
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
