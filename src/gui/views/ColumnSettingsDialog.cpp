#include "ColumnSettingsDialog.h"

#include "EditRule.h"
#include "LookupDialog.h"

#include "core/platform/Twips.h"
#include "gui/platform/KeyFilter.h"
#include "gui/platform/Mnemonics.h"
#include "gui/platform/WindowUtil.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int RowHeightTwips = 285;
constexpr int LeastRows = 4;

// The headings, and the texts whose rendered widths give the list's column widths.
const char *const Headings[4] = {"Name", "Column", "Size", "Display"};
const char *const WidthTexts[4] = {"Equipment to be Locked   ", "Column   ", "Size       ", "Display     "};

} // namespace

ColumnSettingsDialog::ColumnSettingsDialog(Database &database, QWidget *parent)
    : QDialog(parent)
    , m_database(database)
{
    setObjectName(QStringLiteral("frmColumns"));
    setWindowTitle(QStringLiteral("Column Settings"));

    flxCols = new QTableWidget(this);
    flxCols->setObjectName(QStringLiteral("flxCols"));
    flxCols->setAccessibleName(QStringLiteral("Columns"));
    flxCols->setColumnCount(4);
    flxCols->verticalHeader()->hide();
    flxCols->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    flxCols->verticalHeader()->setDefaultSectionSize(Twips::toPixels(RowHeightTwips));
    flxCols->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    flxCols->horizontalHeader()->setHighlightSections(false);
    flxCols->setEditTriggers(QAbstractItemView::NoEditTriggers);
    flxCols->setSelectionMode(QAbstractItemView::SingleSelection);
    flxCols->setSelectionBehavior(QAbstractItemView::SelectRows);
    flxCols->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    int listWidth = 0;
    for (int c = 0; c < 4; ++c) {
        auto *heading = new QTableWidgetItem(QString::fromLatin1(Headings[c]));
        heading->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        flxCols->setHorizontalHeaderItem(c, heading);
        const int width = fontMetrics().horizontalAdvance(QString::fromLatin1(WidthTexts[c]));
        flxCols->setColumnWidth(c, width);
        listWidth += width;
    }

    // The in-cell editors live over the list's cells.
    m_cellEdit = new QLineEdit(flxCols->viewport());
    m_cellEdit->setObjectName(QStringLiteral("txtDataEntry"));
    m_cellEdit->setFrame(false);
    m_cellEdit->hide();
    cmbYN = new QComboBox(flxCols->viewport());
    cmbYN->setObjectName(QStringLiteral("cmbYN"));
    cmbYN->setAccessibleName(QStringLiteral("Display"));
    cmbYN->addItems({QStringLiteral("YES"), QStringLiteral("NO")});
    cmbYN->hide();

    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("cmdOK"));
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("cmdCancel"));
    m_okButton->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    // Shown on a server, where each technician keeps a layout of their own.
    m_ownCaption = new QLabel(QStringLiteral("Your own: column layout. The other technicians keep theirs."), this);
    m_ownCaption->setObjectName(QStringLiteral("lblOwnLayout"));
    m_ownCaption->setWordWrap(true);
    m_ownCaption->hide();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(flxCols);
    layout->addWidget(m_ownCaption);
    layout->addLayout(buttons);

    flxCols->setFixedWidth(listWidth + 2 * flxCols->frameWidth() + flxCols->verticalScrollBar()->sizeHint().width());

    filterTyping(m_cellEdit, [this](const QString &text, int keyChar) {
        if (keyChar == EnterKey) {
            commitEntry();
            return false;
        }
        return columnKeyAccepted(m_editedCell, text, keyChar);
    });
    holdEditsToRule(m_cellEdit, [this](const QString &before, const QString &after) {
        return columnEditAccepted(m_editedCell, before, after);
    });
    flxCols->installEventFilter(this);
    m_cellEdit->installEventFilter(this);
    cmbYN->installEventFilter(this);
    // Tab leaves the list for the buttons; the arrows move within it.
    flxCols->setTabKeyNavigation(false);

    connect(flxCols, &QTableWidget::cellClicked, this, &ColumnSettingsDialog::cellClicked);
    connect(flxCols->verticalScrollBar(), &QScrollBar::valueChanged, this, &ColumnSettingsDialog::followScroll);
    connect(cmbYN, &QComboBox::activated, this, &ColumnSettingsDialog::displayChosen);
    connect(m_okButton, &QPushButton::clicked, this, &ColumnSettingsDialog::save);
    connect(m_cancelButton, &QPushButton::clicked, this, &QWidget::close);
    Mnemonics::give(this);
}

