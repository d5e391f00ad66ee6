#include "Clock.h"

namespace {
QDateTime fixedMoment;
}

namespace Clock {

QDateTime now()
{
    return fixedMoment.isValid() ? fixedMoment : QDateTime::currentDateTime();
}

QDate today()
{
    return now().date();
}

void setFixed(const QDateTime &moment)
{
    fixedMoment = moment;
}

bool isFixed()
{
    return fixedMoment.isValid();
}

} // namespace Clock
