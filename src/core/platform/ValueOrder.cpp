#include "ValueOrder.h"

#include <QCollator>
#include <QLocale>

#include <memory>

namespace {

std::unique_ptr<QCollator> cachedCollator;

// The locale's collation; under the C or POSIX locale, whose collation sorts by code point
// (every capital before every small letter), the root collation, for which English stands.
QLocale collationLocale()
{
    const QLocale locale;
    return locale.language() == QLocale::C ? QLocale(QLocale::English) : locale;
}

QCollator &collator()
{
    if (!cachedCollator) {
        cachedCollator = std::make_unique<QCollator>(collationLocale());
        cachedCollator->setCaseSensitivity(Qt::CaseInsensitive);
        cachedCollator->setIgnorePunctuation(false);
    }
    return *cachedCollator;
}

} // namespace

namespace ValueOrder {

int compareText(const QString &a, const QString &b)
{
    const int order = collator().compare(a, b);
    return order < 0 ? -1 : order > 0 ? 1
                                      : 0;
}

QCollatorSortKey sortKey(const QString &text)
{
    return collator().sortKey(text);
}

void localeChanged()
{
    cachedCollator.reset();
}

} // namespace ValueOrder
