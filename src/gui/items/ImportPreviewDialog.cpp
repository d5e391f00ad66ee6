#include "ImportPreviewDialog.h"

#include "core/platform/Utility.h"
#include "core/records/History.h"
#include "core/settings/AppContext.h"
#include "core/settings/AppPaths.h"
#include "gui/platform/FileDialog.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/Mnemonics.h"
#include "gui/platform/PlainText.h"
#include "gui/platform/WindowUtil.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const char *const ImportCaption =
    "Import Items from CSV: the first line holds headings as Export All Fields as CSV writes them"
    " (Help > Contents lists them)";

// A file this large is no item list a spreadsheet wrote.
constexpr qint64 MostBytes = 256 * 1024 * 1024;

// One line of a cell, short enough to draw quickly whatever the file held.
QString cellLine(const QString &text)
{
    constexpr qsizetype Most = 100;
    const qsizetype newline = text.indexOf(u'\n');
    const qsizetype end = qMin(newline < 0 ? text.size() : newline, Most);
    return end < text.size() ? text.left(end) + QStringLiteral(" ...") : text;
}

// The rows as they will be stored: the record's place in the file, the stored columns of the
// file in its order, and what is wrong or worth knowing.
class PreviewModel : public QAbstractTableModel
{
public:
    PreviewModel(const ImportPreview &preview, QObject *parent)
        : QAbstractTableModel(parent)
        , m_preview(preview)
    {
        for (qsizetype c = 0; c < preview.columns.size(); ++c) {
            if (preview.columns.at(c) >= 0 && preview.columns.at(c) < ItemBox::Count)
                m_shown << int(c);
        }
    }

    int rowCount(const QModelIndex & = QModelIndex()) const override { return int(m_preview.rows.size()); }
    int columnCount(const QModelIndex & = QModelIndex()) const override { return int(m_shown.size()) + 2; }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return QVariant();
        if (section == 0)
            return QStringLiteral("Line");
        if (section == columnCount() - 1)
            return QStringLiteral("Problems");
        return m_preview.headings.at(m_shown.at(section - 1));
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        const ImportRow &row = m_preview.rows.at(index.row());
        switch (role) {
        case Qt::DisplayRole:
            return cellLine(text(row, index.column()));
        case Qt::ToolTipRole:
            return index.column() == columnCount() - 1 ? text(row, index.column()) : QVariant();
        // A row with problems is marked light red, as an alarm past its date is; the others
        // keep the list's colours.
        case Qt::BackgroundRole:
            return row.problems.isEmpty() ? QVariant() : QVariant(QColor(255, 192, 192));
        case Qt::ForegroundRole:
            return row.problems.isEmpty() ? QVariant() : QVariant(QColor(Qt::black));
        default:
            return QVariant();
        }
    }

private:
    QString text(const ImportRow &row, int column) const
    {
        if (column == 0)
            return QString::number(row.line);
        if (column == columnCount() - 1)
            return (row.problems + row.notes).join(QStringLiteral("; "));
        const int id = m_preview.columns.at(m_shown.at(column - 1));
        switch (id) {
        case Column::RepParts:
            return joinRepParts(row.parts, QStringLiteral("; ")).chopped(row.parts.isEmpty() ? 0 : 2);
        case Column::Company:
            return row.form.companyName;
        case Column::ReplaceStock:
            return row.form.stocked < 0 ? QString() : row.form.stocked ? QStringLiteral("YES")
                                                                       : QStringLiteral("NO");
        default:
            return row.form[id];
        }
    }

    const ImportPreview &m_preview;
    QVector<int> m_shown; // file columns that are stored
};

QString summary(const ImportPreview &preview, const QString &fileName)
{
    QString text = QStringLiteral("%1 read from %2.").arg(countedText(preview.rows.size(), "item", "items"), fileName);
    if (preview.problemRows > 0)
        text += QStringLiteral(" %1 (marked red); nothing is imported until the file is corrected.")
                    .arg(countedText(preview.problemRows, "of them has a problem", "of them have problems"));
    return text;
}

QString headingList(const QStringList &headings)
{
    QStringList quoted;
    for (const QString &heading : headings)
        quoted << u'"' + cellLine(heading) + u'"';
    return quoted.join(QStringLiteral(", "));
}

// Which columns of the file are read, which are not, and what that means for the alarms.
QString columnsText(const ImportPreview &preview)
{
    QString text = QStringLiteral("Columns read: ") + headingList(preview.readHeadings) + u'.';
    if (!preview.ignoredHeadings.isEmpty())
        text += QStringLiteral("\nColumns not read: ") + headingList(preview.ignoredHeadings) + u'.';
    for (const QString &warning : preview.warnings)
        text += u'\n' + warning + u'.';
    return text;
}

// Each row's problems and notes, one row a line.
QString problemList(const ImportPreview &preview)
{
    QStringList lines;
    for (const ImportRow &row : preview.rows) {
        if (!row.problems.isEmpty() || !row.notes.isEmpty())
            lines << QStringLiteral("Line %1: ").arg(row.line) + (row.problems + row.notes).join(QStringLiteral("; "));
    }
    return lines.join(u'\n');
}

} // namespace

