#pragma once

#include <QString>

// Small routines many windows share.

// The key filter of digit-only boxes: backspace (8), DEL (127) and "0".."9" pass unchanged,
// every other key gives 0 (dropped).
int numericKey(int keyCode);

// True when a file exists at the path and is not empty.
bool fileExists(const QString &path);

// A count with its noun: "1 item", "3 items".
QString countedText(qint64 count, const char *one, const char *many);
