#include "ItemEditor.h"

#include "core/companies/Company.h"
#include "core/companies/CompanyStore.h"
#include "core/platform/Clock.h"
#include "core/platform/Twips.h"
#include "core/records/History.h"
#include "core/settings/AppContext.h"
#include "gui/platform/ChangedElsewhereLine.h"
#include "gui/platform/KeyFilter.h"
#include "gui/platform/LongText.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/Mnemonics.h"
#include "gui/platform/PlainText.h"
#include "gui/platform/WindowUtil.h"
#include "gui/records/AddHistory.h"
#include "gui/views/DatePicker.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Sizes in twips: the window's default size, the boxes of fixed width and the buttons.
constexpr int WindowWidth = 10800;
constexpr int WindowHeight = 6555;
constexpr int DaysWidth = 525;
constexpr int PartNameWidth = 2100;
constexpr int PartNumberWidth = 1700;
constexpr int MultiLineHeight = 1000;
constexpr int GridRowHeight = 285;
constexpr int ButtonWidth = 1100;

// The date boxes by the index of their calendar button.
constexpr int CalendarBoxes[] = {Column::ServiceDate, Column::DateServiced, Column::DateInstalled};

using Twips::toPixels;

// Typing goes through the box's key filter; pastes and drops are cut to the box's limit, a digit
// box takes only digits and a date box only digits and "/", as their keys do.
void holdToRules(QWidget *box, int id)
{
    filterTyping(box, [id](const QString &text, int keyChar) { return acceptsKey(id, text, keyChar); });
    if (auto *line = qobject_cast<QLineEdit *>(box)) {
        if (ItemBox::isDayCount(id))
            takeOnlyCharacters(line, QStringLiteral("0-9"));
        else if (ItemBox::isDate(id))
            takeOnlyCharacters(line, QStringLiteral("0-9/"));
        cutPastes(line, ItemBox::lengthLimit(id));
    }
}

// A field whose column the main list hides is shown on button face; it stays editable.
void greyOut(QWidget *widget)
{
    QPalette palette = widget->palette();
    const QColor face = palette.color(QPalette::Button);
    const QColor text = palette.color(QPalette::ButtonText);
    palette.setColor(QPalette::Base, face);
    palette.setColor(QPalette::Text, text);
    widget->setPalette(palette);
}

} // namespace

