#include "DetailPanel.h"

#include "core/companies/Company.h"
#include "core/companies/CompanyStore.h"
#include "core/platform/DesktopUrl.h"
#include "core/platform/LineEnds.h"
#include "core/platform/Twips.h"
#include "core/records/History.h"
#include "core/records/RecordStore.h"
#include "gui/platform/Appearance.h"
#include "gui/platform/Desktop.h"
#include "gui/platform/LongText.h"
#include "gui/platform/PlainText.h"
#include "gui/records/EntryGrid.h"

#include <QBoxLayout>
#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>

namespace {

using Twips::toPixels;

// The panes' historic sizes, in twips: they take them where the window has room.
constexpr int CompanyPaneWidth = 5400;
constexpr int HistoryPaneWidth = 7200;
constexpr int PaneHeight = 2700;

// The company pane's lines by their place in its grid: the contact, the first of the notes and
// the empty line below the contact that takes the room the pane has beyond its lines.
constexpr int ContactLine = 6;
constexpr int NotesLine = 2;
constexpr int LastLine = 7;

// History pane, in twips inside the frame.
constexpr int GridLeft = 120;
constexpr int GridWidth = 6960;
constexpr int ButtonWidth = 1300;
constexpr int DateColumnWidth = 1300;
constexpr int HistoryRowHeight = 570;
constexpr int NoteRowHeight = 285;

// A link reads as one on light and dark windows; while it has the keyboard it is drawn on the
// highlight, as a chosen row is.
void paintLink(QLabel *label, bool focused)
{
    QPalette palette = QGuiApplication::palette();
    const QColor highlight = palette.color(QPalette::Highlight);
    palette.setColor(QPalette::WindowText, focused ? Appearance::textOn(highlight, palette.color(QPalette::HighlightedText)) : Appearance::linkColour(palette));
    palette.setColor(QPalette::Window, highlight);
    label->setAutoFillBackground(focused);
    label->setPalette(palette);
}

void setLinkStyle(QLabel *label)
{
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    paintLink(label, false);
    label->setCursor(Qt::PointingHandCursor);
}

// Tab reaches a link that shows an address, and Enter opens it.
void showLink(QLabel *label, const QString &address)
{
    label->setText(LongText::shownPart(address));
    label->setFocusPolicy(address.isEmpty() ? Qt::NoFocus : Qt::StrongFocus);
}

} // namespace

DetailPane::DetailPane(const QString &title, int widthTwips, QWidget *parent)
    : QGroupBox(title, parent)
    , m_widthTwips(widthTwips)
{
}

QSize DetailPane::sizeHint() const
{
    return QSize(toPixels(m_widthTwips), qMin(toPixels(PaneHeight), m_room)).expandedTo(minimumSizeHint());
}

void DetailPane::setRoom(int height)
{
    if (height != m_room) {
        m_room = height;
        updateGeometry();
    }
}

CompanyPane::CompanyPane(Database &database, QWidget *parent)
    : DetailPane(QStringLiteral("Vendor Company Information"), CompanyPaneWidth, parent)
    , m_database(database)
{
    setObjectName(QStringLiteral("frmInv2"));
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred); // as high as the other pane
    caption("lblCo0", QStringLiteral("Company Name"), 0);
    caption("lblCo1", QStringLiteral("Address"), 1);
    caption("lblCo2", QStringLiteral("Phone"), 2);
    caption("lblCo3", QStringLiteral("Fax"), 3);
    caption("lblCo4", QStringLiteral("E-mail"), 4);
    caption("lblCo5", QStringLiteral("Web Site"), 5);
    caption("lblCo6", QStringLiteral("Contact"), 6);
    m_notesCaption = caption("lblNotesFix", QStringLiteral("Notes"), -1);

    m_name = value("lblName");
    m_street1 = value("lblStreet1");
    m_street2 = value("lblStreet2");
    m_city = value("lblCity");
    m_phone1 = value("lblPhone1");
    m_email = value("lblEmail");
    m_contact = value("lblContact");
    m_web = value("lblWeb");
    m_phone2 = value("lblPhone2");
    m_notes = value("lblNotes");
    m_notes->setWordWrap(true);
    m_notes->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_notes->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored); // long notes are cut off below
    m_contact->setAlignment(Qt::AlignLeft | Qt::AlignTop); // in line with its caption beside the button
    setLinkStyle(m_email);
    setLinkStyle(m_web);
    m_email->installEventFilter(this);
    m_web->installEventFilter(this);

    m_more = new QPushButton(QStringLiteral("&More"), this);
    m_more->setObjectName(QStringLiteral("cmdChangeCo"));
    connect(m_more, &QPushButton::clicked, this, &CompanyPane::toggleCompanyPage);

    // Each value is named by its caption, for a screen reader.
    const std::pair<QLabel *, QLabel *> named[] = {{m_captions[0], m_name}, {m_captions[1], m_street1}, {m_captions[2], m_phone1}, {m_captions[3], m_phone2}, {m_captions[4], m_email}, {m_captions[5], m_web}, {m_captions[6], m_contact}, {m_notesCaption, m_notes}};
    for (const auto &[caption, value] : named)
        value->setAccessibleName(caption->text());
    m_street2->setAccessibleName(QStringLiteral("Address, second line"));
    m_city->setAccessibleName(QStringLiteral("Address, city"));

    placeLines();
    showPage(true);
    // Tab goes from the e-mail link (on the first page) or the web link (on the second) to the button.
    setTabOrder(m_email, m_web);
    setTabOrder(m_web, m_more);
}

