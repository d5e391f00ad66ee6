#pragma once

#include <QString>

// Small routines many windows share.

// The SQL name of a field index 0..23 ("Name", ..., "ID"); empty text for 6 and out of range.
QString FieldName(int field);

enum class FieldKind { Text, Number, Date };
FieldKind fieldKind(int field);

// The key filter of digit-only boxes: backspace (8), DEL (127) and "0".."9" pass unchanged,
// every other key gives 0 (dropped).
int NumericKey(int keyCode);

// True when a file exists at the path and is not empty.
bool FileExists(const QString &path);
