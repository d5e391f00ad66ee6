#include "LargePage.h"

#include "PagePdf.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <algorithm>
#include <cmath>
#include <limits>

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
    m_selectionStart = m_selectionEnd = Spot();
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
    auto document = std::make_unique<PartDocument>();
    setPartHtml(*document, partHtml(part));
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

QTextDocument *LargePageView::laidOut(qsizetype part) const
{
    const auto kept = std::find_if(m_laid.begin(), m_laid.end(), [part](const Laid &l) { return l.part == part; });
    return kept != m_laid.end() ? kept->document.get() : nullptr;
}

QByteArrayView LargePageView::partHtml(qsizetype part) const
{
    return QByteArrayView(m_html).sliced(m_parts.at(part), m_parts.at(part + 1) - m_parts.at(part));
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
        keptBytes += partHtml(laid.part).size();
    auto drop = m_laid.begin();
    while (m_laid.end() - drop > shown && (m_laid.end() - drop > shown + KeptLayouts || keptBytes > KeptBytes)) {
        keptBytes -= partHtml(drop->part).size();
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
        } else if (qAbs(dy) <= viewport()->height() && vertical->value() > 0) {
            // A step or a page moves the text by as much: the parts it comes to are laid out
            // first, so that an estimate of their height neither skips text nor shows it again.
            // The top is the top, whatever the estimates say.
            m_offset -= dy;
            while (m_offset < 0 && m_top > 0) {
                document(--m_top);
                m_offset += height(m_top);
            }
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
    if (event->matches(QKeySequence::SelectAll) && partCount() > 0) {
        m_selectionStart = Spot();
        m_selectionEnd = {partCount() - 1, std::numeric_limits<int>::max()}; // to the end of the last part
        viewport()->update();
        return;
    }
    if (event->matches(QKeySequence::Copy)) {
        // The parts not laid out are read again, one at a time: all of a large page takes seconds.
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const QString text = selectedText();
        QGuiApplication::restoreOverrideCursor();
        if (!text.isEmpty())
            QGuiApplication::clipboard()->setText(text);
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void LargePageView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || partCount() < 1)
        return QAbstractScrollArea::mousePressEvent(event);
    m_selectionEnd = spotAt(event->position());
    if (!event->modifiers().testFlag(Qt::ShiftModifier))
        m_selectionStart = m_selectionEnd;
    viewport()->update();
}

void LargePageView::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons().testFlag(Qt::LeftButton))
        dragTo(event);
}

void LargePageView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        dragTo(event);
}

void LargePageView::dragTo(QMouseEvent *event)
{
    if (partCount() < 1)
        return;
    m_selectionEnd = spotAt(event->position());
    viewport()->update();
}

LargePageView::Spot LargePageView::spotAt(QPointF point)
{
    // Within the view: a drag beyond it ends at its edge.
    point.setY(std::clamp<qreal>(point.y(), 0, viewport()->height() - 1));
    qint64 y = -m_offset;
    for (qsizetype part = m_top; part < partCount(); ++part) {
        QTextDocument *laid = document(part);
        if (point.y() < double(y + height(part)) || part + 1 == partCount()) {
            const QPointF inside(point.x() + horizontalScrollBar()->value(), point.y() - double(y));
            return {part, qMax(0, laid->documentLayout()->hitTest(inside, Qt::FuzzyHit))};
        }
        y += height(part);
    }
    return {};
}

std::pair<int, int> LargePageView::selectedIn(qsizetype part, const QTextDocument &document) const
{
    const auto [from, to] = std::minmax(m_selectionStart, m_selectionEnd);
    if (from == to || part < from.part || part > to.part)
        return {0, 0};
    const int end = document.characterCount() - 1;
    return {part == from.part ? qMin(from.position, end) : 0, part == to.part ? qMin(to.position, end) : end};
}

QString LargePageView::selectedText()
{
    const auto [from, to] = std::minmax(m_selectionStart, m_selectionEnd);
    QStringList texts;
    for (qsizetype part = from.part; from != to && part <= to.part; ++part) {
        PartDocument read; // a part not laid out is only read, never laid out
        QTextDocument *document = laidOut(part);
        if (!document) {
            document = &read;
            setPartHtml(read, partHtml(part));
        }
        const auto [start, end] = selectedIn(part, *document);
        QTextCursor cursor(document);
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        texts.append(cursor.selection().toPlainText());
    }
    // An input box is an image of an empty box, which has no text.
    return texts.join(u'\n').remove(QChar::ObjectReplacementCharacter);
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
        context.selections.clear();
        if (const auto [start, end] = selectedIn(part, *laid); start != end) {
            QAbstractTextDocumentLayout::Selection selection;
            selection.cursor = QTextCursor(laid);
            selection.cursor.setPosition(start);
            selection.cursor.setPosition(end, QTextCursor::KeepAnchor);
            selection.format.setBackground(palette().highlight());
            selection.format.setForeground(palette().highlightedText());
            context.selections.append(selection);
        }
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
        if (const QTextDocument *laid = laidOut(part))
            texts.append(laid->toPlainText());
        y += height(part);
    }
    return texts.join(u'\n');
}
