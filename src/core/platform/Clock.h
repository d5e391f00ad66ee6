#pragma once

#include <QDate>
#include <QDateTime>

// The one source of "today" and the time of day. Tests fix it; the program reads the system clock.
namespace Clock {

QDateTime now();
QDate today();

// Fixes the clock at the given moment (tests). An invalid value returns to the system clock.
void setFixed(const QDateTime &moment);
bool isFixed();

} // namespace Clock
