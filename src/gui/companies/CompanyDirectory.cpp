#include "CompanyDirectory.h"

#include "DirectoryLayout.h"

#include "core/companies/Company.h"
#include "core/companies/CompanyStore.h"
#include "core/platform/LineEnds.h"
#include "core/platform/Twips.h"
#include "gui/platform/Appearance.h"
#include "gui/platform/LongText.h"
#include "gui/platform/Mnemonics.h"
#include "gui/platform/WindowUtil.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

namespace {

constexpr int ButtonWidth = 1095; // twips, shared by the four buttons
constexpr int ButtonHeight = 375;

QPushButton *button(const char *name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->resize(Twips::toPixels(ButtonWidth), Twips::toPixels(ButtonHeight));
    return b;
}

} // namespace

CompanyDirectory::CompanyDirectory(Database &database, Mode mode, QWidget *editor, QWidget *parent)
    : QDialog(parent)
    , m_database(database)
    , m_mode(mode)
    , m_editor(editor)
{
    setObjectName(QStringLiteral("frmCompanies"));
    const bool selectMode = mode == Mode::Select;
    setWindowTitle(selectMode ? QStringLiteral("Select Company") : QStringLiteral("Companies"));
    // A directory that chooses for an editor has nothing to do once that editor is gone.
    if (selectMode && editor)
        connect(editor, &QObject::destroyed, this, &QWidget::close);

    grid = new QTableWidget(this);
    grid->setObjectName(QStringLiteral("flxCompanies"));
    grid->setAccessibleName(QStringLiteral("Companies"));
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Rows are painted by the click handler, not by the view's selection.
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setWordWrap(true);
    // Tab leaves the grid; the arrows move within it.
    grid->setTabKeyNavigation(false);
    noAutomaticCurrent(grid);
    grid->verticalHeader()->hide();
    grid->move(0, 0);

    m_selectButton = button("cmdSelect", QStringLiteral("Select"), this);
    m_addButton = button("cmdAdd", QStringLiteral("Add"), this);
    m_editButton = button("cmdEdit", QStringLiteral("Edit"), this);
    m_cancelButton = button("cmdCancel", QStringLiteral("Cancel"), this);
    m_selectButton->setVisible(selectMode);
    // Enter on a chosen row does what a double-click does.
    (selectMode ? m_selectButton : m_editButton)->setDefault(true);

    connect(grid, &QTableWidget::cellClicked, this, [this](int row, int) { rowClicked(row + 1); });
    // A row reached with the arrows or by typing its first letters counts as clicked.
    connect(grid, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (row >= 0)
            rowClicked(row + 1);
    });
    connect(grid, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { rowDoubleClicked(row + 1); });
    connect(m_selectButton, &QPushButton::clicked, this, &CompanyDirectory::selectClicked);
    connect(m_addButton, &QPushButton::clicked, this, [this] { emit companyEditorWanted(0); });
    connect(m_editButton, &QPushButton::clicked, this, &CompanyDirectory::editClicked);
    connect(m_cancelButton, &QPushButton::clicked, this, &QWidget::close);

    setupColumns();
    // Never smaller than the layout rules allow: the four buttons in a row over a grid row.
    setMinimumSize(Twips::toPixels(5 * 200 + 4 * ButtonWidth), Twips::toPixels(3 * ButtonHeight + 300 + RowHeightTwips));
    resize(Twips::toPixels(14400), Twips::toPixels(6000));
    Mnemonics::give(this);
}

void CompanyDirectory::setupColumns()
{
    const auto &columns = companyColumns();
    grid->setColumnCount(int(columns.size()));
    QStringList titles;
    for (const CompanyColumn &column : columns)
        titles << QString::fromLatin1(column.title);
    grid->setHorizontalHeaderLabels(titles);
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Widths come once from sample texts in the window's font and stay as they are.
    const QFontMetrics metrics(font());
    for (int column = 0; column < grid->columnCount(); ++column) {
        const int samplePixels = metrics.horizontalAdvance(QString::fromLatin1(columns.at(std::size_t(column)).sample));
        grid->setColumnWidth(column, Twips::toPixels(companyColumnTwips(column, samplePixels)));
    }
}

int CompanyDirectory::rows() const
{
    return grid->rowCount() + 1;
}

qint64 CompanyDirectory::companyIdAt(int row) const
{
    return row >= 1 && row < m_companyIds.size() ? m_companyIds.at(row) : 0;
}

