#pragma once

#include <QAbstractScrollArea>
#include <QByteArray>
#include <QList>

#include <compare>
#include <memory>
#include <utility>
#include <vector>

class QTextDocument;

// The reader of a page too large for the web engine: the page is held as its bytes, cut into
// its parts (see PagePdf.h), and only the parts on screen are laid out, a few dozen kept for
// scrolling back. The heights of the parts not laid out yet are estimated from the average of
// those that have been, refined as more are; the view is anchored to the part at its top, so
// that a better estimate moves the scroll bar, never the text. Its text is selected with the
// mouse (Shift+click extends the selection) or all of it with Ctrl+A, and copied with Ctrl+C.
class LargePageView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit LargePageView(QWidget *parent = nullptr);
    ~LargePageView() override;

    // The largest part laid out while the user scrolls: a table of 1 MB takes some 0.7 s and
    // 75 MB, a larger one would stop the window for seconds each time it comes on screen.
    static constexpr qsizetype LargestPart = 1024 * 1024;

    // Shows the page from its top; false, with an empty view, when a part is larger than
    // LargestPart.
    bool setPage(const QByteArray &html);
    // The page shown (empty when none).
    QByteArray page() const { return m_html; }
    // The text of the parts on screen, as plain text.
    QString shownText() const;
    // The text selected, as plain text (empty when none).
    QString selectedText();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    struct Laid {
        qsizetype part;
        std::unique_ptr<QTextDocument> document;
    };
    // A place in the page's text: a part, and a position in its document's text.
    struct Spot {
        qsizetype part = 0;
        int position = 0;
        auto operator<=>(const Spot &) const = default;
    };
    qsizetype partCount() const { return m_parts.size() - 1; }
    // A part's bytes within the page.
    QByteArrayView partHtml(qsizetype part) const;
    // The part's kept layout; null when it has none.
    QTextDocument *laidOut(qsizetype part) const;
    // The part laid out at the view's width; its height becomes known.
    QTextDocument *document(qsizetype part);
    int height(qsizetype part) const;
    qint64 position(qsizetype part);
    // From the scroll bar: the part at the top and how far into it.
    void locate(qint64 y);
    // Lays out the parts from the anchor down to the bottom of the view (at the end of the page,
    // the anchor moves up so that the view stays full), then sets the scroll bars to match.
    void fill();
    // Forgets every layout (the width changed).
    void forget();
    // The place of the text at a point of the view.
    Spot spotAt(QPointF point);
    // The selected stretch of a part's text, from and to (equal when none of it is).
    std::pair<int, int> selectedIn(qsizetype part, const QTextDocument &document) const;
    // The selection ends at a point the mouse was dragged to.
    void dragTo(QMouseEvent *event);

    QByteArray m_html;
    QList<qsizetype> m_parts;
    std::vector<int> m_heights; // 0 = not laid out yet
    std::vector<qint64> m_positions; // top of each part, with estimates; empty when out of date
    qint64 m_knownSum = 0;
    qsizetype m_knownCount = 0;
    int m_estimate = 100;
    std::vector<Laid> m_laid; // the layouts kept, the latest used last
    int m_layoutWidth = 0;
    int m_contentWidth = 0;
    qsizetype m_top = 0; // the part at the top of the view
    qint64 m_offset = 0; // how far the view begins into it
    bool m_setting = false; // the scroll bars are being set to match the anchor
    // The selection runs from where it began to where it ends, which may come first.
    Spot m_selectionStart;
    Spot m_selectionEnd;
};
