#include "frmCompanies.h"

#include "Company.h"
#include "frmAddCo.h"

#include "data/DatabaseADO.h"
#include "data/GlobalVars.h"
#include "platform/Twips.h"
#include "platform/WindowUtil.h"

#include <QHeaderView>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>

namespace {

QPointer<frmCompanies> directoryWindow;

constexpr int ButtonWidth = 1095; // twips, shared by the four buttons
constexpr int ButtonHeight = 375;

QPushButton *button(const char *name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->resize(Twips::toPixels(ButtonWidth), Twips::toPixels(ButtonHeight));
    return b;
}

// The grid shows multi-line text with plain line breaks.
QString cellText(const QString &text)
{
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

frmCompanies::frmCompanies(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmCompanies"));
    directoryWindow = this; // the editor refreshes the directory that is open
    const bool selectMode = gv().SelectCompanyMode;
    setWindowTitle(selectMode ? QStringLiteral("Select Company") : QStringLiteral("Companies"));

    grid = new QTableWidget(this);
    grid->setObjectName(QStringLiteral("flxCompanies"));
    grid->setAccessibleName(QStringLiteral("Companies"));
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Rows are painted by the click handler, not by the view's selection.
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setWordWrap(true);
    grid->verticalHeader()->hide();
    grid->move(0, 0);

    cmdSelect = button("cmdSelect", QStringLiteral("Select"), this);
    cmdAdd = button("cmdAdd", QStringLiteral("Add"), this);
    cmdEdit = button("cmdEdit", QStringLiteral("Edit"), this);
    cmdCancel = button("cmdCancel", QStringLiteral("Cancel"), this);
    cmdSelect->setVisible(selectMode);

    connect(grid, &QTableWidget::cellClicked, this, [this](int row, int) { rowClicked(row + 1); });
    connect(grid, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { rowDoubleClicked(row + 1); });
    connect(cmdSelect, &QPushButton::clicked, this, &frmCompanies::selectClicked);
    connect(cmdAdd, &QPushButton::clicked, this, &frmCompanies::addClicked);
    connect(cmdEdit, &QPushButton::clicked, this, &frmCompanies::editClicked);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);

    setupColumns();
    resize(Twips::toPixels(14400), Twips::toPixels(6000));
    LoadCompanies();
}

void frmCompanies::setupColumns()
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
    for (int column = 0; column < grid->columnCount(); ++column)
        grid->setColumnWidth(column, Twips::toPixels(companyColumnTwips(column, metrics)));
}

int frmCompanies::rows() const
{
    return grid->rowCount() + 1;
}

void frmCompanies::LoadCompanies()
{
    runGuarded(this, [this] {
        const QVector<CompanyRecord> companies = loadCompanies(db());
        if (companies.isEmpty()) {
            grid->setRowCount(0);
            MessageBox::information(this, QStringLiteral("No companies in database"));
            return;
        }
        const int count = int(companies.size());
        grid->setRowCount(count);
        QVector<int> ids(count + 2, 0);
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
                    cell->setForeground(QColor(Qt::black));
                    cell->setBackground(QColor(Qt::white));
                    grid->setItem(row - 1, column, cell);
                }
                cell->setText(cellText(texts[column]));
            }
            grid->setRowHeight(row - 1, Twips::toPixels(RowHeightTwips));
        }
        gv().CompanyIDs = ids;
    });
}

void frmCompanies::paintRow(int row, const QColor &text, const QColor &background)
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

void frmCompanies::rowClicked(int row)
{
    if (rows() > 1) {
        paintRow(row, QColor(255, 255, 255), palette().color(QPalette::Highlight));
        if (m_previousRow != row && !m_noHighlight)
            paintRow(m_previousRow, QColor(Qt::black), QColor(Qt::white));
        m_previousRow = row;
        m_highlightedRow = row;
        grid->setCurrentCell(row - 1, grid->currentColumn() < 0 ? 0 : grid->currentColumn());
    }
    m_noHighlight = false;
}

void frmCompanies::rowDoubleClicked(int row)
{
    if (gv().SelectCompanyMode)
        deliver(row);
    else
        openEditor(row);
}

void frmCompanies::selectClicked()
{
    if (m_noHighlight) {
        MessageBox::information(this, QStringLiteral("Please select an company"));
        return;
    }
    deliver(m_highlightedRow);
}

void frmCompanies::editClicked()
{
    if (m_noHighlight) {
        MessageBox::information(this, QStringLiteral("Please select an company to edit"));
        return;
    }
    openEditor(m_highlightedRow);
}

void frmCompanies::addClicked()
{
    gv().CompanyEditRow = 0;
    showCompanyEditor();
}

void frmCompanies::deliver(int row)
{
    // A list without companies has nothing to hand back.
    if (row < 1 || row >= rows())
        return;
    emit companySelected(gv().CompanyIDs.value(row));
    close();
}

void frmCompanies::openEditor(int row)
{
    if (row < 1 || row >= rows())
        return;
    gv().CompanyEditRow = row;
    showCompanyEditor();
}

void frmCompanies::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutControls();
}

void frmCompanies::layoutControls()
{
    // The rules measure the window's outer size; a window too small for them keeps its layout.
    const QSize outer = frameGeometry().size();
    const auto layout = companyLayout(Twips::fromPixels(outer.width()), Twips::fromPixels(outer.height()),
                                      Twips::fromPixels(cmdEdit->width()), Twips::fromPixels(cmdEdit->height()));
    if (!layout)
        return;
    auto px = [](int twips) { return Twips::toPixels(twips); };
    grid->resize(px(layout->gridWidth), px(layout->gridHeight));
    const int top = px(layout->buttonTop);
    cmdSelect->move(px(layout->selectLeft), top);
    cmdAdd->move(px(layout->addLeft), top);
    cmdEdit->move(px(layout->editLeft), top);
    cmdCancel->move(px(layout->cancelLeft), top);
}

frmCompanies *showCompanyDirectory(bool selectMode)
{
    gv().SelectCompanyMode = selectMode;
    return showOnce(directoryWindow, [] { return new frmCompanies; });
}

frmCompanies *companyDirectory()
{
    return directoryWindow;
}