void CompanyDirectory::load()
{
    runGuarded(this, QStringLiteral("read the companies"), [this] {
        const QVector<CompanyRecord> companies = loadCompanies(m_database);
        if (companies.isEmpty()) {
            grid->setRowCount(0);
            m_companyIds.clear();
            MessageBox::information(this, QStringLiteral("No companies in database"));
            return;
        }
        const int count = int(companies.size());
        grid->setRowCount(count);
        QVector<qint64> ids(count + 2, 0);
        for (int row = 1; row <= count; ++row) {
            const CompanyRecord &company = companies.at(row - 1);
            const QString *f = company.fields;
            ids[row] = company.id;
            const QString texts[8] = {f[CompanyBox::Name], companyAddressText(company), f[CompanyBox::Phone1],
                                      f[CompanyBox::Phone2], f[CompanyBox::Email], f[CompanyBox::Website],
                                      f[CompanyBox::Contact], f[CompanyBox::Notes]};
            for (int column = 0; column < 8; ++column) {
                QTableWidgetItem *cell = grid->item(row - 1, column);
                if (!cell) {
                    cell = new QTableWidgetItem;
                    cell->setFlags(Qt::ItemIsEnabled);
                    cell->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
                    cell->setForeground(palette().color(QPalette::Text));
                    cell->setBackground(palette().color(QPalette::Base));
                    grid->setItem(row - 1, column, cell);
                }
                cell->setText(LongText::shownPart(LineEnds::toShown(texts[column])));
            }
            grid->setRowHeight(row - 1, Twips::toPixels(RowHeightTwips));
        }
        m_companyIds = ids;
    });
}

void CompanyDirectory::paintRow(int row, const QColor &text, const QColor &background)
{
    if (row < 1 || row >= rows())
        return;
    for (int column = 0; column < grid->columnCount(); ++column) {
        if (QTableWidgetItem *cell = grid->item(row - 1, column)) {
            cell->setForeground(text);
            cell->setBackground(background);
        }
    }
}

void CompanyDirectory::rowClicked(int row)
{
    if (rows() > 1) {
        const QColor highlight = palette().color(QPalette::Highlight);
        paintRow(row, Appearance::textOn(highlight), highlight);
        if (m_previousRow != row && !m_noHighlight)
            paintRow(m_previousRow, palette().color(QPalette::Text), palette().color(QPalette::Base));
        m_previousRow = row;
        m_highlightedRow = row;
        grid->setCurrentCell(row - 1, grid->currentColumn() < 0 ? 0 : grid->currentColumn());
    }
    m_noHighlight = false;
}

void CompanyDirectory::rowDoubleClicked(int row)
{
    if (m_mode == Mode::Select)
        deliver(row);
    else if (row >= 1 && row < rows())
        emit companyEditorWanted(companyIdAt(row));
}

void CompanyDirectory::selectClicked()
{
    if (m_noHighlight) {
        MessageBox::fault(grid, QStringLiteral("Please select an company"));
        return;
    }
    deliver(m_highlightedRow);
}

void CompanyDirectory::editClicked()
{
    if (m_noHighlight) {
        MessageBox::fault(grid, QStringLiteral("Please select an company to edit"));
        return;
    }
    emit companyEditorWanted(companyIdAt(m_highlightedRow));
}

void CompanyDirectory::deliver(int row)
{
    // A list without companies has nothing to hand back.
    if (row < 1 || row >= rows())
        return;
    emit companyChosen(companyIdAt(row));
    close();
}

void CompanyDirectory::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    layoutControls();
}

void CompanyDirectory::layoutControls()
{
    // The rules measure the window's outer size; a window too small for them keeps its layout.
    const QSize outer = frameGeometry().size();
    const auto layout = companyLayout(Twips::fromPixels(outer.width()), Twips::fromPixels(outer.height()),
                                      Twips::fromPixels(m_editButton->width()), Twips::fromPixels(m_editButton->height()));
    if (!layout)
        return;
    grid->resize(Twips::toPixels(layout->gridWidth), Twips::toPixels(layout->gridHeight));
    const int top = Twips::toPixels(layout->buttonTop);
    m_selectButton->move(Twips::toPixels(layout->selectLeft), top);
    m_addButton->move(Twips::toPixels(layout->addLeft), top);
    m_editButton->move(Twips::toPixels(layout->editLeft), top);
    m_cancelButton->move(Twips::toPixels(layout->cancelLeft), top);
}
