#pragma once

#include <QDate>
#include <QDateTime>

// The one clock of the program. Nothing else asks the system for the date, so tests can set it.
namespace Clock {
QDate Today();
QDateTime Now();
// Tests fix "today"; an invalid date returns to the system clock.
void SetTodayForTests(const QDate& date);
} // namespace Clock
