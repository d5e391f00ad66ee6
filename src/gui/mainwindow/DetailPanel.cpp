#include "DetailPanel.h"

#include "core/companies/Company.h"
#include "core/db/Recordset.h"
#include "core/platform/DesktopUrl.h"
#include "core/platform/LineEnds.h"
#include "core/platform/Twips.h"
#include "core/records/History.h"
#include "gui/platform/Desktop.h"
#include "gui/platform/PlainText.h"
#include "gui/records/EntryGrid.h"

#include <QBoxLayout>
#include <QEvent>
#include <QGridLayout>
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

void setLinkStyle(QLabel *label)
{
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    // The link colour of the palette: blue on a light window, and still readable on a dark one.
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Link));
    label->setPalette(palette);
    label->setCursor(Qt::PointingHandCursor);
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

    m_more = new QPushButton(QStringLiteral("More"), this);
    m_more->setObjectName(QStringLiteral("cmdChangeCo"));
    connect(m_more, &QPushButton::clicked, this, &CompanyPane::toggleCompanyPage);

    placeLines();
    showPage(true);
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
    if (m_more->text() == u"More") {
        m_more->setText(QStringLiteral("Back"));
        showPage(false);
    } else {
        m_more->setText(QStringLiteral("More"));
        showPage(true);
    }
}

void CompanyPane::showCompany(qint64 companyId)
{
    const CompanyRecord company = loadCompany(m_database, companyId);
    const auto &f = company.fields;
    m_name->setText(f[CompanyBox::Name]);
    m_street1->setText(f[CompanyBox::Street1]);
    m_street2->setText(f[CompanyBox::Street2]);
    m_city->setText(f[CompanyBox::City] + QStringLiteral(", ") + f[CompanyBox::State] + QStringLiteral("  ")
                    + f[CompanyBox::Zip]);
    m_phone1->setText(f[CompanyBox::Phone1]);
    m_email->setText(f[CompanyBox::Email]);
    m_contact->setText(f[CompanyBox::Contact]);
    m_web->setText(f[CompanyBox::Website]);
    m_phone2->setText(f[CompanyBox::Phone2]);
    m_notes->setText(LineEnds::toShown(f[CompanyBox::Notes]));
}

void CompanyPane::clear()
{
    for (QLabel *label : {m_name, m_street1, m_street2, m_city, m_phone1, m_email, m_contact, m_web, m_phone2, m_notes})
        label->clear();
}

QString CompanyPane::valueText(const char *labelName) const
{
    const QLabel *label = findChild<QLabel *>(QString::fromLatin1(labelName));
    return label ? label->text() : QString();
}

bool CompanyPane::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        // Only a mail address or a web address is handed to the desktop, never a local path.
        if (watched == m_email)
            Desktop::open(DesktopUrl::forEmail(m_email->text()));
        else if (watched == m_web)
            Desktop::open(DesktopUrl::forWebSite(m_web->text()));
    }
    return QGroupBox::eventFilter(watched, event);
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

    m_change = new QPushButton(QStringLiteral("View Notes"), this);
    m_change->setObjectName(QStringLiteral("cmdChange"));
    m_addHistory = new QPushButton(QStringLiteral("Add History"), this);
    m_addHistory->setObjectName(QStringLiteral("cmdAddHst"));
    m_addNote = new QPushButton(QStringLiteral("Add Note"), this);
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
    return m_change->text() == u"View History";
}

void HistoryPane::toggleView()
{
    const bool toNotes = !showingNotes();
    m_title->setText(toNotes ? QStringLiteral("Notes") : QStringLiteral("History"));
    m_history->setVisible(!toNotes);
    m_addHistory->setVisible(!toNotes);
    m_notes->setVisible(toNotes);
    m_addNote->setVisible(toNotes);
    m_change->setText(toNotes ? QStringLiteral("View History") : QStringLiteral("View Notes"));
}
