#include "AlarmNews.h"

#include "core/platform/Utility.h"

namespace {

qint64 rowKey(const AlarmRow &row)
{
    return row.itemId * 4 + row.kind;
}

} // namespace

AlarmCounts AlarmNews::update(const QVector<AlarmRow> &rows)
{
    QSet<qint64> now;
    QVector<AlarmRow> news;
    for (const AlarmRow &row : rows) {
        const qint64 key = rowKey(row);
        if (!m_known.contains(key) && !now.contains(key))
            news.append(row);
        now.insert(key);
    }
    m_known = std::move(now);
    return countAlarms(news);
}

QString noticeTitle(const AlarmCounts &news)
{
    return QStringLiteral("New alarms for ") + countedText(news.items, "item", "items");
}

QString noticeText(const AlarmCounts &news)
{
    return alarmSummary(news);
}