ImportPreviewDialog::ImportPreviewDialog(const AppContext &context, ImportPreview preview, const QString &fileName,
                                         QWidget *parent)
    : QDialog(parent, Qt::Window)
    , m_context(context)
    , m_preview(std::move(preview))
{
    setObjectName(QStringLiteral("frmImport"));
    setWindowTitle(QStringLiteral("Import Items from CSV"));
    resize(900, 500);

    auto *label = new QLabel(summary(m_preview, fileName), this);
    label->setObjectName(QStringLiteral("lblSummary"));
    showPlainText(label);
    label->setWordWrap(true);
    auto *columns = new QLabel(columnsText(m_preview), this);
    columns->setObjectName(QStringLiteral("lblColumns"));
    showPlainText(columns);
    columns->setWordWrap(true);

    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("flxImport"));
    m_grid->setAccessibleName(QStringLiteral("Items to import"));
    m_grid->setModel(new PreviewModel(m_preview, m_grid));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setTabKeyNavigation(false);
    m_grid->verticalHeader()->hide();
    // Every heading reads whole, from its start.
    QHeaderView *headings = m_grid->horizontalHeader();
    headings->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    headings->setStretchLastSection(true);
    for (int column = 0; column < headings->count(); ++column)
        m_grid->setColumnWidth(column, qMax(headings->defaultSectionSize(), headings->sectionSizeHint(column)));

    // What is wrong with each row, whole, whatever its length.
    auto *problems = new QPlainTextEdit(this);
    problems->setObjectName(QStringLiteral("txtProblems"));
    problems->setAccessibleName(QStringLiteral("Problems"));
    problems->setReadOnly(true);
    problems->setTabChangesFocus(true);
    problems->setPlainText(problemList(m_preview));
    problems->setVisible(!problems->document()->isEmpty());
    problems->setFixedHeight(problems->fontMetrics().lineSpacing() * 5 + 12);

    m_addCompanies = new QCheckBox(this);
    m_addCompanies->setObjectName(QStringLiteral("chkAddCompanies"));
    m_addCompanies->setText(captionText(QStringLiteral("Add the companies not in the directory: ")
                                        + cellLine(m_preview.newCompanies.join(QStringLiteral(", ")))));
    m_addCompanies->setVisible(!m_preview.newCompanies.isEmpty());

    auto *buttons = new QDialogButtonBox(this);
    m_import = buttons->addButton(QStringLiteral("Import"), QDialogButtonBox::AcceptRole);
    m_import->setObjectName(QStringLiteral("cmdImport"));
    QPushButton *cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdCancel"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(columns);
    layout->addWidget(m_grid, 1);
    layout->addWidget(problems);
    layout->addWidget(m_addCompanies);
    layout->addWidget(buttons);

    connect(m_addCompanies, &QCheckBox::toggled, this, &ImportPreviewDialog::updateImportButton);
    connect(buttons, &QDialogButtonBox::accepted, this, &ImportPreviewDialog::importRows);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    updateImportButton();
    Mnemonics::give(this);
}

void ImportPreviewDialog::updateImportButton()
{
    m_import->setEnabled(m_preview.problemRows == 0
                         && (m_preview.newCompanies.isEmpty() || m_addCompanies->isChecked()));
    m_import->setDefault(m_import->isEnabled());
}

void ImportPreviewDialog::importRows()
{
    if (!m_import->isEnabled())
        return;
    // Confirming the import answers for the automatic entries the options would ask about.
    const AppSettings &settings = m_context.settings();
    const bool withHistory = entryDecision(NewItemEntry, settings.autoAddHistory, settings.askBeforeHistory) != EntryDecision::Drop;
    int stored = 0;
    if (!runGuarded(this, QStringLiteral("import the items"),
                    [&] { stored = importItems(m_context.database(), m_preview, withHistory); }))
        return;
    MessageBox::information(this, countedText(stored, "item was imported", "items were imported"));
    emit imported();
    accept();
}

ImportPreviewDialog *importItemsFromCsv(QPointer<ImportPreviewDialog> &slot, QWidget *parent, const AppContext &context,
                                        const ColumnLayout &layout)
{
    // The window's title says where the expected headings are to be seen before a file is chosen.
    const QString path = FileDialog::openFile(parent, QString::fromLatin1(ImportCaption), AppPaths::reportsFolder(),
                                              QStringLiteral("CSV files (*.csv *.txt);;All files (*)"));
    if (path.isEmpty())
        return nullptr;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        MessageBox::information(parent, QStringLiteral("The file could not be read: ") + file.errorString());
        return nullptr;
    }
    if (file.size() > MostBytes) {
        MessageBox::information(parent, QStringLiteral("The file is too large to be an item list"));
        return nullptr;
    }
    const QByteArray bytes = file.readAll();
    ImportPreview preview;
    if (!runGuarded(parent, QStringLiteral("read the company directory"),
                    [&] { preview = previewImport(context.database(), bytes, layout); }))
        return nullptr;
    if (!preview.error.isEmpty()) {
        MessageBox::information(parent, preview.error);
        return nullptr;
    }
    closeNow(slot);
    return showOnce(slot, [&] { return new ImportPreviewDialog(context, std::move(preview), QFileInfo(path).fileName(), parent); });
}