ItemEditor::ItemEditor(const AppContext &context, ItemEditMode mode, qint64 itemId, const ColumnLayout &columns,
                       QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_mode(mode)
    , m_columns(columns)
{
    if (mode != AddItem)
        m_itemId = itemId;
    setObjectName(QStringLiteral("frmAdd"));
    setWindowTitle(isAddMode() ? QStringLiteral("Add Item") : QStringLiteral("Edit Item, ID = %1").arg(itemId));

    // The frames scroll above the buttons, which stay in view however small the window. The
    // second page is built hidden.
    auto *form = new QWidget;
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(scrollingForm(form));
    auto *pages = new QVBoxLayout(form);
    pages->setContentsMargins(0, 0, 0, 0);
    m_firstPage = new QWidget(form);
    m_secondPage = new QWidget(form);
    m_secondPage->hide();
    pages->addWidget(m_firstPage);
    pages->addWidget(m_secondPage);
    pages->addStretch(1);

    buildEquipmentFrame();
    buildAlarmFrame();
    buildPartsFrame();
    buildExtraFrame();
    buildHistoryFrame();
    buildCustomFrame();
    buildButtons();

    // Page 1: "Equipment" over "Alarming", the parts beside both.
    auto *first = new QGridLayout(m_firstPage);
    first->setContentsMargins(0, 0, 0, 0);
    first->addWidget(m_equipmentFrame, 0, 0);
    first->addWidget(m_alarmFrame, 1, 0);
    first->addWidget(m_partsFrame, 0, 1, 2, 1);
    // Page 2: "Extra", and "Latest History" over "Custom Fields" beside it.
    auto *left = new QVBoxLayout;
    left->addWidget(m_extraFrame);
    left->addStretch(1);
    auto *right = new QVBoxLayout;
    right->addWidget(m_historyFrame);
    right->addWidget(m_customFrame);
    right->addStretch(1);
    auto *second = new QHBoxLayout(m_secondPage);
    second->setContentsMargins(0, 0, 0, 0);
    second->addLayout(left, 55);
    second->addLayout(right, 49);
    first->setColumnStretch(0, 55);
    first->setColumnStretch(1, 49);
    setDefaultSizeTwips(this, WindowWidth, WindowHeight);
    m_boxes[Column::Name]->setFocus();
    // Each page's keys, with the paging button's caption on that page.
    m_cmdMore->setText(QStringLiteral("&More"));
    Mnemonics::give(this, {m_secondPage});
    m_cmdMore->setText(QStringLiteral("Bac&k"));
    Mnemonics::give(this, {m_firstPage});
    m_cmdMore->setText(QStringLiteral("&More"));
}

ItemEditor::~ItemEditor() = default;

QGroupBox *ItemEditor::makeFrame(const char *name, const QString &title, QWidget *page)
{
    auto *frame = new QGroupBox(title, page);
    frame->setObjectName(QString::fromLatin1(name));
    auto *rows = new QGridLayout(frame);
    rows->setColumnStretch(1, 1);
    return frame;
}

QWidget *ItemEditor::addBox(QGroupBox *frame, int id, const QString &label, const QString &tip)
{
    QWidget *box = nullptr;
    if (ItemBox::isMultiLine(id)) {
        auto *multi = new LimitedTextEdit(ItemBox::lengthLimit(id), frame);
        multi->setTabChangesFocus(true);
        multi->setFixedHeight(qMax(toPixels(MultiLineHeight), multi->fontMetrics().lineSpacing() * 3 + 12));
        box = multi;
    } else {
        box = new QLineEdit(frame);
    }
    box->setObjectName(QStringLiteral("txtData%1").arg(id));
    box->setProperty("index", id);
    box->setToolTip(tip);
    holdToRules(box, id);
    auto *caption = new QLabel(label, frame);
    caption->setObjectName(QStringLiteral("lblData%1").arg(id));
    caption->setBuddy(box);
    m_boxes[std::size_t(id)] = box;

    // A date box has its calendar button beside it, a day count the word "days".
    auto *line = new QHBoxLayout;
    line->addWidget(box);
    if (ItemBox::isDate(id)) {
        const auto calendar = std::find(std::begin(CalendarBoxes), std::end(CalendarBoxes), id);
        line->addWidget(calendarButton(int(calendar - std::begin(CalendarBoxes)), static_cast<QLineEdit *>(box), label));
        line->addStretch(1);
    } else if (ItemBox::isDayCount(id)) {
        fitWidth(static_cast<QLineEdit *>(box), DaysWidth, QStringLiteral("999"));
        line->addWidget(new QLabel(QStringLiteral("days"), frame));
        line->addStretch(1);
    }
    auto *rows = static_cast<QGridLayout *>(frame->layout());
    const int row = rows->isEmpty() ? 0 : rows->rowCount(); // an empty grid counts one row
    rows->addWidget(caption, row, 0, ItemBox::isMultiLine(id) ? Qt::AlignTop : Qt::Alignment());
    rows->addLayout(line, row, 1);
    return box;
}

QPushButton *ItemEditor::calendarButton(int index, QLineEdit *box, const QString &boxName)
{
    QPushButton *button = DatePicker::dateBoxButton(box, QStringLiteral("cmdCal%1").arg(index), boxName);
    button->setProperty("index", index);
    connect(button, &QPushButton::clicked, this, [this, index] { openCalendar(index); });
    return button;
}

void ItemEditor::buildEquipmentFrame()
{
    using namespace Column;
    m_equipmentFrame = makeFrame("frmEquip", QStringLiteral("Equipment"), m_firstPage);
    addBox(m_equipmentFrame, Name, QStringLiteral("Name"), QStringLiteral("Name of the overall equipment"));
    addBox(m_equipmentFrame, Tag, QStringLiteral("Tag"), QStringLiteral("Internal company tag if any"));
    addBox(m_equipmentFrame, Location, QStringLiteral("Location"), QStringLiteral("Location of the equipment"));
    addBox(m_equipmentFrame, Part, QStringLiteral("Part"), QStringLiteral("Part number of the overall equipment"));
    addBox(m_equipmentFrame, Serial, QStringLiteral("Serial"), QStringLiteral("Serial number of the overall equipment"));
    addBox(m_equipmentFrame, DateInstalled, QStringLiteral("Date Installed"),
           QStringLiteral("Date that the overall equipment was installed"));

    // The company is chosen in the company directory, not typed.
    m_lblCoName = new QLabel(m_equipmentFrame);
    m_lblCoName->setObjectName(QStringLiteral("lblCoName"));
    showPlainText(m_lblCoName);
    m_lblCoName->setFrameShape(QFrame::StyledPanel);
    m_lblCoName->setFrameShadow(QFrame::Sunken);
    m_lblCoName->setToolTip(QStringLiteral("Company name must be selected"));
    // A long name takes a second line, for which there is always room, rather than widening
    // the window or moving the rows below when a company is chosen.
    m_lblCoName->setWordWrap(true);
    m_lblCoName->setMinimumHeight(2 * m_lblCoName->fontMetrics().lineSpacing() + 2 * m_lblCoName->frameWidth());
    m_cmdSelect = new QPushButton(QStringLiteral("Select"), m_equipmentFrame);
    m_cmdSelect->setObjectName(QStringLiteral("cmdSelect"));
    connect(m_cmdSelect, &QPushButton::clicked, this, &ItemEditor::selectCompany);
    auto *caption = new QLabel(QStringLiteral("Company Name"), m_equipmentFrame);
    caption->setObjectName(QStringLiteral("lblData16"));
    caption->setBuddy(m_cmdSelect);
    auto *line = new QHBoxLayout;
    line->addWidget(m_lblCoName, 1);
    line->addWidget(m_cmdSelect);
    auto *rows = static_cast<QGridLayout *>(m_equipmentFrame->layout());
    const int row = rows->rowCount();
    rows->addWidget(caption, row, 0);
    rows->addLayout(line, row, 1);
}

void ItemEditor::buildAlarmFrame()
{
    using namespace Column;
    m_alarmFrame = makeFrame("frmAlarm", QStringLiteral("Alarming"), m_firstPage);
    addBox(m_alarmFrame, ServiceDate, QStringLiteral("Service Date"),
           QStringLiteral("Future date when the equipment needs servicing"));
    addBox(m_alarmFrame, ServiceWarn, QStringLiteral("Service Warning"),
           QStringLiteral("Number of days the program will start alarming to service before service date"));
    addBox(m_alarmFrame, LeadTime, QStringLiteral("Lead Time"),
           QStringLiteral("Number of days the program will alarm for order before service date"));
    addBox(m_alarmFrame, ServiceInterval, QStringLiteral("Service Interval"),
           QStringLiteral("When the service date arrives the program adds this many days to create a new service date"));
}

void ItemEditor::buildPartsFrame()
{
    m_partsFrame = new QGroupBox(QStringLiteral("Replacable Part(s) "), m_firstPage);
    m_partsFrame->setObjectName(QStringLiteral("frmrepparts"));
    m_cmbReplaceStock = new QComboBox(m_partsFrame);
    m_cmbReplaceStock->setObjectName(QStringLiteral("cmbReplaceStock"));
    m_cmbReplaceStock->addItems({QStringLiteral("NO"), QStringLiteral("YES")});
    m_cmbReplaceStock->setCurrentIndex(-1);
    m_cmbReplaceStock->setToolTip(QStringLiteral("Are replacement part(s) usually stocked?"));
    auto *stocked = new QLabel(QStringLiteral("Replacement(s) Stocked?"), m_partsFrame);
    stocked->setBuddy(m_cmbReplaceStock);

    // The grid, and below it the boxes of a new part lined up with its columns.
    m_flxRepParts = new QTableWidget(0, 2, m_partsFrame);
    m_flxRepParts->setObjectName(QStringLiteral("flxRepParts"));
    m_flxRepParts->setAccessibleName(QStringLiteral("Replacement parts"));
    m_flxRepParts->setHorizontalHeaderLabels({QStringLiteral("Part Name"), QStringLiteral("Part Number")});
    m_flxRepParts->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_flxRepParts->verticalHeader()->hide();
    m_flxRepParts->verticalHeader()->setDefaultSectionSize(
        qMax(toPixels(GridRowHeight), m_flxRepParts->fontMetrics().height() + 4));
    m_flxRepParts->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_flxRepParts->setSelectionMode(QAbstractItemView::NoSelection);
    // Tab leaves the grid for the part boxes; the arrows move within it.
    m_flxRepParts->setTabKeyNavigation(false);

    auto partBox = [&](const char *name, int id, const QString &label, int width) {
        auto *box = new QLineEdit(m_partsFrame);
        box->setObjectName(QString::fromLatin1(name));
        // The grid's column heading above the box is its label.
        box->setAccessibleName(label);
        box->setFixedWidth(toPixels(width));
        holdToRules(box, id);
        // Enter in a part box adds the part rather than saving the item.
        filterTyping(box, [this](const QString &, int keyChar) {
            if (keyChar != EnterKey)
                return true;
            addPart();
            return false;
        });
        return box;
    };
    m_txtRepPartName = partBox("txtRepPartName", ItemBox::PartName, QStringLiteral("Part Name"), PartNameWidth);
    m_txtRepPartNumber = partBox("txtRepPartNumber", ItemBox::PartNumber, QStringLiteral("Part Number"), PartNumberWidth);
    auto *add = new QPushButton(QStringLiteral("Add"), m_partsFrame);
    add->setObjectName(QStringLiteral("cmdaddRepParts"));
    connect(add, &QPushButton::clicked, this, &ItemEditor::addPart);

    auto *stockRow = new QHBoxLayout;
    stockRow->addWidget(stocked);
    stockRow->addWidget(m_cmbReplaceStock);
    stockRow->addStretch(1);
    auto *entryRow = new QHBoxLayout;
    entryRow->setSpacing(0); // the boxes stand under the grid's columns
    entryRow->addWidget(m_txtRepPartName);
    entryRow->addWidget(m_txtRepPartNumber);
    entryRow->addSpacing(toPixels(90));
    entryRow->addWidget(add, 1);
    auto *rows = new QVBoxLayout(m_partsFrame);
    rows->addLayout(stockRow);
    rows->addWidget(m_flxRepParts, 1);
    rows->addLayout(entryRow);
}

void ItemEditor::buildExtraFrame()
{
    using namespace Column;
    m_extraFrame = makeFrame("frmExtra", QStringLiteral("Extra"), m_secondPage);
    addBox(m_extraFrame, Tools, QStringLiteral("Tools"), QStringLiteral("Tools the equipment needs when servicing"));
    addBox(m_extraFrame, Locked, QStringLiteral("Equipment Locked"),
           QStringLiteral("Other equipment to disable before servicing"));
    addBox(m_extraFrame, RefManuals, QStringLiteral("Reference Manuals"),
           QStringLiteral("Name/location of any reference manuals"));
    addBox(m_extraFrame, Hazmat, QStringLiteral("Hazmat"),
           QStringLiteral("If any hazard conditions exsit enter the gear needed"));
}

void ItemEditor::buildHistoryFrame()
{
    using namespace Column;
    m_historyFrame = makeFrame("frmHst", QStringLiteral("Latest History"), m_secondPage);
    addBox(m_historyFrame, DateServiced, QStringLiteral("Last Service Date"),
           QStringLiteral("Last date the item was serviced. View history for prior servicing dates"));
    addBox(m_historyFrame, ServicedBy, QStringLiteral("Serviced By"),
           QStringLiteral("Name of the person that serviced the equipment"));
    addBox(m_historyFrame, PurchaseOrder, QStringLiteral("Last Purchase Order #"),
           QStringLiteral("Purchase number of the order when the replacement parts where ordered last"));
}

void ItemEditor::buildCustomFrame()
{
    using namespace Column;
    m_customFrame = makeFrame("frmCustom", QStringLiteral("Custom Fields"), m_secondPage);
    const QString tip = QStringLiteral("Custom field that user may define");
    int row = 0;
    for (int id : {Custom1, Custom2, Custom3})
        addBox(m_customFrame, id, QStringLiteral("Custom %1").arg(++row), tip);
}

void ItemEditor::buildButtons()
{
    auto button = [&](const char *name, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    m_cmdMore = button("cmdMore", QStringLiteral("&More"));
    m_cmdOK = button("cmdOK", isAddMode() ? QStringLiteral("Add") : QStringLiteral("Edit"));
    QPushButton *cancel = button("cmdCancel", QStringLiteral("Cancel"));
    static_cast<QVBoxLayout *>(layout())->addWidget(new ChangedElsewhereLine(m_context.database(), m_read, QString::fromLatin1(ItemChangedText), this));
    static_cast<QVBoxLayout *>(layout())->addLayout(buttonRow({m_cmdMore, m_cmdOK, cancel}, ButtonWidth));
    connect(m_cmdMore, &QPushButton::clicked, this, &ItemEditor::togglePage);
    m_cmdOK->setDefault(true);
    connect(m_cmdOK, &QPushButton::clicked, this, &ItemEditor::save);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
}

QWidget *ItemEditor::box(int id) const
{
    return id >= 0 && id < ItemBox::Count ? m_boxes[std::size_t(id)] : nullptr;
}

void ItemEditor::load()
{
    greyHiddenColumns();
    if (!isAddMode()) {
        runGuarded(this, QStringLiteral("read the item"), [this] {
            // First what the save compares with, so that a change while loading is not missed.
            Database &database = m_context.database();
            m_read = itemFormStamp(database, *m_itemId);
            if (const std::optional<ItemForm> stored = loadItemForm(database, *m_itemId))
                showForm(*stored);
            m_parts.setStored(loadRepParts(database, *m_itemId));
        });
    }
    m_flxRepParts->setColumnWidth(0, m_txtRepPartName->width());
    m_flxRepParts->setColumnWidth(1, m_txtRepPartNumber->width());
    showParts();
}

void ItemEditor::greyHiddenColumns()
{
    for (int id = 0; id < ItemBox::Count; ++id) {
        if (m_boxes[std::size_t(id)] && !m_columns.isShown(id))
            greyOut(m_boxes[std::size_t(id)]);
    }
    if (!m_columns.isShown(Column::ReplaceStock))
        greyOut(m_cmbReplaceStock);
}

void ItemEditor::showForm(const ItemForm &form)
{
    for (int id = 0; id < ItemBox::Count; ++id) {
        if (QWidget *b = m_boxes[std::size_t(id)])
            LongText::setValue(b, form[id]); // a long value in part, kept whole until edited
    }
    setCompany(form.companyId, form.companyName);
    m_storedStock = form.stocked;
    m_cmbReplaceStock->setCurrentIndex(stockedListIndex(form.stocked));
}

ItemForm ItemEditor::form() const
{
    ItemForm form;
    for (int id = 0; id < ItemBox::Count; ++id) {
        if (QWidget *b = m_boxes[std::size_t(id)])
            form[id] = LongText::value(b);
    }
    form.companyId = m_companyId;
    form.companyName = m_companyName;
    form.stocked = stockedToStore(m_cmbReplaceStock->currentIndex(), m_storedStock);
    return form;
}

void ItemEditor::setCompany(qint64 companyId, const QString &name)
{
    m_companyId = companyId;
    m_lblCoName->setText(LongText::shownPart(name));
    m_companyName = name;
}

void ItemEditor::showCompany(qint64 companyId)
{
    runGuarded(this, QStringLiteral("read the company"), [&] {
        const CompanyRecord company = loadCompany(m_context.database(), companyId);
        setCompany(company.id, company.fields[CompanyBox::Name]);
    });
}

void ItemEditor::showParts()
{
    m_flxRepParts->setRowCount(m_parts.count());
    for (int row = 0; row < m_parts.count(); ++row) {
        const RepPart &part = m_parts.at(row);
        m_flxRepParts->setItem(row, 0, new QTableWidgetItem(LongText::shownPart(part.name)));
        m_flxRepParts->setItem(row, 1, new QTableWidgetItem(LongText::shownPart(part.number)));
    }
}

void ItemEditor::addPart()
{
    if (!m_parts.add(m_txtRepPartName->text(), m_txtRepPartNumber->text())) {
        MessageBox::fault(m_txtRepPartName, QStringLiteral("A Part Name must be specified"));
        return;
    }
    showParts();
    m_txtRepPartName->clear();
    m_txtRepPartNumber->clear();
    m_txtRepPartName->setFocus(); // ready for the next part
}

QWidget *ItemEditor::faultControl(int id)
{
    QWidget *control = id == Column::Company ? m_cmdSelect : box(id);
    if (control && m_firstPage->isAncestorOf(control) == m_firstPage->isHidden())
        togglePage();
    return control;
}

void ItemEditor::togglePage()
{
    const bool toSecondPage = m_secondPage->isHidden();
    m_cmdMore->setText(toSecondPage ? QStringLiteral("Bac&k") : QStringLiteral("&More"));
    m_secondPage->setVisible(toSecondPage);
    m_firstPage->setVisible(!toSecondPage);
}

void ItemEditor::selectCompany()
{
    emit companyWanted();
}

void ItemEditor::openCalendar(int index)
{
    if (index < 0 || index >= int(std::size(CalendarBoxes))) {
        MessageBox::critical(this, QStringLiteral("Case Else Error"));
        return;
    }
    DatePicker::pickInto(qobject_cast<QLineEdit *>(box(CalendarBoxes[index])));
}

void ItemEditor::save()
{
    const ItemForm values = form();
    const ItemCheck check = checkItem(values, Clock::today());
    for (qsizetype i = 0; i < check.messages.size(); ++i) {
        // The error, which comes last, sends the keyboard to the entry at fault.
        if (!check.canSave && i + 1 == check.messages.size())
            MessageBox::fault(faultControl(check.faultBox), check.messages.at(i));
        else
            MessageBox::information(this, check.messages.at(i));
    }
    if (!check.canSave)
        return;

    // A new item's automatic history goes into the same transaction as the item, unless the
    // options ask the user first: then the item is stored before the questions.
    QVector<HistoryRequest> requests = isAddMode() ? newItemHistory(values) : QVector<HistoryRequest>();
    const AppSettings &settings = m_context.settings();
    const bool asks = std::any_of(requests.cbegin(), requests.cend(), [&](const HistoryRequest &r) {
        return entryDecision(r.kind, settings.autoAddHistory, settings.askBeforeHistory) == EntryDecision::Ask;
    });
    QStringList historyTexts;
    if (!asks) {
        historyTexts = acceptedHistory(this, requests, settings); // nothing asks here
        requests.clear();
    }

    SavedItem result;
    const bool saved = runGuarded(this, QStringLiteral("save the item"), [&] {
        result = saveItemForm(m_context.database(), values, m_itemId, m_read, m_parts.newParts(), historyTexts);
    });
    if (!saved)
        return;
    if (result.outcome != SaveOutcome::Saved) {
        tellRefusal(this, result.outcome);
        return;
    }
    const qint64 savedId = result.id;
    // The item is stored: what follows cannot undo it, so the editor closes whatever happens.
    runGuarded(this, QStringLiteral("add the item's history"), [&] {
        for (const HistoryRequest &request : std::as_const(requests))
            addHistory(m_context.database(), request.kind, HistoryTarget, savedId, request.text1, request.text2, settings);
    });
    emit itemSaved(savedId);
    close();
}
