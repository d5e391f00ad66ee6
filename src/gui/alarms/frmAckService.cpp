#include "frmAckService.h"

#include "core/data/DatabaseADO.h"
#include "core/platform/Clock.h"
#include "core/platform/DateText.h"
#include "core/platform/LineEnds.h"
#include "core/platform/Twips.h"
#include "gui/items/frmAdd.h"
#include "gui/platform/KeyFilter.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/PlainText.h"
#include "gui/platform/WindowUtil.h"
#include "gui/records/EntryGrid.h"
#include "gui/records/frmAddEntry.h"
#include "gui/views/lib_frmCal.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

namespace {

QPointer<frmAckService> serviceWindow;

// Layout in twips: the information on the left; history, notes and the input on the right,
// the buttons under them.
constexpr int Margin = 120;
constexpr int LabelHeight = 285;
constexpr int InfoWidth = 4800;
constexpr int RightLeft = Margin + InfoWidth + Margin;
constexpr int RightWidth = 5640;
constexpr int HistoryTop = Margin + LabelHeight;
constexpr int HistoryHeight = 1900;
constexpr int NotesTop = HistoryTop + HistoryHeight + Margin + LabelHeight;
constexpr int NotesHeight = 1500;
constexpr int FrameTop = NotesTop + NotesHeight + Margin;
constexpr int FrameHeight = 1620;
constexpr int ButtonTop = FrameTop + FrameHeight + 2 * Margin;
constexpr int ButtonHeight = 375;
constexpr int WindowWidth = RightLeft + RightWidth + Margin;
constexpr int WindowHeight = ButtonTop + ButtonHeight + Margin;
constexpr int DateColumnWidth = 1300;
constexpr int EntryRowHeight = 285;
constexpr int InputLeft = 1500;

} // namespace

