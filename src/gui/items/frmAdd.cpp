#include "frmAdd.h"

#include "core/companies/Company.h"
#include "core/data/DatabaseADO.h"
#include "core/data/GlobalVars.h"
#include "core/platform/Clock.h"
#include "core/platform/Twips.h"
#include "core/records/History.h"
#include "gui/companies/frmCompanies.h"
#include "gui/platform/KeyFilter.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/PlainText.h"
#include "gui/platform/WindowUtil.h"
#include "gui/records/AddHistory.h"
#include "gui/views/lib_frmCal.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>

namespace {

QPointer<frmAdd> editor;

// Layout in twips. Rows of label and box inside a frame, the frames on two pages.
constexpr int FrameMargin = 120;
constexpr int RowTop = 360;
constexpr int RowPitch = 420;
constexpr int BoxHeight = 330;
constexpr int LabelLeft = 150;
constexpr int Gap = 90;
constexpr int DateWidth = 1300;
constexpr int DaysWidth = 525;
constexpr int MultiLineHeight = 1000;
constexpr int GridRowHeight = 285;

constexpr int LeftFrameWidth = 5520;
constexpr int EquipHeight = RowTop + 7 * RowPitch + 150;
constexpr int AlarmHeight = RowTop + 4 * RowPitch + 150;
constexpr int PartsLeft = FrameMargin + LeftFrameWidth + FrameMargin;
constexpr int PartsWidth = 4920;
constexpr int PartsHeight = EquipHeight + FrameMargin + AlarmHeight;
constexpr int PageShift = 200; // second-page frames stand this far right of and below their neighbours
constexpr int RightFrameWidth = 4720;
constexpr int SmallFrameHeight = RowTop + 3 * RowPitch + 150;
constexpr int WindowWidth = PartsLeft + PartsWidth + FrameMargin;
constexpr int ButtonTop = FrameMargin + PartsHeight + 150;
constexpr int ButtonWidth = 1100;
constexpr int ButtonHeight = 375;
constexpr int WindowHeight = ButtonTop + ButtonHeight + 150;

using Twips::toPixels;

constexpr int rowTop(int row)
{
    return RowTop + row * RowPitch;
}

QString boxText(const QWidget *box)
{
    if (auto *line = qobject_cast<const QLineEdit *>(box))
        return line->text();
    if (auto *multi = qobject_cast<const QPlainTextEdit *>(box))
        return multi->toPlainText();
    return QString();
}

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

void setBoxText(QWidget *box, const QString &text)
{
    if (auto *line = qobject_cast<QLineEdit *>(box))
        line->setText(text);
    else if (auto *multi = qobject_cast<QPlainTextEdit *>(box))
        multi->setPlainText(text);
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

frmAdd::frmAdd(ItemEditMode mode, qint64 itemId, const AppSettings &settings, QWidget *parent)
    : QDialog(parent)
    , m_mode(mode)
    , m_settings(settings)
{
    if (mode != AddItem)
        m_itemId = itemId;
    setObjectName(QStringLiteral("frmAdd"));
    setFixedSize(toPixels(WindowWidth), toPixels(WindowHeight));

    buildEquipmentFrame();
    buildAlarmFrame();
    buildPartsFrame();
    buildExtraFrame();
    buildHistoryFrame();
    buildCustomFrame();
    buildButtons();

    loadItem();
    m_boxes[Column::Name]->setFocus();
}

frmAdd::~frmAdd() = default;

QGroupBox *frmAdd::makeFrame(const char *name, const QString &title, int left, int top, int width, int height)
{
    auto *frame = new QGroupBox(title, this);
    frame->setObjectName(QString::fromLatin1(name));
    setGeometryTwips(frame, left, top, width, height);
    return frame;
}

QLabel *frmAdd::addLabel(QGroupBox *frame, const QString &text, int left, int top, int width)
{
    auto *label = new QLabel(text, frame);
    setGeometryTwips(label, left, top, width, BoxHeight);
    return label;
}

QWidget *frmAdd::addBox(QGroupBox *frame, int id, const QString &label, const QString &tip, int top,
                        int labelWidth, int boxWidth, int height)
{
    QWidget *box = nullptr;
    if (ItemBox::isMultiLine(id)) {
        auto *multi = new LimitedTextEdit(ItemBox::lengthLimit(id), frame);
        multi->setTabChangesFocus(true);
        box = multi;
    } else {
        box = new QLineEdit(frame);
    }
    box->setObjectName(QStringLiteral("txtData%1").arg(id));
    box->setProperty("index", id);
    box->setToolTip(tip);
    holdToRules(box, id);
    setGeometryTwips(box, LabelLeft + labelWidth + Gap, top, boxWidth, height > 0 ? height : BoxHeight);
    QLabel *caption = addLabel(frame, label, LabelLeft, top, labelWidth);
    caption->setObjectName(QStringLiteral("lblData%1").arg(id));
    caption->setBuddy(box);
    m_boxes[std::size_t(id)] = box;
    return box;
}

void frmAdd::addDaysLabel(int id)
{
    QWidget *box = m_boxes[std::size_t(id)];
    auto *days = new QLabel(QStringLiteral("days"), box->parentWidget());
    days->setGeometry(box->geometry().right() + 1 + toPixels(Gap), box->y(), toPixels(600), box->height());
}

void frmAdd::addCalendarButton(int index, int boxId)
{
    QWidget *box = m_boxes[std::size_t(boxId)];
    auto *button = new QPushButton(QIcon(QStringLiteral(":/icons/calendar.png")), QString(), box->parentWidget());
    button->setObjectName(QStringLiteral("cmdCal%1").arg(index));
    button->setProperty("index", index);
    button->setAccessibleName(QStringLiteral("Calendar"));
    button->setToolTip(QStringLiteral("Calendar"));
    button->setGeometry(box->geometry().right() + 1 + toPixels(60), box->y(), box->height(), box->height());
    connect(button, &QPushButton::clicked, this, [this, index] { openCalendar(index); });
}

void frmAdd::buildEquipmentFrame()
{
    using namespace Column;
    m_frmEquip = makeFrame("frmEquip", QStringLiteral("Equipment"), FrameMargin, FrameMargin, LeftFrameWidth,
                           EquipHeight);
    constexpr int labelWidth = 1560;
    constexpr int boxWidth = 3450;
    addBox(m_frmEquip, Name, QStringLiteral("Name"), QStringLiteral("Name of the overall equipment"), rowTop(0),
           labelWidth, boxWidth);
    addBox(m_frmEquip, Tag, QStringLiteral("Tag"), QStringLiteral("Internal company tag if any"), rowTop(1),
           labelWidth, boxWidth);
    addBox(m_frmEquip, Location, QStringLiteral("Location"), QStringLiteral("Location of the equipment"),
           rowTop(2), labelWidth, boxWidth);
    addBox(m_frmEquip, Part, QStringLiteral("Part"), QStringLiteral("Part number of the overall equipment"),
           rowTop(3), labelWidth, boxWidth);
    addBox(m_frmEquip, Serial, QStringLiteral("Serial"), QStringLiteral("Serial number of the overall equipment"),
           rowTop(4), labelWidth, boxWidth);
    addBox(m_frmEquip, DateInstalled, QStringLiteral("Date Installed"),
           QStringLiteral("Date that the overall equipment was installed"), rowTop(5), labelWidth, DateWidth);
    addCalendarButton(2, DateInstalled);

    // The company is chosen in the company directory, not typed.
    constexpr int boxLeft = LabelLeft + labelWidth + Gap;
    constexpr int selectWidth = 900;
    m_lblCoName = new QLabel(m_frmEquip);
    m_lblCoName->setObjectName(QStringLiteral("lblCoName"));
    showPlainText(m_lblCoName);
    m_lblCoName->setFrameShape(QFrame::StyledPanel);
    m_lblCoName->setFrameShadow(QFrame::Sunken);
    m_lblCoName->setToolTip(QStringLiteral("Company name must be selected"));
    setGeometryTwips(m_lblCoName, boxLeft, rowTop(6), boxWidth - selectWidth - Gap, BoxHeight);
    auto *select = new QPushButton(QStringLiteral("Select"), m_frmEquip);
    select->setObjectName(QStringLiteral("cmdSelect"));
    setGeometryTwips(select, boxLeft + boxWidth - selectWidth, rowTop(6), selectWidth, BoxHeight);
    connect(select, &QPushButton::clicked, this, &frmAdd::selectCompany);
    QLabel *caption = addLabel(m_frmEquip, QStringLiteral("Company Name"), LabelLeft, rowTop(6), labelWidth);
    caption->setObjectName(QStringLiteral("lblData16"));
    caption->setBuddy(select);
}

void frmAdd::buildAlarmFrame()
{
    using namespace Column;
    m_frmAlarm = makeFrame("frmAlarm", QStringLiteral("Alarming"), FrameMargin, FrameMargin + EquipHeight + FrameMargin,
                           LeftFrameWidth, AlarmHeight);
    constexpr int labelWidth = 1560;
    addBox(m_frmAlarm, ServiceDate, QStringLiteral("Service Date"),
           QStringLiteral("Future date when the equipment needs servicing"), rowTop(0), labelWidth, DateWidth);
    addCalendarButton(0, ServiceDate);
    addBox(m_frmAlarm, ServiceWarn, QStringLiteral("Service Warning"),
           QStringLiteral("Number of days the program will start alarming to service before service date"),
           rowTop(1), labelWidth, DaysWidth);
    addBox(m_frmAlarm, LeadTime, QStringLiteral("Lead Time"),
           QStringLiteral("Number of days the program will alarm for order before service date"), rowTop(2),
           labelWidth, DaysWidth);
    addBox(m_frmAlarm, ServiceInterval, QStringLiteral("Service Interval"),
           QStringLiteral("When the service date arrives the program adds this many days to create a new service date"),
           rowTop(3), labelWidth, DaysWidth);
    for (int id : {ServiceWarn, LeadTime, ServiceInterval})
        addDaysLabel(id);
}

void frmAdd::buildPartsFrame()
{
    m_frmrepparts = makeFrame("frmrepparts", QStringLiteral("Replacable Part(s) "), PartsLeft, FrameMargin,
                              PartsWidth, PartsHeight);
    constexpr int labelWidth = 2400;
    m_cmbReplaceStock = new QComboBox(m_frmrepparts);
    m_cmbReplaceStock->setObjectName(QStringLiteral("cmbReplaceStock"));
    m_cmbReplaceStock->addItems({QStringLiteral("NO"), QStringLiteral("YES")});
    m_cmbReplaceStock->setCurrentIndex(-1);
    m_cmbReplaceStock->setToolTip(QStringLiteral("Are replacement part(s) usually stocked?"));
    setGeometryTwips(m_cmbReplaceStock, LabelLeft + labelWidth + Gap, rowTop(0), 1000, BoxHeight);
    addLabel(m_frmrepparts, QStringLiteral("Replacement(s) Stocked?"), LabelLeft, rowTop(0), labelWidth)
        ->setBuddy(m_cmbReplaceStock);

    // The grid, and below it the boxes of a new part lined up with its columns.
    constexpr int gridTop = rowTop(1) + 60;
    constexpr int gridWidth = PartsWidth - 2 * LabelLeft;
    constexpr int entryTop = PartsHeight - 150 - BoxHeight;
    constexpr int nameWidth = 2100;
    constexpr int numberWidth = 1700;
    m_flxRepParts = new QTableWidget(0, 2, m_frmrepparts);
    m_flxRepParts->setObjectName(QStringLiteral("flxRepParts"));
    m_flxRepParts->setAccessibleName(QStringLiteral("Replacement parts"));
    m_flxRepParts->setHorizontalHeaderLabels({QStringLiteral("Part Name"), QStringLiteral("Part Number")});
    m_flxRepParts->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_flxRepParts->verticalHeader()->hide();
    m_flxRepParts->verticalHeader()->setDefaultSectionSize(toPixels(GridRowHeight));
    m_flxRepParts->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_flxRepParts->setSelectionMode(QAbstractItemView::NoSelection);
    // Tab leaves the grid for the part boxes; the arrows move within it.
    m_flxRepParts->setTabKeyNavigation(false);
    setGeometryTwips(m_flxRepParts, LabelLeft, gridTop, gridWidth, entryTop - Gap - gridTop);

    auto partBox = [&](const char *name, int id, const QString &label, int left, int width) {
        auto *box = new QLineEdit(m_frmrepparts);
        box->setObjectName(QString::fromLatin1(name));
        // The grid's column heading above the box is its label.
        box->setAccessibleName(label);
        holdToRules(box, id);
        // Enter in a part box adds the part rather than saving the item.
        filterTyping(box, [this](const QString &, int keyChar) {
            if (keyChar != EnterKey)
                return true;
            addPart();
            return false;
        });
        setGeometryTwips(box, left, entryTop, width, BoxHeight);
        return box;
    };
    m_txtRepPartName = partBox("txtRepPartName", ItemBox::PartName, QStringLiteral("Part Name"), LabelLeft, nameWidth);
    m_txtRepPartNumber = partBox("txtRepPartNumber", ItemBox::PartNumber, QStringLiteral("Part Number"),
                                 LabelLeft + nameWidth, numberWidth);
    auto *add = new QPushButton(QStringLiteral("Add"), m_frmrepparts);
    add->setObjectName(QStringLiteral("cmdaddRepParts"));
    setGeometryTwips(add, LabelLeft + nameWidth + numberWidth + Gap, entryTop,
                     gridWidth - nameWidth - numberWidth - Gap, BoxHeight);
    connect(add, &QPushButton::clicked, this, &frmAdd::addPart);
}

void frmAdd::buildExtraFrame()
{
    using namespace Column;
    m_frmExtra = makeFrame("frmExtra", QStringLiteral("Extra"), FrameMargin, FrameMargin, LeftFrameWidth,
                           RowTop + 2 * (MultiLineHeight + Gap) + 2 * RowPitch + 60);
    constexpr int labelWidth = 1800;
    constexpr int boxWidth = 3330;
    int top = RowTop;
    addBox(m_frmExtra, Tools, QStringLiteral("Tools"), QStringLiteral("Tools the equipment needs when servicing"), top,
           labelWidth, boxWidth, MultiLineHeight);
    top += MultiLineHeight + Gap;
    addBox(m_frmExtra, Locked, QStringLiteral("Equipment Locked"),
           QStringLiteral("Other equipment to disable before servicing"), top, labelWidth, boxWidth, MultiLineHeight);
    top += MultiLineHeight + Gap;
    addBox(m_frmExtra, RefManuals, QStringLiteral("Reference Manuals"),
           QStringLiteral("Name/location of any reference manuals"), top, labelWidth, boxWidth);
    top += RowPitch;
    addBox(m_frmExtra, Hazmat, QStringLiteral("Hazmat"),
           QStringLiteral("If any hazard conditions exsit enter the gear needed"), top, labelWidth, boxWidth);
    m_frmExtra->hide();
}

void frmAdd::buildHistoryFrame()
{
    using namespace Column;
    m_frmHst = makeFrame("frmHst", QStringLiteral("Latest History"), PartsLeft + PageShift, FrameMargin,
                         RightFrameWidth, SmallFrameHeight);
    constexpr int labelWidth = 2160;
    constexpr int boxWidth = 2160;
    addBox(m_frmHst, DateServiced, QStringLiteral("Last Service Date"),
           QStringLiteral("Last date the item was serviced. View history for prior servicing dates"), rowTop(0),
           labelWidth, DateWidth);
    addCalendarButton(1, DateServiced);
    addBox(m_frmHst, ServicedBy, QStringLiteral("Serviced By"),
           QStringLiteral("Name of the person that serviced the equipment"), rowTop(1), labelWidth, boxWidth);
    addBox(m_frmHst, PurchaseOrder, QStringLiteral("Last Purchase Order #"),
           QStringLiteral("Purchase number of the order when the replacement parts where ordered last"), rowTop(2),
           labelWidth, boxWidth);
    m_frmHst->hide();
}

void frmAdd::buildCustomFrame()
{
    using namespace Column;
    m_frmCustom = makeFrame("frmCustom", QStringLiteral("Custom Fields"), PartsLeft + PageShift,
                            FrameMargin + SmallFrameHeight + PageShift, RightFrameWidth, SmallFrameHeight);
    const QString tip = QStringLiteral("Custom field that user may define");
    int row = 0;
    for (int id : {Custom1, Custom2, Custom3}) {
        addBox(m_frmCustom, id, QStringLiteral("Custom %1").arg(row + 1), tip, rowTop(row), 2160, 2160);
        ++row;
    }
    m_frmCustom->hide();
}

void frmAdd::buildButtons()
{
    auto button = [&](const char *name, const QString &text, int slot) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        // In one row under the frames, the last at the right edge.
        setGeometryTwips(b, WindowWidth - (3 - slot) * (ButtonWidth + FrameMargin), ButtonTop, ButtonWidth,
                         ButtonHeight);
        return b;
    };
    m_cmdMore = button("cmdMore", QStringLiteral("More"), 0);
    m_cmdOK = button("cmdOK", QStringLiteral("Add"), 1);
    QPushButton *cancel = button("cmdCancel", QStringLiteral("Cancel"), 2);
    connect(m_cmdMore, &QPushButton::clicked, this, &frmAdd::togglePage);
    m_cmdOK->setDefault(true);
    connect(m_cmdOK, &QPushButton::clicked, this, &frmAdd::save);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
}

QWidget *frmAdd::box(int id) const
{
    return id >= 0 && id < ItemBox::Count ? m_boxes[std::size_t(id)] : nullptr;
}

void frmAdd::loadItem()
{
    greyHiddenColumns();
    if (isAddMode()) {
        setWindowTitle(QStringLiteral("Add Item"));
        m_cmdOK->setText(QStringLiteral("Add"));
    } else {
        setWindowTitle(QStringLiteral("Edit Item, ID = %1").arg(*m_itemId));
        m_cmdOK->setText(QStringLiteral("Edit"));
        runGuarded(this, QStringLiteral("read the item"), [this] {
            // First what the save compares with, so that a change while loading is not missed.
            m_read = itemFormStamp(db(), *m_itemId);
            if (const std::optional<ItemForm> stored = loadItemForm(db(), *m_itemId))
                showForm(*stored);
            m_parts.setStored(loadRepParts(db(), *m_itemId));
        });
    }
    m_flxRepParts->setColumnWidth(0, m_txtRepPartName->width());
    m_flxRepParts->setColumnWidth(1, m_txtRepPartNumber->width());
    showParts();
}

void frmAdd::greyHiddenColumns()
{
    const ColumnLayout &columns = gv().Columns;
    for (int id = 0; id < ItemBox::Count; ++id) {
        if (m_boxes[std::size_t(id)] && !columns.isShown(id))
            greyOut(m_boxes[std::size_t(id)]);
    }
    if (!columns.isShown(Column::ReplaceStock))
        greyOut(m_cmbReplaceStock);
}

void frmAdd::showForm(const ItemForm &form)
{
    for (int id = 0; id < ItemBox::Count; ++id) {
        if (QWidget *b = m_boxes[std::size_t(id)])
            setBoxText(b, form[id]);
    }
    setCompany(form.companyId, form.companyName);
    m_storedStock = form.stocked;
    m_cmbReplaceStock->setCurrentIndex(stockedListIndex(form.stocked));
}

ItemForm frmAdd::form() const
{
    ItemForm form;
    for (int id = 0; id < ItemBox::Count; ++id) {
        if (QWidget *b = m_boxes[std::size_t(id)])
            form[id] = boxText(b);
    }
    form.companyId = m_companyId;
    form.companyName = m_lblCoName->text();
    form.stocked = stockedToStore(m_cmbReplaceStock->currentIndex(), m_storedStock);
    return form;
}

void frmAdd::setCompany(qint64 companyId, const QString &name)
{
    m_companyId = companyId;
    m_lblCoName->setText(name);
}

void frmAdd::LoadCompany(qint64 companyId)
{
    runGuarded(this, QStringLiteral("read the company"), [&] {
        const CompanyRecord company = loadCompany(db(), companyId);
        setCompany(company.id, company.fields[CompanyBox::Name]);
    });
}

void frmAdd::showParts()
{
    m_flxRepParts->setRowCount(m_parts.count());
    for (int row = 0; row < m_parts.count(); ++row) {
        const RepPart &part = m_parts.at(row);
        m_flxRepParts->setItem(row, 0, new QTableWidgetItem(part.name));
        m_flxRepParts->setItem(row, 1, new QTableWidgetItem(part.number));
    }
}

void frmAdd::addPart()
{
    if (!m_parts.add(m_txtRepPartName->text(), m_txtRepPartNumber->text())) {
        MessageBox::information(this, QStringLiteral("A Part Name must be specified"));
        return;
    }
    showParts();
    m_txtRepPartName->clear();
    m_txtRepPartNumber->clear();
}

void frmAdd::togglePage()
{
    const bool toSecondPage = m_cmdMore->text() == u"More";
    if (toSecondPage) {
        m_cmdMore->setText(QStringLiteral("Back"));
        m_frmExtra->move(m_frmEquip->pos());
        m_frmHst->move(m_frmrepparts->x() + toPixels(PageShift), m_frmrepparts->y());
        m_frmCustom->move(m_frmHst->x(), m_frmHst->y() + m_frmHst->height() + toPixels(PageShift));
    } else {
        m_cmdMore->setText(QStringLiteral("More"));
    }
    for (QGroupBox *frame : {m_frmCustom, m_frmExtra, m_frmHst})
        frame->setVisible(toSecondPage);
    for (QGroupBox *frame : {m_frmEquip, m_frmAlarm, m_frmrepparts})
        frame->setVisible(!toSecondPage);
}

void frmAdd::selectCompany()
{
    frmCompanies *directory = showCompanyDirectory(frmCompanies::Mode::Select, this);
    connect(directory, &frmCompanies::companyChosen, this, &frmAdd::LoadCompany, Qt::UniqueConnection);
}

void frmAdd::openCalendar(int index)
{
    int id = 0;
    switch (index) {
    case 0: id = Column::ServiceDate; break;
    case 1: id = Column::DateServiced; break;
    case 2: id = Column::DateInstalled; break;
    default:
        MessageBox::critical(this, QStringLiteral("Case Else Error"));
        return;
    }
    lib_frmCal::GetValue(qobject_cast<QLineEdit *>(box(id)));
}

void frmAdd::save()
{
    const ItemForm values = form();
    const ItemCheck check = checkItem(values, Clock::today());
    for (const QString &message : check.messages)
        MessageBox::information(this, message);
    if (!check.canSave)
        return;

    // A new item's automatic history goes into the same transaction as the item, unless the
    // options ask the user first: then the item is stored before the questions.
    QVector<HistoryRequest> requests = isAddMode() ? newItemHistory(values) : QVector<HistoryRequest>();
    const bool asks = std::any_of(requests.cbegin(), requests.cend(), [&](const HistoryRequest &r) {
        return entryDecision(r.kind, m_settings.autoAddHistory, m_settings.askBeforeHistory) == EntryDecision::Ask;
    });
    QStringList historyTexts;
    if (!asks) {
        historyTexts = acceptedHistory(this, requests, m_settings); // nothing asks here
        requests.clear();
    }

    SavedItem result;
    const bool saved = runGuarded(this, QStringLiteral("save the item"), [&] {
        result = saveItemForm(db(), values, m_itemId, m_read, m_parts.newParts(), historyTexts);
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
            AddHistory(request.kind, HistoryTarget, savedId, request.text1, request.text2, m_settings);
    });
    emit itemSaved(savedId);
    close();
}

frmAdd *showItemEditor(frmAdd::ItemEditMode mode, qint64 itemId, const AppSettings &settings)
{
    return showOnce(editor, [&] { return new frmAdd(mode, itemId, settings); });
}

frmAdd *reopenItemEditor(frmAdd::ItemEditMode mode, qint64 itemId, const AppSettings &settings)
{
    closeNow(editor);
    return showItemEditor(mode, itemId, settings);
}

void closeItemEditor()
{
    closeNow(editor);
}

frmAdd *itemEditor()
{
    return editor;
}
