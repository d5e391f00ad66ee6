#pragma once

#include <QByteArray>

class QPageLayout;

// PDF of a page too large for the web engine, laid out a part at a time: the page is cut after
// each <hr> outside a table (one item of a list report), and each part goes whole onto the
// page where it fits, or begins the next one; a part taller than a page runs on over pages.
// Memory stays that of one part; plain pages only (no input boxes are drawn). Runs in any thread;
// a request to interrupt it ends it early.
QByteArray pagePdf(const QByteArray &html, const QPageLayout &layout);
