#include "PagePdf.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextDocument>
#include <QThread>

#include <algorithm>
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

QByteArray pageAsUtf8(const QByteArray &file)
{
    if (std::all_of(file.begin(), file.end(), [](char c) { return uchar(c) < 0x80; }))
        return file; // ASCII, as this program writes its reports
    const bool marked = file.startsWith("\xEF\xBB\xBF") || file.startsWith("\xFE\xFF") || file.startsWith("\xFF\xFE");
    QStringDecoder declared = QStringDecoder::decoderForHtml(file);
    if ((marked || file.left(1024).toLower().contains("charset")) && declared.isValid()
        && declared.name() != QByteArrayView("UTF-8"))
        return QString(declared(file)).toUtf8();
    if (file.isValidUtf8())
        return file;
    QStringDecoder eightBit("windows-1252");
    return QString(eightBit.isValid() ? eightBit(file) : QStringDecoder(QStringConverter::Latin1)(file)).toUtf8();
}

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
    QString html = QString::fromUtf8(part);
    if (!html.contains(u"<input", Qt::CaseInsensitive)) {
        document.setHtml(html);
        return;
    }
    // An input box (a line to write on, on a printed alarm sheet) becomes an empty framed box of
    // its width, about as the engine draws it: some 7 pixels a character, 21 high, a 1-pixel
    // frame. The box is drawn four times finer than it is laid out, so that its frame stays sharp.
    const QRegularExpression input(QStringLiteral("<input\\b[^>]*>"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpression size(QStringLiteral("\\bsize\\s*=\\s*[\"']?(\\d{1,3})"), QRegularExpression::CaseInsensitiveOption);
    constexpr int Fine = 4;
    constexpr int BoxHeight = 21;
    QString boxes;
    qsizetype done = 0;
    for (const QRegularExpressionMatch &box : input.globalMatch(html)) {
        const QRegularExpressionMatch sized = size.match(box.captured());
        const int characters = sized.hasMatch() ? sized.captured(1).toInt() : 20;
        const int width = 7 * characters + 6;
        const QString name = QStringLiteral("viewer-input:%1").arg(characters);
        if (!document.resource(QTextDocument::ImageResource, QUrl(name)).isValid()) {
            QImage image(width * Fine, BoxHeight * Fine, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter frame(&image);
            frame.fillRect(QRect(0, 0, image.width(), Fine), Qt::black);
            frame.fillRect(QRect(0, image.height() - Fine, image.width(), Fine), Qt::black);
            frame.fillRect(QRect(0, 0, Fine, image.height()), Qt::black);
            frame.fillRect(QRect(image.width() - Fine, 0, Fine, image.height()), Qt::black);
            frame.end();
            document.addResource(QTextDocument::ImageResource, QUrl(name), image);
        }
        boxes += QStringView(html).sliced(done, box.capturedStart() - done);
        boxes += QStringLiteral("<img src=\"%1\" width=%2 height=%3>").arg(name).arg(width).arg(BoxHeight);
        done = box.capturedEnd();
    }
    boxes += QStringView(html).sliced(done);
    document.setHtml(boxes);
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
        PartDocument part;
        setPartHtml(part, QByteArrayView(html).sliced(parts.at(i), parts.at(i + 1) - parts.at(i)));
        part.setTextWidth(device.width() / scale);
        double height = part.size().height();
        if (top > 0 && top + height > pageHeight) {
            device.newPage();
            top = 0;
        }
        // A part taller than a page is laid out in pages, which end between lines and table rows
        // rather than through them, and drawn a page at a time.
        double end = height; // where the part ends on its last page
        if (height > pageHeight) {
            part.setPageSize(QSizeF(part.textWidth(), pageHeight));
            height = part.pageCount() * pageHeight;
            const QRectF last = part.documentLayout()->blockBoundingRect(part.lastBlock());
            end = std::clamp(last.bottom() + part.documentMargin() - (height - pageHeight), 0.0, pageHeight);
        }
        for (double shown = 0; shown < height; shown += pageHeight) {
            if (shown > 0) {
                device.newPage();
                top = 0;
            }
            painter.save();
            painter.translate(0, top - shown);
            part.drawContents(&painter, QRectF(0, shown, part.textWidth(), pageHeight));
            painter.restore();
        }
        top += end;
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