QLabel *CompanyPane::caption(const char *name, const QString &text, int index)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    if (index >= 0)
        m_captions[index] = label;
    return label;
}

QLabel *CompanyPane::value(const char *name)
{
    auto *label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(name));
    showPlainText(label);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long value is cut off at the pane's edge rather than widening the pane.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return label;
}

void CompanyPane::placeLines()
{
    // Both pages in one grid, the second over the first: "Web Site" on the company name's line,
    // "Fax" on the address's, the notes from below the address down to the pane's foot. Hidden
    // lines keep their room, so the pane, its caption column and the button, at its lower right
    // beside the contact or the notes, stay where they are when the page changes.
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setVerticalSpacing(0);
    grid->setColumnStretch(1, 1);
    const std::pair<QLabel *, QLabel *> lines[] = {
        {m_captions[0], m_name}, {m_captions[1], m_street1}, {nullptr, m_street2}, {nullptr, m_city}, {m_captions[2], m_phone1}, {m_captions[4], m_email}, {m_captions[6], m_contact}};
    int row = 0;
    for (const auto &[caption, value] : lines) {
        if (caption)
            grid->addWidget(caption, row, 0, Qt::AlignTop);
        grid->addWidget(value, row, 1, 1, value == m_contact ? 1 : 2);
        ++row;
    }
    grid->addWidget(m_captions[5], 0, 0, Qt::AlignTop);
    grid->addWidget(m_web, 0, 1, 1, 2);
    grid->addWidget(m_captions[3], 1, 0, Qt::AlignTop);
    grid->addWidget(m_phone2, 1, 1, 1, 2);
    grid->addWidget(m_notesCaption, NotesLine, 0, Qt::AlignTop);
    grid->addWidget(m_notes, NotesLine, 1, LastLine - NotesLine + 1, 1);
    grid->addWidget(m_more, ContactLine, 2, LastLine - ContactLine + 1, 1, Qt::AlignRight | Qt::AlignBottom);
    grid->setRowStretch(LastLine, 1); // the room below the lines
    for (QWidget *line : findChildren<QLabel *>()) {
        QSizePolicy policy = line->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        line->setSizePolicy(policy);
    }
}

void CompanyPane::showPage(bool first)
{
    for (QLabel *label : {m_captions[0], m_captions[1], m_captions[2], m_captions[4], m_captions[6], m_name,
                          m_street1, m_street2, m_city, m_phone1, m_email, m_contact})
        label->setVisible(first);
    for (QLabel *label : {m_captions[5], m_captions[3], m_notesCaption, m_web, m_phone2, m_notes})
        label->setVisible(!first);
}

void CompanyPane::toggleCompanyPage()
{
    const bool toSecondPage = !m_name->isHidden();
    m_more->setText(toSecondPage ? QStringLiteral("&Back") : QStringLiteral("&More"));
    showPage(!toSecondPage);
}

void CompanyPane::showCompany(qint64 companyId)
{
    const CompanyRecord company = loadCompany(m_database, companyId);
    const auto &f = company.fields;
    const auto show = [](QLabel *label, const QString &text) { label->setText(LongText::shownPart(text)); };
    show(m_name, f[CompanyBox::Name]);
    show(m_street1, f[CompanyBox::Street1]);
    show(m_street2, f[CompanyBox::Street2]);
    show(m_city, f[CompanyBox::City] + QStringLiteral(", ") + f[CompanyBox::State] + QStringLiteral("  ") + f[CompanyBox::Zip]);
    show(m_phone1, f[CompanyBox::Phone1]);
    show(m_contact, f[CompanyBox::Contact]);
    show(m_phone2, f[CompanyBox::Phone2]);
    show(m_notes, LineEnds::toShown(f[CompanyBox::Notes]));
    // The links keep their whole addresses, which the desktop is given.
    m_emailAddress = f[CompanyBox::Email];
    m_webAddress = f[CompanyBox::Website];
    showLink(m_email, m_emailAddress);
    showLink(m_web, m_webAddress);
}

QWidget *CompanyPane::firstInTabOrder() const
{
    return m_email;
}

