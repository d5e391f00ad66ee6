#include "AlarmWindow.h"

#include "SnoozeDialog.h"

#include "core/alarms/AlarmListModel.h"
#include "core/alarms/AlarmStore.h"
#include "core/platform/Twips.h"
#include "core/settings/AppContext.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/Mnemonics.h"
#include "gui/platform/RowColours.h"
#include "gui/platform/WindowUtil.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// Layout in twips: the list fills the window above a row of buttons at its right.
constexpr int Margin = 100;
constexpr int ButtonWidth = 1095;
constexpr int ButtonHeight = 375;
constexpr int ButtonGap = 120;
constexpr int WindowWidth = 10500;
constexpr int WindowHeight = 5700;

using Twips::toPixels;

// A row on its kind's colour (service white, order the tooltip colour, past the service date
// light red) or, while selected, on the highlight colour.
RowColours alarmRowColours(AlarmKind kind, bool selected)
{
    const QPalette palette = QGuiApplication::palette();
    if (selected)
        return {palette.brush(QPalette::HighlightedText), palette.brush(QPalette::Highlight)};
    switch (kind) {
    case OrderDue: return {palette.brush(QPalette::ToolTipText), palette.brush(QPalette::ToolTipBase)};
    case PastServiceDate: return {QBrush(Qt::black), QBrush(AlarmWindow::LightRed)};
    case ServiceDue: break;
    }
    return {QBrush(Qt::black), QBrush(Qt::white)};
}

} // namespace

AlarmWindow::AlarmWindow(const AppContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmAlarm"));
    setWindowTitle(QStringLiteral("Pending Alarms"));
    // Room for a row of the list at least; the layout gives the least width.
    setMinimumHeight(toPixels(2 * ButtonHeight + 1200));

    m_model = new AlarmListModel(this);
    flxAlarms = new QTableView(this);
    flxAlarms->setObjectName(QStringLiteral("flxAlarms"));
    flxAlarms->setAccessibleName(QStringLiteral("Pending alarms"));
    flxAlarms->setModel(m_model);
    flxAlarms->setItemDelegate(new RowColourDelegate([this](const QModelIndex &index) {
        return alarmRowColours(m_model->rowAt(index.row())->kind, m_model->isRowSelected(index.row()));
    },
                                                     flxAlarms));
    flxAlarms->horizontalHeader()->hide();
    // The one column fills the list beside its scroll bar.
    flxAlarms->horizontalHeader()->setStretchLastSection(true);
    flxAlarms->verticalHeader()->hide();
    // Every row two lines high; a fixed height keeps a long list quick.
    flxAlarms->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    flxAlarms->verticalHeader()->setMinimumSectionSize(1);
    flxAlarms->verticalHeader()->setDefaultSectionSize(toPixels(RowHeightTwips));
    flxAlarms->setWordWrap(true);
    flxAlarms->setShowGrid(true);
    // Rows are painted by the click handler, not by the view's selection.
    flxAlarms->setSelectionMode(QAbstractItemView::NoSelection);
    flxAlarms->setEditTriggers(QAbstractItemView::NoEditTriggers);
    flxAlarms->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    flxAlarms->installEventFilter(this);
    // Tab leaves the list for the buttons; the arrows move within it.
    flxAlarms->setTabKeyNavigation(false);
    noAutomaticCurrent(flxAlarms);

    m_detailsButton = new QPushButton(QStringLiteral("Details"), this);
    m_detailsButton->setObjectName(QStringLiteral("cmdDetails"));
    m_sleepButton = new QPushButton(QStringLiteral("Sleep"), this);
    m_sleepButton->setObjectName(QStringLiteral("cmdSleep"));
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("cmdCancel"));
    m_detailsButton->setDefault(true);
    QHBoxLayout *buttons = buttonRow({m_detailsButton, m_sleepButton, m_cancelButton}, ButtonWidth);
    buttons->setSpacing(toPixels(ButtonGap));
    buttons->setContentsMargins(0, 0, toPixels(ButtonGap - Margin), 0);
    auto *layout = new QVBoxLayout(this);
    // The list is as wide as the window less 200; the buttons keep a gap to the right edge.
    layout->setContentsMargins(toPixels(Margin), toPixels(Margin), toPixels(Margin), toPixels(ButtonGap));
    layout->setSpacing(toPixels(ButtonGap));
    layout->addWidget(flxAlarms);
    layout->addLayout(buttons);

    connect(flxAlarms, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) { rowClicked(index.row()); });
    connect(flxAlarms, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &index) { rowDoubleClicked(index.row()); });
    // A row reached otherwise from the keyboard (the page keys, Ctrl+Home, Ctrl+End) counts as
    // clicked; a right or middle press moves the view's current row but chooses nothing.
    connect(flxAlarms->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &now) {
        if (QGuiApplication::mouseButtons() & ~Qt::MouseButtons(Qt::LeftButton))
            return;
        if (now.isValid() && (m_noAlarmSelected || now.row() != m_alarmCurRow))
            rowClicked(now.row());
    });
    connect(m_detailsButton, &QPushButton::clicked, this, &AlarmWindow::showDetails);
    connect(m_sleepButton, &QPushButton::clicked, this, &AlarmWindow::openSleep);
    connect(m_cancelButton, &QPushButton::clicked, this, &QWidget::close);

    resize(toPixels(WindowWidth), toPixels(WindowHeight));
    Mnemonics::give(this);
}

