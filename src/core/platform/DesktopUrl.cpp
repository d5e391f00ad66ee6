#include "DesktopUrl.h"

#include <QRegularExpression>

namespace DesktopUrl {

QUrl forEmail(const QString &address)
{
    const QString trimmed = address.trimmed();
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(trimmed, QUrl::DecodedMode);
    return url;
}

QUrl forWebSite(const QString &address)
{
    const QString trimmed = address.trimmed();
    if (trimmed.isEmpty())
        return QUrl();
    // A scheme of two or more letters (a single letter is a drive, as in C:\); "host:8080" is
    // a host and its port, not a scheme.
    static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]+):(?![0-9]+(?:[/?#]|$))"));
    const QRegularExpressionMatch match = scheme.match(trimmed);
    QString text = trimmed;
    if (match.hasMatch()) {
        const QString name = match.captured(1).toLower();
        if (name != u"http" && name != u"https")
            return QUrl();
    } else {
        if (trimmed.startsWith(u'/') || trimmed.startsWith(u'\\') || trimmed.startsWith(u'.')
            || trimmed.contains(u'\\') || (trimmed.size() > 1 && trimmed.at(1) == u':'))
            return QUrl();
        text = QStringLiteral("http://") + trimmed;
    }
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        return QUrl();
    return url;
}

} // namespace DesktopUrl