void ColumnSettingsDialog::load()
{
    runGuarded(this, QStringLiteral("read the column settings"), [this] { m_settings = ColumnSettings::read(m_database); });
    flxCols->setRowCount(m_settings.rowCount());
    showAllRows();
    m_ownCaption->setVisible(m_settings.technicianOwn());
    // The window opens with the whole list where the screen has room for it; on a smaller screen
    // (large fonts) the list scrolls and keeps a few rows.
    const int listTop = flxCols->horizontalHeader()->sizeHint().height() + 2 * flxCols->frameWidth();
    flxCols->setMinimumHeight(listTop + m_settings.rowCount() * Twips::toPixels(RowHeightTwips));
    const QSize whole = sizeHint();
    flxCols->setMinimumHeight(listTop + LeastRows * Twips::toPixels(RowHeightTwips));
    resize(whole);
}

void ColumnSettingsDialog::showRow(int row)
{
    const ColumnSettings::Row &settings = m_settings.row(row);
    const QString texts[4] = {settings.name, settings.place, settings.size,
                              settings.shown() ? QStringLiteral("YES") : QStringLiteral("NO")};
    for (int c = 0; c < 4; ++c) {
        QTableWidgetItem *item = flxCols->item(row, c);
        if (!item) {
            item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            flxCols->setItem(row, c, item);
        }
        item->setText(texts[c]);
    }
}

void ColumnSettingsDialog::showAllRows()
{
    for (int row = 0; row < m_settings.rowCount(); ++row)
        showRow(row);
}

void ColumnSettingsDialog::setEditorGeometry(QWidget *editor, int row, int column, int widthLessTwips)
{
    QRect cell = flxCols->visualRect(flxCols->model()->index(row, column));
    cell.setWidth(cell.width() - Twips::toPixels(widthLessTwips));
    editor->setGeometry(cell);
}

void ColumnSettingsDialog::placeEditor(QWidget *editor, int row, int column, int widthLessTwips)
{
    setEditorGeometry(editor, row, column, widthLessTwips);
    editor->show();
    editor->raise();
    editor->setFocus();
}

void ColumnSettingsDialog::cellClicked(int row, int column)
{
    if (row < 0 || row >= m_settings.rowCount())
        return;
    flxCols->setCurrentCell(row, column);
    switch (column) {
    case ColumnSettings::PlaceCell:
    case ColumnSettings::SizeCell:
        cmbYN->hide();
        if (!m_settings.row(row).shown()) {
            m_cellEdit->hide(); // a hidden column has no place or width
            return;
        }
        m_editedCell = ColumnSettings::Cell(column);
        m_cellEdit->setAccessibleName(QString::fromLatin1(Headings[column]));
        m_cellEdit->setText(flxCols->item(row, column)->text());
        placeEditor(m_cellEdit, row, column, 0);
        m_cellEdit->selectAll();
        return;
    case ColumnSettings::DisplayCell:
        m_cellEdit->hide();
        cmbYN->setCurrentIndex(m_settings.row(row).shown() ? 0 : 1);
        placeEditor(cmbYN, row, column, 50);
        return;
    default:
        m_cellEdit->hide();
        cmbYN->hide();
        return;
    }
}

// An open editor stays over its cell as the list scrolls (the window may be shorter than the
// list), keeping what is typed for Enter or OK.
void ColumnSettingsDialog::followScroll()
{
    const int row = flxCols->currentRow();
    if (!m_cellEdit->isHidden())
        setEditorGeometry(m_cellEdit, row, m_editedCell, 0);
    if (!cmbYN->isHidden())
        setEditorGeometry(cmbYN, row, ColumnSettings::DisplayCell, 50);
}

void ColumnSettingsDialog::commitEntry()
{
    if (m_cellEdit->isHidden())
        return;
    const int row = flxCols->currentRow();
    const QString message = m_settings.validate(row, m_editedCell, m_cellEdit->text());
    if (!message.isEmpty()) {
        MessageBox::fault(m_cellEdit, message); // the box stays open with its text
        return;
    }
    m_cellEdit->hide();
    showAllRows(); // a new place swaps with the column that held it
    flxCols->setFocus();
}

void ColumnSettingsDialog::displayChosen(int index)
{
    const int row = flxCols->currentRow();
    m_settings.setShown(row, index == 0);
    showAllRows();
}

void ColumnSettingsDialog::save()
{
    // A place or width still being typed counts as entered.
    if (m_cellEdit->isVisible()) {
        commitEntry();
        if (m_cellEdit->isVisible())
            return;
    }
    bool written = false;
    if (!runGuarded(this, QStringLiteral("save the column settings"), [&] { written = m_settings.write(m_database); }))
        return;
    if (!written) {
        MessageBox::information(this, QString::fromLatin1(ColumnsChangedText));
        return;
    }
    close();
    emit columnsSaved();
}

bool ColumnSettingsDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Esc in a cell's editor drops that edit only; the next Esc closes the window.
    if ((watched == m_cellEdit || watched == cmbYN) && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        static_cast<QWidget *>(watched)->hide();
        flxCols->setFocus();
        return true;
    }
    // From the keyboard, Enter or F2 on a cell does what a click does.
    if (watched == flxCols && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F2) {
            cellClicked(flxCols->currentRow(), flxCols->currentColumn());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
