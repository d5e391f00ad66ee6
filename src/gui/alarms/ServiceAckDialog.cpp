#include "ServiceAckDialog.h"

#include "core/db/Recordset.h"
#include "core/platform/Clock.h"
#include "core/platform/DateText.h"
#include "core/platform/LineEnds.h"
#include "core/platform/Twips.h"
#include "gui/platform/KeyFilter.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/PlainText.h"
#include "gui/platform/WindowUtil.h"
#include "gui/records/EntryGrid.h"
#include "gui/views/DatePicker.h"
#include "core/maintenance/WorkingDatabase.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// Sizes in twips: the window's default size, the date column of the lists and their rows.
constexpr int WindowWidth = 10800;
constexpr int WindowHeight = 6685;
constexpr int DateColumnWidth = 1300;
constexpr int EntryRowHeight = 285;
constexpr int PersonWidth = 3000;

} // namespace

ServiceAckDialog::ServiceAckDialog(qint64 itemId, QWidget *parent)
    : AckDialog("frmAckService", QStringLiteral("Service Acknowledge"), itemId, parent)
{
    // The information on the left; history, notes and the input on the right. They scroll
    // above the buttons, which stay in view however small the window.
    auto *form = new QWidget;
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(scrollingForm(form));

    txtInfo = new QPlainTextEdit(form);
    txtInfo->setObjectName(QStringLiteral("txtInfo"));
    txtInfo->setReadOnly(true);
    txtInfo->setTabChangesFocus(true);
    QLabel *infoLabel = addLabel(QStringLiteral("Service Information"), txtInfo);

    flxHistory = makeEntryGrid("flxHistory", form);
    QLabel *historyLabel = addLabel(QStringLiteral("History"), flxHistory);
    flxNotes = makeEntryGrid("flxNotes", form);
    QLabel *notesLabel = addLabel(QStringLiteral("Notes"), flxNotes);

    auto *Frame1 = new QGroupBox(QStringLiteral("Acknowledgment Input"), form);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    txtServicedBy = new QLineEdit(Frame1);
    txtServicedBy->setObjectName(QStringLiteral("txtServicedBy"));
    txtServicedBy->setToolTip(QStringLiteral("Who the item was serviced by"));
    txtServicedBy->setMinimumWidth(Twips::toPixels(PersonWidth));
    txtServicedON = new QLineEdit(Frame1);
    txtServicedON->setObjectName(QStringLiteral("txtServicedON"));
    txtServicedON->setToolTip(QStringLiteral("When the item was serviced"));
    QPushButton *cmdCal = DatePicker::dateBoxButton(txtServicedON, QStringLiteral("cmdCal"));
    Check1 = new QCheckBox(QStringLiteral("Part Replaced"), Frame1);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setToolTip(QStringLiteral("Was the part replaced?"));

    auto *inputs = new QGridLayout(Frame1);
    inputs->addWidget(addLabel(QStringLiteral("Serviced By"), txtServicedBy), 0, 0);
    inputs->addWidget(txtServicedBy, 0, 1, 1, 3);
    inputs->addWidget(addLabel(QStringLiteral("Serviced On"), txtServicedON), 1, 0);
    inputs->addWidget(txtServicedON, 1, 1);
    inputs->addWidget(cmdCal, 1, 2);
    inputs->addWidget(Check1, 2, 0, 1, 4, Qt::AlignLeft); // clicks count on its box and text
    inputs->setColumnStretch(3, 1);

    auto *left = new QVBoxLayout;
    left->addWidget(infoLabel);
    left->addWidget(txtInfo, 1);
    auto *right = new QVBoxLayout;
    right->addWidget(historyLabel);
    right->addWidget(flxHistory, 19);
    right->addWidget(notesLabel);
    right->addWidget(flxNotes, 15);
    right->addWidget(Frame1);
    auto *columns = new QHBoxLayout(form);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->addLayout(left, 48);
    columns->addLayout(right, 56);

    QPushButton *cmdAck = addButton("cmdAck", QStringLiteral("Acknowledge"));
    QPushButton *cmdAddHst = addButton("cmdAddHst", QStringLiteral("Add History"));
    QPushButton *cmdAddNote = addButton("cmdAddNote", QStringLiteral("Add Note"));
    QPushButton *cmdCancel = addButton("cmdCancel", QStringLiteral("Cancel"));
    layout->addLayout(buttonRow({cmdAck, cmdAddHst, cmdAddNote, cmdCancel}, ButtonWidth));
    setDefaultSizeTwips(this, WindowWidth, WindowHeight);

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
    connect(cmdAck, &QPushButton::clicked, this, &ServiceAckDialog::acknowledgeService);
    connect(cmdCal, &QPushButton::clicked, this, &ServiceAckDialog::openCalendar);
    connect(cmdAddHst, &QPushButton::clicked, this, [this] { addEntry(HistoryTarget); });
    connect(cmdAddNote, &QPushButton::clicked, this, [this] { addEntry(NotesTarget); });
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);

    readStamp(serviceAckStamp);
    if (!itemLoaded())
        return;
    loadServiceData();
    reloadHistory();
    reloadNotes();
}

EntryGrid *ServiceAckDialog::makeEntryGrid(const char *name, QWidget *parent)
{
    auto *grid = new EntryGrid(name, Twips::toPixels(DateColumnWidth), parent);
    grid->setWordWrap(false);
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

void ServiceAckDialog::loadServiceData()
{
    runGuarded(this, QStringLiteral("read the item"), [this] {
        txtInfo->setPlainText(LineEnds::toShown(serviceInfoText(db(), itemId())));
        txtServicedBy->setText(lastServicedBy(db(), itemId()));
    });
    txtServicedON->setText(DateText::format(Clock::today()));
}

void ServiceAckDialog::fillEntries(EntryGrid *grid, EntryTarget target)
{
    runGuarded(this, QStringLiteral("read the item's entries"),
               [&] { grid->fill(loadEntries(db(), target, itemId()), Twips::toPixels(EntryRowHeight)); });
}

void ServiceAckDialog::reloadHistory()
{
    fillEntries(flxHistory, HistoryTarget);
}

void ServiceAckDialog::reloadNotes()
{
    fillEntries(flxNotes, NotesTarget);
}

bool ServiceAckDialog::partReplaced() const
{
    return Check1->isChecked();
}

void ServiceAckDialog::openCalendar()
{
    DatePicker::pickInto(txtServicedON);
}

void ServiceAckDialog::addEntry(EntryTarget target)
{
    emit entryWanted(target);
}

void ServiceAckDialog::entryAdded(EntryTarget target, qint64 itemId)
{
    if (itemId != this->itemId())
        return; // an entry window kept for another item, with its typed text
    if (target == HistoryTarget) {
        emit historyEntryAdded();
        reloadHistory();
    } else {
        reloadNotes();
    }
}

void ServiceAckDialog::acknowledgeService()
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
