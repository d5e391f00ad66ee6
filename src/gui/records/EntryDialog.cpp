#include "EntryDialog.h"

#include "AddHistory.h"

#include "core/items/ItemStore.h"
#include "core/platform/Twips.h"
#include "core/records/RecordStore.h"
#include "gui/platform/KeyFilter.h"
#include "gui/platform/LongText.h"
#include "gui/platform/Mnemonics.h"
#include "gui/platform/PlainText.h"
#include "gui/platform/WindowUtil.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace {

// Sizes in twips: the window's default size and the buttons' least width.
constexpr int ButtonWidth = 1095;
constexpr int WindowWidth = 7200;
constexpr int WindowHeight = 1470;

} // namespace

EntryDialog::EntryDialog(Database &database, EntryTarget target, qint64 itemId, QWidget *parent)
    : QDialog(parent)
    , m_database(database)
    , m_target(target)
    , m_itemId(itemId)
{
    const bool history = target == HistoryTarget;
    setObjectName(history ? QStringLiteral("frmAddHst") : QStringLiteral("frmAddNote"));
    setWindowTitle(history ? QStringLiteral("Add History") : QStringLiteral("Add Note"));

    m_itemLabel = new QLabel(this);
    m_itemLabel->setObjectName(QStringLiteral("lblItem"));
    showPlainText(m_itemLabel);
    m_itemLabel->setWordWrap(true); // a long item name takes more lines, not a wider window
    auto *lblDescr = new QLabel(QStringLiteral("Description:"), this);
    lblDescr->setObjectName(QStringLiteral("lblDescr"));
    m_descriptionEdit = new QLineEdit(this);
    m_descriptionEdit->setObjectName(QStringLiteral("txtDescr"));
    lblDescr->setBuddy(m_descriptionEdit);
    auto *cmdAdd = new QPushButton(QStringLiteral("Add"), this);
    cmdAdd->setObjectName(QStringLiteral("cmdAdd"));
    auto *cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    // The item on top; the description and, under its box, the buttons.
    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {cmdAdd, cmdCancel}) {
        button->setMinimumWidth(Twips::toPixels(ButtonWidth));
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    auto *layout = new QGridLayout(this);
    layout->addWidget(m_itemLabel, 0, 0, 1, 2);
    layout->addWidget(lblDescr, 1, 0);
    layout->addWidget(m_descriptionEdit, 1, 1);
    layout->addLayout(buttons, 2, 1);
    layout->setColumnStretch(1, 1);

    // Enter goes on to the default button, also in a full box.
    filterTyping(m_descriptionEdit, [](const QString &text, int keyChar) {
        return keyChar == EnterKey || descriptionKeyAccepted(text, keyChar);
    });
    cutPastes(m_descriptionEdit, DescriptionLimit);
    cmdAdd->setDefault(true);
    m_descriptionEdit->setFocus();
    connect(cmdAdd, &QPushButton::clicked, this, &EntryDialog::add);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
    Mnemonics::give(this);
}

void EntryDialog::load()
{
    runGuarded(this, QStringLiteral("read the item"), [&] {
        m_itemLabel->setText(QStringLiteral("Item: %1 (ID = %2)").arg(LongText::shownPart(itemName(m_database, m_itemId))).arg(m_itemId));
    });
    // Sized with the name in place: a long one takes more lines.
    setDefaultSizeTwips(this, WindowWidth, WindowHeight);
}

bool EntryDialog::hasTypedText() const
{
    return !m_descriptionEdit->text().isEmpty();
}

void EntryDialog::add()
{
    const QString descr = m_descriptionEdit->text();
    if (descr.isEmpty()) {
        MessageBox::fault(m_descriptionEdit, QStringLiteral("Description must be entered"));
        return;
    }
    SaveOutcome outcome = SaveOutcome::Saved;
    const bool ran = runGuarded(this, QStringLiteral("add the entry"), [&] {
        outcome = addEntryToItem(m_database, m_target, m_itemId, descr); // a typed entry is always written
    });
    if (!ran)
        return; // the failure was shown; the typed text stays for another try
    if (outcome != SaveOutcome::Saved) {
        MessageBox::information(this, QString::fromLatin1(EntryItemGoneText));
        return;
    }
    emit entryAdded(m_target, m_itemId);
    close();
}

void EntryDialog::serve(QWidget *opener)
{
    if (!serves(opener))
        m_servedBy.append(opener);
}

bool EntryDialog::serves(const QWidget *opener) const
{
    return std::any_of(m_servedBy.begin(), m_servedBy.end(),
                       [opener](const QPointer<QWidget> &served) { return served.data() == opener; });
}

EntryDialog *showEntryWindow(QPointer<EntryDialog> &slot, Database &database, EntryTarget target, qint64 itemId,
                             const std::function<void(EntryDialog *)> &connectNew)
{
    if (slot && slot->itemId() != itemId && !slot->hasTypedText())
        closeNow(slot);
    return showOnce(slot, [&] {
        auto *window = new EntryDialog(database, target, itemId);
        window->load();
        if (connectNew)
            connectNew(window);
        return window;
    });
}
