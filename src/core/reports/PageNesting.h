#pragma once

#include <QByteArrayView>

// How deep the elements of an HTML page are nested. A page whose elements lie thousands deep
// (a file opened in the viewer that no report of this program writes) takes any reader's layout
// far down its stack; such a page is refused before it is laid out. The program's own reports
// nest a few elements deep.
namespace PageNesting {

inline constexpr int SaneDepth = 200;

// The deepest nesting of elements in the page, counting no further than `stopAt` (a depth
// beyond it is given as stopAt + 1). Void elements (br, img, input, ...) hold nothing; a cell,
// row, list entry, paragraph or option left open ends where the next one of its kind begins, as
// a browser reads it; text in comments, scripts and styles is no markup.
int depth(QByteArrayView html, int stopAt = SaneDepth);

inline bool tooDeep(QByteArrayView html)
{
    return depth(html, SaneDepth) > SaneDepth;
}

} // namespace PageNesting
