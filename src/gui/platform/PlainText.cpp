#include "PlainText.h"

#include <QLabel>
#include <QTextDocument>

void showPlainText(QLabel *label)
{
    label->setTextFormat(Qt::PlainText);
}

QString plainToolTip(const QString &text)
{
    return Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal);
}

QString captionText(const QString &text)
{
    return QString(text).replace(u'&', QStringLiteral("&&"));
}
