#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QTextDocument>

#include <functional>

class QPageLayout;
class QPagedPaintDevice;

// A page too large for the web engine is read a part at a time: it is cut after each <hr> that
// no table holds (one item of a list report), and each part is laid out on its own with a
// QTextDocument. An input box is drawn as an empty framed box. All of it runs in any thread.

// A page file's bytes as UTF-8, which the functions here read: as its byte order mark or its
// charset says, else as UTF-8 where they are valid UTF-8, else in the 8-bit set of the system
// that wrote the reports (Windows-1252), as the engine shows such a page.
QByteArray pageAsUtf8(const QByteArray &file);

// Where each part begins, followed by the page's size (so part i is [at(i), at(i + 1))).
QList<qsizetype> pageParts(QByteArrayView html);

// Layout is in CSS pixels (96 to the inch), as the engine's.
constexpr int CssDpi = 96;

// The document a part is laid out in. Like the engine's page, it shows nothing the page names
// beyond itself: no image, style sheet or other file is read.
class PartDocument : public QTextDocument
{
public:
    using QTextDocument::QTextDocument;

protected:
    QVariant loadResource(int, const QUrl &) override { return QVariant(); }
};

// A part's text into a document; its input boxes become images of empty boxes.
void setPartHtml(QTextDocument &document, QByteArrayView part);

// The page on a paged device (a PDF writer, a printer): each part goes whole onto the page where
// it fits, or begins the next one; a part taller than a page runs on over pages. Memory stays
// that of one part. False when it was interrupted (a request to interrupt the thread ends it;
// abandon, when given, is called first, the painter still active, so that a printer may drop
// its job) or could not paint.
bool paintPages(const QByteArray &html, QPagedPaintDevice &device, const std::function<void()> &abandon = {});

// The page as PDF; empty when it could not be made.
QByteArray pagePdf(const QByteArray &html, const QPageLayout &layout);