frmAckService::frmAckService(qint64 itemId, QWidget *parent)
    : AckWindow("frmAckService", QStringLiteral("Service Acknowledge"), itemId, parent)
{
    setFixedSize(Twips::toPixels(WindowWidth), Twips::toPixels(WindowHeight));

    txtInfo = new QPlainTextEdit(this);
    txtInfo->setObjectName(QStringLiteral("txtInfo"));
    txtInfo->setReadOnly(true);
    txtInfo->setTabChangesFocus(true);
    setGeometryTwips(txtInfo, Margin, HistoryTop, InfoWidth, ButtonTop + ButtonHeight - HistoryTop);
    addLabel(QStringLiteral("Service Information"), txtInfo, Margin, Margin, InfoWidth);

    flxHistory = makeEntryGrid("flxHistory", RightLeft, HistoryTop, RightWidth, HistoryHeight);
    addLabel(QStringLiteral("History"), flxHistory, RightLeft, Margin, RightWidth);
    flxNotes = makeEntryGrid("flxNotes", RightLeft, NotesTop, RightWidth, NotesHeight);
    addLabel(QStringLiteral("Notes"), flxNotes, RightLeft, NotesTop - LabelHeight, RightWidth);

    Frame1 = new QGroupBox(QStringLiteral("Acknowledgment Input"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    setGeometryTwips(Frame1, RightLeft, FrameTop, RightWidth, FrameHeight);
    txtServicedBy = new QLineEdit(Frame1);
    txtServicedBy->setObjectName(QStringLiteral("txtServicedBy"));
    txtServicedBy->setToolTip(QStringLiteral("Who the item was serviced by"));
    setGeometryTwips(txtServicedBy, InputLeft, 330, 3000, 315);
    addLabel(QStringLiteral("Serviced By"), txtServicedBy, Margin, 345, InputLeft - Margin);
    txtServicedON = new QLineEdit(Frame1);
    txtServicedON->setObjectName(QStringLiteral("txtServicedON"));
    txtServicedON->setToolTip(QStringLiteral("When the item was serviced"));
    setGeometryTwips(txtServicedON, InputLeft, 750, 1300, 315);
    addLabel(QStringLiteral("Serviced On"), txtServicedON, Margin, 765, InputLeft - Margin);
    cmdCal = new QPushButton(QIcon(QStringLiteral(":/icons/calendar.png")), QString(), Frame1);
    cmdCal->setObjectName(QStringLiteral("cmdCal"));
    cmdCal->setAccessibleName(QStringLiteral("Calendar"));
    cmdCal->setToolTip(QStringLiteral("Calendar"));
    setGeometryTwips(cmdCal, InputLeft + 1300 + 60, 735, 375, 345);
    Check1 = new QCheckBox(QStringLiteral("Part Replaced"), Frame1);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setToolTip(QStringLiteral("Was the part replaced?"));
    setGeometryTwips(Check1, Margin, 1170, 3000, 315);

    const int pitch = (RightWidth + Margin) / 4;
    cmdAck = addButton("cmdAck", QStringLiteral("Acknowledge"), RightLeft, ButtonTop);
    cmdAddHst = addButton("cmdAddHst", QStringLiteral("Add History"), RightLeft + pitch, ButtonTop);
    cmdAddNote = addButton("cmdAddNote", QStringLiteral("Add Note"), RightLeft + 2 * pitch, ButtonTop);
    cmdCancel = addButton("cmdCancel", QStringLiteral("Cancel"), RightLeft + 3 * pitch, ButtonTop);

    // Typing and pasting obey the same limits: 50 characters; a date of digits and "/".
    filterTyping(txtServicedBy, [](const QString &text, int keyChar) {
        return ackTextKeyAccepted(text, keyChar, ServicedByLimit);
    });
    cutPastes(txtServicedBy, ServicedByLimit);
    filterTyping(txtServicedON, servicedOnKeyAccepted);
    takeOnlyCharacters(txtServicedON, QStringLiteral("0-9/"));
    cutPastes(txtServicedON, ServicedOnLimit);

    cmdAck->setDefault(true);
    txtServicedBy->setFocus();
    connect(cmdAck, &QPushButton::clicked, this, &frmAckService::acknowledgeService);
    connect(cmdCal, &QPushButton::clicked, this, &frmAckService::openCalendar);
    connect(cmdAddHst, &QPushButton::clicked, this, [this] { addEntry(HistoryTarget); });
    connect(cmdAddNote, &QPushButton::clicked, this, [this] { addEntry(NotesTarget); });
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);

    readStamp(serviceAckStamp);
    if (!itemLoaded())
        return;
    LoadServiceData();
    LoadHistory();
    LoadNotes();
}

EntryGrid *frmAckService::makeEntryGrid(const char *name, int left, int top, int width, int height)
{
    auto *grid = new EntryGrid(name, Twips::toPixels(DateColumnWidth), this);
    grid->setWordWrap(false);
    setGeometryTwips(grid, left, top, width, height);
    grid->setColumnWidth(1, Twips::toPixels(width - DateColumnWidth - 100));
    return grid;
}

void frmAckService::LoadServiceData()
{
    runGuarded(this, QStringLiteral("read the item"), [this] {
        txtInfo->setPlainText(LineEnds::toShown(serviceInfoText(db(), itemId())));
        txtServicedBy->setText(lastServicedBy(db(), itemId()));
    });
    txtServicedON->setText(DateText::format(Clock::today()));
}

void frmAckService::fillEntries(EntryGrid *grid, EntryTarget target)
{
    runGuarded(this, QStringLiteral("read the item's entries"),
               [&] { grid->fill(loadEntries(db(), target, itemId()), Twips::toPixels(EntryRowHeight)); });
}

void frmAckService::LoadHistory()
{
    fillEntries(flxHistory, HistoryTarget);
}

void frmAckService::LoadNotes()
{
    fillEntries(flxNotes, NotesTarget);
}

bool frmAckService::partReplaced() const
{
    return Check1->isChecked();
}

void frmAckService::openCalendar()
{
    lib_frmCal::GetValue(txtServicedON);
}

void frmAckService::addEntry(EntryTarget target)
{
    frmAddEntry *window = showEntryWindow(target, itemId());
    connect(window, &frmAddEntry::entryAdded, this, &frmAckService::entryAdded, Qt::UniqueConnection);
}

void frmAckService::entryAdded(EntryTarget target, qint64 itemId)
{
    if (itemId != this->itemId())
        return; // an entry window kept for another item, with its typed text
    if (target == HistoryTarget) {
        // An open item editor is closed, nothing saved, after a history entry.
        closeItemEditor();
        LoadHistory();
    } else {
        LoadNotes();
    }
}

void frmAckService::acknowledgeService()
{
    const QString servicedOn = txtServicedON->text();
    const QString problem = servicedOnProblem(servicedOn);
    if (!problem.isEmpty()) {
        MessageBox::information(this, problem);
        return;
    }
    const QString servicedBy = txtServicedBy->text();
    const QDate day = DateText::parse(servicedOn);
    acknowledge(serviceAckHistory(servicedBy, servicedOn, partReplaced()), [&](const QStringList &history) {
        return storeServiceAck(db(), itemId(), stamp(), servicedBy, day, history);
    });
}

frmAckService *showServiceAck(qint64 itemId)
{
    return showOnce(serviceWindow, [&] { return keepIfLoaded(new frmAckService(itemId)); });
}

frmAckService *serviceAckWindow()
{
    return serviceWindow;
}
