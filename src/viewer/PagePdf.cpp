#include "PagePdf.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <QThread>

#include <cctype>

namespace {

constexpr int PdfDpi = 300;

// Whether the tag that opens at `at` is the named one.
bool tagIs(QByteArrayView html, qsizetype at, QByteArrayView name)
{
    const qsizetype after = at + 1 + name.size();
    return after <= html.size() && qstrnicmp(html.data() + at + 1, name.size(), name.data(), name.size()) == 0
        && (after == html.size() || !std::isalnum(static_cast<unsigned char>(html.at(after))));
}

} // namespace

QList<qsizetype> pageParts(QByteArrayView html)
{
    QList<qsizetype> starts {0};
    int tables = 0;
    for (qsizetype at = html.indexOf('<'); at >= 0; at = html.indexOf('<', at + 1)) {
        if (tagIs(html, at, "table")) {
            ++tables;
        } else if (tagIs(html, at, "/table")) {
            tables = qMax(0, tables - 1);
        } else if (tables == 0 && tagIs(html, at, "hr")) {
            const qsizetype close = html.indexOf('>', at);
            if (close < 0)
                break;
            if (close + 1 < html.size())
                starts.append(close + 1);
            at = close;
        }
    }
    starts.append(html.size());
    return starts;
}

void setPartHtml(QTextDocument &document, QByteArrayView part)
{
    document.setHtml(QString::fromUtf8(part));
}

bool paintPages(const QByteArray &html, QPagedPaintDevice &device, const std::function<void()> &abandon)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double scale = double(device.logicalDpiY()) / CssDpi;
    const double pageHeight = device.height() / scale;
    painter.scale(scale, scale);
    const QList<qsizetype> parts = pageParts(html);
    double top = 0; // where the next part goes on the current page
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        if (QThread::currentThread()->isInterruptionRequested()) {
            if (abandon)
                abandon();
            return false;
        }
        QTextDocument part;
        setPartHtml(part, QByteArrayView(html).sliced(parts.at(i), parts.at(i + 1) - parts.at(i)));
        part.setTextWidth(device.width() / scale);
        const double height = part.size().height();
        if (top > 0 && top + height > pageHeight) {
            device.newPage();
            top = 0;
        }
        // A part taller than a page is drawn a page's height at a time.
        for (double shown = 0; shown < height; shown += pageHeight) {
            if (shown > 0) {
                device.newPage();
                top = 0;
            }
            painter.save();
            painter.translate(0, top - shown);
            part.drawContents(&painter, QRectF(0, shown, part.textWidth(), pageHeight));
            painter.restore();
            top += qMin(pageHeight, height - shown);
        }
    }
    return painter.end();
}

QByteArray pagePdf(const QByteArray &html, const QPageLayout &layout)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setResolution(PdfDpi);
        writer.setPageLayout(layout);
        if (!paintPages(html, writer))
            return QByteArray();
    }
    return pdf.data();
}
