#include "ViewerProtocol.h"

#include <QUrl>

namespace ViewerProtocol {

QByteArray line(const QString &verb, const QString &argument)
{
    QByteArray text = verb.toUtf8();
    if (!argument.isEmpty())
        text += ' ' + QUrl::toPercentEncoding(argument);
    return text + '\n';
}

QList<Message> take(QByteArray &buffer)
{
    QList<Message> messages;
    qsizetype end;
    while ((end = buffer.indexOf('\n')) >= 0) {
        const QByteArray text = buffer.left(end).trimmed();
        buffer.remove(0, end + 1);
        if (text.isEmpty())
            continue;
        const qsizetype blank = text.indexOf(' ');
        if (blank < 0)
            messages.append({QString::fromUtf8(text), QString()});
        else
            messages.append({QString::fromUtf8(text.left(blank)), QUrl::fromPercentEncoding(text.mid(blank + 1))});
    }
    return messages;
}

} // namespace ViewerProtocol
