#include "PagePdf.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <QThread>

#include <cctype>

namespace {

// Layout in CSS pixels, drawn at the writer's resolution.
constexpr int CssDpi = 96;
constexpr int PdfDpi = 300;

// The length of the part that begins at from: up to and including the next <hr> that no table
// holds, or the rest of the page.
qsizetype partLength(const QByteArray &html, qsizetype from)
{
    int tables = 0;
    for (qsizetype at = html.indexOf('<', from); at >= 0; at = html.indexOf('<', at + 1)) {
        const auto tagIs = [&](const char *name) {
            const qsizetype length = qstrlen(name);
            const qsizetype after = at + 1 + length;
            return qstrnicmp(html.constData() + at + 1, name, length) == 0
                && (after >= html.size() || !std::isalnum(static_cast<unsigned char>(html.at(after))));
        };
        if (tagIs("table"))
            ++tables;
        else if (tagIs("/table"))
            tables = qMax(0, tables - 1);
        else if (tables == 0 && tagIs("hr")) {
            const qsizetype close = html.indexOf('>', at);
            return (close < 0 ? html.size() : close + 1) - from;
        }
    }
    return html.size() - from;
}

} // namespace

QByteArray pagePdf(const QByteArray &html, const QPageLayout &layout)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setResolution(PdfDpi);
    writer.setPageLayout(layout);
    QPainter painter(&writer);
    const double scale = double(PdfDpi) / CssDpi;
    const double pageHeight = writer.height() / scale;
    painter.scale(scale, scale);
    double top = 0; // where the next part goes on the current page
    for (qsizetype from = 0; from < html.size() && !QThread::currentThread()->isInterruptionRequested();) {
        const qsizetype length = partLength(html, from);
        QTextDocument part;
        part.setHtml(QString::fromUtf8(html.constData() + from, length));
        part.setTextWidth(writer.width() / scale);
        from += length;
        const double height = part.size().height();
        if (top > 0 && top + height > pageHeight) {
            writer.newPage();
            top = 0;
        }
        // A part taller than a page is drawn a page's height at a time.
        for (double shown = 0; shown < height; shown += pageHeight) {
            if (shown > 0) {
                writer.newPage();
                top = 0;
            }
            painter.save();
            painter.translate(0, top - shown);
            part.drawContents(&painter, QRectF(0, shown, part.textWidth(), pageHeight));
            painter.restore();
            top += qMin(pageHeight, height - shown);
        }
    }
    painter.end();
    return pdf.data();
}
