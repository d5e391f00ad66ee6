#include "LargePage.h"

#include "PagePdf.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace {

// Layouts kept beyond those on screen, for scrolling back: so many, of parts of so many bytes
// at most (a layout takes some 75 times the memory of its part).
constexpr qsizetype KeptLayouts = 32;
constexpr qsizetype KeptBytes = 4 * 1024 * 1024;
constexpr int ScrollStep = 20;

} // namespace

LargePageView::LargePageView(QWidget *parent)
    : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

LargePageView::~LargePageView() = default;

bool LargePageView::setPage(const QByteArray &html)
{
    QList<qsizetype> parts = pageParts(html);
    bool fits = true;
    for (qsizetype i = 0; i + 1 < parts.size() && fits; ++i)
        fits = parts.at(i + 1) - parts.at(i) <= LargestPart;
    m_html = fits ? html : QByteArray();
    m_parts = fits ? parts : QList<qsizetype>();
    m_heights.assign(size_t(qMax<qsizetype>(0, partCount())), 0);
    m_estimate = 100;
    forget();
    m_top = 0;
    m_offset = 0;
    fill();
    return fits;
}

void LargePageView::forget()
{
    std::fill(m_heights.begin(), m_heights.end(), 0);
    m_knownSum = 0;
    m_knownCount = 0;
    m_positions.clear();
    m_laid.clear();
    m_contentWidth = 0;
    m_layoutWidth = viewport()->width();
}

QTextDocument *LargePageView::document(qsizetype part)
{
    const auto kept = std::find_if(m_laid.begin(), m_laid.end(), [part](const Laid &l) { return l.part == part; });
    if (kept != m_laid.end()) {
        std::rotate(kept, kept + 1, m_laid.end()); // the latest used goes last
        return m_laid.back().document.get();
    }
    auto document = std::make_unique<QTextDocument>();
    setPartHtml(*document, QByteArrayView(m_html).sliced(m_parts.at(part), m_parts.at(part + 1) - m_parts.at(part)));
    document->setTextWidth(m_layoutWidth);
    const QSizeF size = document->size();
    int &known = m_heights[size_t(part)];
    if (known == 0) {
        known = qMax(1, int(std::ceil(size.height())));
        m_knownSum += known;
        ++m_knownCount;
        m_estimate = int(qMax<qint64>(1, m_knownSum / m_knownCount));
        m_positions.clear();
    }
    m_contentWidth = qMax(m_contentWidth, int(std::ceil(size.width())));
    m_laid.push_back({part, std::move(document)});
    return m_laid.back().document.get();
}

int LargePageView::height(qsizetype part) const
{
    const int known = m_heights[size_t(part)];
    return known > 0 ? known : m_estimate;
}

qint64 LargePageView::position(qsizetype part)
{
    if (m_positions.empty()) {
        m_positions.resize(size_t(partCount() + 1));
        qint64 top = 0;
        for (qsizetype i = 0; i < partCount(); ++i) {
            m_positions[size_t(i)] = top;
            top += height(i);
        }
        m_positions.back() = top;
    }
    return m_positions[size_t(part)];
}

void LargePageView::locate(qint64 y)
{
    position(0);
    const auto after = std::upper_bound(m_positions.begin(), m_positions.end() - 1, y);
    m_top = qMax<qsizetype>(0, after - m_positions.begin() - 1);
    m_offset = y - m_positions[size_t(m_top)];
}

void LargePageView::fill()
{
    const int viewHeight = viewport()->height();
    if (partCount() < 1) {
        verticalScrollBar()->setRange(0, 0);
        horizontalScrollBar()->setRange(0, 0);
        viewport()->update();
        return;
    }
    // Past the parts the offset runs over (their estimated heights were too large).
    document(m_top);
    while (m_offset >= height(m_top) && m_top + 1 < partCount()) {
        m_offset -= height(m_top);
        document(++m_top);
    }
    m_offset = std::clamp<qint64>(m_offset, 0, height(m_top));
    qint64 bottom = height(m_top) - m_offset;
    qsizetype last = m_top;
    while (bottom < viewHeight && last + 1 < partCount()) {
        document(++last);
        bottom += height(last);
    }
    // At the end of the page, the view ends with it.
    while (bottom < viewHeight && (m_offset > 0 || m_top > 0)) {
        if (m_offset == 0) {
            document(--m_top);
            m_offset = height(m_top);
        }
        const qint64 step = qMin<qint64>(m_offset, viewHeight - bottom);
        m_offset -= step;
        bottom += step;
    }
    // The least used layouts go; those on screen were used last.
    const qsizetype shown = last - m_top + 1;
    qsizetype keptBytes = 0;
    for (const Laid &laid : m_laid)
        keptBytes += m_parts.at(laid.part + 1) - m_parts.at(laid.part);
    auto drop = m_laid.begin();
    while (m_laid.end() - drop > shown && (m_laid.end() - drop > shown + KeptLayouts || keptBytes > KeptBytes)) {
        keptBytes -= m_parts.at(drop->part + 1) - m_parts.at(drop->part);
        ++drop;
    }
    m_laid.erase(m_laid.begin(), drop);

    m_setting = true;
    QScrollBar *vertical = verticalScrollBar();
    vertical->setRange(0, int(qMax<qint64>(0, position(partCount()) - viewHeight)));
    vertical->setPageStep(viewHeight);
    vertical->setSingleStep(ScrollStep);
    vertical->setValue(int(position(m_top) + m_offset));
    QScrollBar *horizontal = horizontalScrollBar();
    horizontal->setRange(0, qMax(0, m_contentWidth - viewport()->width()));
    horizontal->setPageStep(viewport()->width());
    horizontal->setSingleStep(ScrollStep);
    m_setting = false;
    viewport()->update();
}

void LargePageView::scrollContentsBy(int, int dy)
{
    if (m_setting)
        return;
    if (dy != 0 && partCount() > 0) {
        QScrollBar *vertical = verticalScrollBar();
        if (vertical->value() == vertical->maximum() && vertical->maximum() > 0) {
            m_top = partCount() - 1; // the end, whatever the estimates say
            m_offset = height(m_top);
        } else {
            locate(vertical->value());
        }
        fill();
        return;
    }
    viewport()->update();
}

void LargePageView::resizeEvent(QResizeEvent *)
{
    if (viewport()->width() != m_layoutWidth)
        forget();
    fill();
}

void LargePageView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Home || event->key() == Qt::Key_End) {
        verticalScrollBar()->triggerAction(event->key() == Qt::Key_Home ? QAbstractSlider::SliderToMinimum
                                                                        : QAbstractSlider::SliderToMaximum);
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void LargePageView::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), Qt::white); // a page is black on white, as the engine shows it
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    const int x = horizontalScrollBar()->value();
    qint64 y = -m_offset;
    for (qsizetype part = m_top; part < partCount() && y < viewport()->height(); ++part) {
        QTextDocument *laid = document(part);
        painter.save();
        painter.translate(-x, double(y));
        context.clip = QRectF(x, double(-y), viewport()->width(), viewport()->height());
        laid->documentLayout()->draw(&painter, context);
        painter.restore();
        y += height(part);
    }
}

QString LargePageView::shownText() const
{
    QStringList texts;
    qint64 y = -m_offset;
    for (qsizetype part = m_top; part < partCount() && y < viewport()->height(); ++part) {
        for (const Laid &laid : m_laid) {
            if (laid.part == part)
                texts.append(laid.document->toPlainText());
        }
        y += height(part);
    }
    return texts.join(u'\n');
}