void CompanyPane::clear()
{
    for (QLabel *label : {m_name, m_street1, m_street2, m_city, m_phone1, m_email, m_contact, m_web, m_phone2, m_notes})
        label->clear();
    m_emailAddress.clear();
    m_webAddress.clear();
    showLink(m_email, QString());
    showLink(m_web, QString());
}

QString CompanyPane::valueText(const char *labelName) const
{
    const QLabel *label = findChild<QLabel *>(QString::fromLatin1(labelName));
    return label ? label->text() : QString();
}

bool CompanyPane::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_email && watched != m_web)
        return QGroupBox::eventFilter(watched, event);
    bool open = event->type() == QEvent::MouseButtonPress;
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        open = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
    } else if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        paintLink(static_cast<QLabel *>(watched), event->type() == QEvent::FocusIn);
    }
    if (!open)
        return QGroupBox::eventFilter(watched, event);
    // Only a mail address or a web address is handed to the desktop, never a local path.
    if (watched == m_email)
        Desktop::open(DesktopUrl::forEmail(m_emailAddress));
    else
        Desktop::open(DesktopUrl::forWebSite(m_webAddress));
    return event->type() == QEvent::KeyPress;
}

HistoryPane::HistoryPane(Database &database, QWidget *parent)
    : DetailPane(QString(), HistoryPaneWidth, parent)
    , m_database(database)
{
    setObjectName(QStringLiteral("frmInv3"));
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred); // as high as the other pane
    m_title = new QLabel(QStringLiteral("History"), this);
    m_title->setObjectName(QStringLiteral("Label19_0"));
    QFont bold = m_title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    m_title->setFont(bold);

    m_history = makeGrid("flxHistory");
    m_notes = makeGrid("flxNotes");
    m_history->setAccessibleName(QStringLiteral("History"));
    m_notes->setAccessibleName(QStringLiteral("Notes"));
    m_history->setWordWrap(true);
    m_notes->hide();

    m_change = new QPushButton(QStringLiteral("Vi&ew Notes"), this);
    m_change->setObjectName(QStringLiteral("cmdChange"));
    m_addHistory = new QPushButton(QStringLiteral("&Add History"), this);
    m_addHistory->setObjectName(QStringLiteral("cmdAddHst"));
    m_addNote = new QPushButton(QStringLiteral("Add &Note"), this);
    m_addNote->setObjectName(QStringLiteral("cmdAddNote"));
    m_addNote->hide();
    connect(m_change, &QPushButton::clicked, this, &HistoryPane::toggleView);

    // The title and the buttons on one line, the grid below; the two grids and the two add
    // buttons share their places, one of each shown.
    auto *top = new QHBoxLayout;
    top->addWidget(m_title);
    top->addStretch(1);
    for (QPushButton *button : {m_addHistory, m_addNote, m_change}) {
        button->setMinimumWidth(toPixels(ButtonWidth));
        top->addWidget(button);
    }
    auto *pane = new QVBoxLayout(this);
    const int margin = toPixels(GridLeft);
    pane->setContentsMargins(margin, margin, margin, margin);
    pane->addLayout(top);
    pane->addWidget(m_history, 1);
    pane->addWidget(m_notes, 1);
}

EntryGrid *HistoryPane::makeGrid(const char *name)
{
    auto *grid = new EntryGrid(name, toPixels(DateColumnWidth), this);
    // The history's descriptions are as wide as the grid; the notes' five times that.
    const int descriptionWidth = toPixels(GridWidth) * (qstrcmp(name, "flxNotes") == 0 ? 5 : 1);
    grid->setColumnWidth(1, descriptionWidth);
    return grid;
}

void HistoryPane::fill(EntryGrid *grid, EntryTarget target, qint64 itemId, int rowHeightTwips)
{
    grid->fill(loadEntries(m_database, target, itemId), toPixels(rowHeightTwips));
}

void HistoryPane::loadHistory(qint64 itemId)
{
    fill(m_history, HistoryTarget, itemId, HistoryRowHeight);
}

void HistoryPane::loadNotes(qint64 itemId)
{
    fill(m_notes, NotesTarget, itemId, NoteRowHeight);
}

void HistoryPane::clear()
{
    m_history->setRowCount(0);
    m_notes->setRowCount(0);
}

bool HistoryPane::showingNotes() const
{
    return !m_notes->isHidden();
}

void HistoryPane::toggleView()
{
    const bool toNotes = !showingNotes();
    m_title->setText(toNotes ? QStringLiteral("Notes") : QStringLiteral("History"));
    m_history->setVisible(!toNotes);
    m_addHistory->setVisible(!toNotes);
    m_notes->setVisible(toNotes);
    m_addNote->setVisible(toNotes);
    m_change->setText(toNotes ? QStringLiteral("Vi&ew History") : QStringLiteral("Vi&ew Notes"));
}
