#include "ChangedElsewhereLine.h"

#include "core/db/ChangeFeed.h"
#include "core/db/Database.h"
#include "core/db/DbError.h"
#include "core/db/RowStamp.h"

ChangedElsewhereLine::ChangedElsewhereLine(Database &database, const RowStamp &read, const QString &text, QWidget *parent)
    : QLabel(text, parent)
    , m_database(database)
    , m_read(read)
{
    setObjectName(QStringLiteral("lblChangedElsewhere"));
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    QPalette warning = palette();
    warning.setColor(QPalette::WindowText, Qt::darkRed);
    setPalette(warning);
    hide();
    connect(&database.changeFeed(), &ChangeFeed::tablesChanged, this, &ChangedElsewhereLine::check);
}

void ChangedElsewhereLine::check()
{
    if (!isHidden())
        return; // said already; what the window read does not come back
    try {
        if (!m_read.readsSame(m_database))
            show();
    } catch (const DbError &) {
        // A failing read says nothing here; the save reports what it meets.
    }
}