bool AlarmWindow::load()
{
    m_noAlarmSelected = true;
    QVector<AlarmRow> rows;
    // A failed evaluation keeps the list shown: an empty one would read as "nothing is due".
    const AppSettings &settings = m_context.settings();
    const bool evaluated = runGuarded(this, QStringLiteral("evaluate the alarms"), [&] {
        rows = evaluateAlarms(m_context.database(), settings.serviceAlarms, settings.orderAlarms, alarmToday(m_context.database()));
    });
    if (evaluated)
        m_model->setRows(std::move(rows));
    return evaluated;
}

void AlarmWindow::rowClicked(int row)
{
    if (!m_model->rowAt(row))
        return; // an empty list, or below its last row
    m_model->setRowSelected(row, true);
    m_alarmCurRow = row;
    if (m_alarmPrevRow != m_alarmCurRow && !m_noAlarmSelected)
        m_model->setRowSelected(m_alarmPrevRow, false);
    m_alarmPrevRow = m_alarmCurRow;
    m_noAlarmSelected = false;
    flxAlarms->setCurrentIndex(m_model->index(row));
}

void AlarmWindow::rowDoubleClicked(int row)
{
    if (m_model->rowAt(row))
        openDetails(row, true);
}

void AlarmWindow::showDetails()
{
    if (m_noAlarmSelected) {
        MessageBox::fault(flxAlarms, QStringLiteral("Please select an alarm"));
        return;
    }
    openDetails(m_alarmCurRow, false);
}

void AlarmWindow::openDetails(int row, bool freshEditor)
{
    // Each window takes the row's item now and keeps it; a later reload of this list never
    // redirects it.
    const AlarmRow alarm = *m_model->rowAt(row);
    switch (alarm.kind) {
    case ServiceDue: emit serviceAckWanted(alarm.itemId); break;
    case OrderDue: emit orderAckWanted(alarm.itemId); break;
    case PastServiceDate: emit itemEditorWanted(alarm.itemId, freshEditor); break;
    }
}

SnoozeDialog *AlarmWindow::sleepWindow() const
{
    return m_sleep;
}

void AlarmWindow::openSleep()
{
    if (m_sleep) {
        bringToFront(m_sleep);
        return;
    }
    SnoozeDialog *window = showOnce(m_sleep, [] { return new SnoozeDialog; });
    // The snooze serves this list: it goes when the list goes.
    connect(this, &QObject::destroyed, window, &QWidget::close);
    connect(window, &SnoozeDialog::sleepChosen, this, [this](AlarmSchedule::SleepChoice choice) {
        emit sleepChosen(choice);
        close();
    });
}

bool AlarmWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Up and Down move the highlight as a click does; with none, they start at either end.
    // Enter goes on to the default button, Details.
    if (watched == flxAlarms && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const int count = m_model->rowCount();
        if (count > 0 && (key == Qt::Key_Down || key == Qt::Key_Up)) {
            const int from = m_noAlarmSelected ? (key == Qt::Key_Down ? -1 : count) : m_alarmCurRow;
            rowClicked(qBound(0, from + (key == Qt::Key_Down ? 1 : -1), count - 1));
            flxAlarms->scrollTo(m_model->index(m_alarmCurRow));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
