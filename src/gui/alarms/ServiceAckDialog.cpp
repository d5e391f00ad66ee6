#include "ServiceAckDialog.h"

#include "core/platform/Clock.h"
#include "core/platform/DateText.h"
#include "core/platform/LineEnds.h"
#include "core/platform/Twips.h"
#include "core/records/RecordStore.h"
#include "gui/platform/KeyFilter.h"
#include "gui/platform/LongText.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/Mnemonics.h"
#include "gui/platform/PlainText.h"
#include "gui/platform/WindowUtil.h"
#include "gui/records/EntryGrid.h"
#include "gui/views/DatePicker.h"

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

ServiceAckDialog::ServiceAckDialog(const AppContext &context, qint64 itemId, QWidget *parent)
    : AckDialog(context, "frmAckService", QStringLiteral("Service Acknowledge"), itemId, parent)
{
    // The information on the left; history, notes and the input on the right. They scroll
    // above the buttons, which stay in view however small the window.
    auto *form = new QWidget;
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(scrollingForm(form));

    m_infoText = new QPlainTextEdit(form);
    m_infoText->setObjectName(QStringLiteral("txtInfo"));
    m_infoText->setReadOnly(true);
    m_infoText->setTabChangesFocus(true);
    QLabel *infoLabel = addLabel(QStringLiteral("Service Information"), m_infoText);

    flxHistory = makeEntryGrid("flxHistory", form);
    flxHistory->setAccessibleName(QStringLiteral("History"));
    QLabel *historyLabel = addLabel(QStringLiteral("History"), flxHistory);
    flxNotes = makeEntryGrid("flxNotes", form);
    flxNotes->setAccessibleName(QStringLiteral("Notes"));
    QLabel *notesLabel = addLabel(QStringLiteral("Notes"), flxNotes);

    auto *Frame1 = new QGroupBox(QStringLiteral("Acknowledgment Input"), form);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    m_servicedByEdit = new QLineEdit(Frame1);
    m_servicedByEdit->setObjectName(QStringLiteral("txtServicedBy"));
    m_servicedByEdit->setToolTip(QStringLiteral("Who the item was serviced by"));
    m_servicedByEdit->setMinimumWidth(Twips::toPixels(PersonWidth));
    m_servicedOnEdit = new QLineEdit(Frame1);
    m_servicedOnEdit->setObjectName(QStringLiteral("txtServicedON"));
    m_servicedOnEdit->setToolTip(QStringLiteral("When the item was serviced"));
    QPushButton *cmdCal = DatePicker::dateBoxButton(m_servicedOnEdit, QStringLiteral("cmdCal"), QStringLiteral("Serviced On"));
    Check1 = new QCheckBox(QStringLiteral("Part Replaced"), Frame1);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setToolTip(QStringLiteral("Was the part replaced?"));

    auto *inputs = new QGridLayout(Frame1);
    inputs->addWidget(addLabel(QStringLiteral("Serviced By"), m_servicedByEdit), 0, 0);
    inputs->addWidget(m_servicedByEdit, 0, 1, 1, 3);
    inputs->addWidget(addLabel(QStringLiteral("Serviced On"), m_servicedOnEdit), 1, 0);
    inputs->addWidget(m_servicedOnEdit, 1, 1);
    inputs->addWidget(cmdCal, 1, 2);
    inputs->addWidget(Check1, 2, 0, 1, 4, Qt::AlignLeft); // clicks count on its box and text
    inputs->setColumnStretch(3, 1);

    auto *left = new QVBoxLayout;
    left->addWidget(infoLabel);
    left->addWidget(m_infoText, 1);
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
    layout->addWidget(changedElsewhereLine());
    layout->addLayout(buttonRow({cmdAck, cmdAddHst, cmdAddNote, cmdCancel}, ButtonWidth));
    setDefaultSizeTwips(this, WindowWidth, WindowHeight);

    // Typing and pasting obey the same limits: 50 characters; a date of digits and "/".
    filterTyping(m_servicedByEdit, [](const QString &text, int keyChar) {
        return ackTextKeyAccepted(text, keyChar, ServicedByLimit);
    });
    cutPastes(m_servicedByEdit, ServicedByLimit);
    filterTyping(m_servicedOnEdit, servicedOnKeyAccepted);
    takeOnlyCharacters(m_servicedOnEdit, QStringLiteral("0-9/"));
    cutPastes(m_servicedOnEdit, ServicedOnLimit);

    cmdAck->setDefault(true);
    m_servicedByEdit->setFocus();
    connect(cmdAck, &QPushButton::clicked, this, &ServiceAckDialog::acknowledgeService);
    connect(cmdCal, &QPushButton::clicked, this, &ServiceAckDialog::openCalendar);
    connect(cmdAddHst, &QPushButton::clicked, this, [this] { addEntry(HistoryTarget); });
    connect(cmdAddNote, &QPushButton::clicked, this, [this] { addEntry(NotesTarget); });
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
    Mnemonics::give(this);
}

bool ServiceAckDialog::load()
{
    if (!readStamp(serviceAckStamp))
        return false;
    loadServiceData();
    reloadHistory();
    reloadNotes();
    return true;
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
        m_infoText->setPlainText(LongText::shownPart(LineEnds::toShown(serviceInfoText(database(), itemId()))));
        LongText::setValue(m_servicedByEdit, lastServicedBy(database(), itemId()));
    });
    m_servicedOnEdit->setText(DateText::format(Clock::today()));
}

void ServiceAckDialog::fillEntries(EntryGrid *grid, EntryTarget target)
{
    runGuarded(this, QStringLiteral("read the item's entries"),
               [&] { grid->fill(loadEntries(database(), target, itemId()), Twips::toPixels(EntryRowHeight)); });
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
    DatePicker::pickInto(m_servicedOnEdit);
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
    const QString servicedOn = m_servicedOnEdit->text();
    const QString problem = servicedOnProblem(servicedOn);
    if (!problem.isEmpty()) {
        MessageBox::fault(m_servicedOnEdit, problem);
        return;
    }
    const QString servicedBy = LongText::value(m_servicedByEdit);
    const QDate day = DateText::parse(servicedOn);
    acknowledge(serviceAckHistory(servicedBy, servicedOn, partReplaced()), [&](const QStringList &history) {
        return storeServiceAck(database(), itemId(), stamp(), servicedBy, day, history);
    });
}
