#include "Clock.h"

namespace {
QDate g_fixedToday;
}

namespace Clock {
QDate Today() {
    return g_fixedToday.isValid() ? g_fixedToday : QDate::currentDate();
}

QDateTime Now() {
    if (g_fixedToday.isValid()) {
        return QDateTime(g_fixedToday, QTime::currentTime());
    }
    return QDateTime::currentDateTime();
}

void SetTodayForTests(const QDate& date) {
    g_fixedToday = date;
}
} // namespace Clock
