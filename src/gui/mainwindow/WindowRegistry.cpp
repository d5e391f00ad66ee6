#include "WindowRegistry.h"

#include "AboutDialog.h"

#include "core/settings/AppContext.h"
#include "gui/alarms/OrderAckDialog.h"
#include "gui/alarms/ServiceAckDialog.h"
#include "gui/companies/CompanyDirectory.h"
#include "gui/companies/CompanyEditor.h"
#include "gui/itemlist/ItemListController.h"
#include "gui/items/ImportPreviewDialog.h"
#include "gui/maintenance/OptionsDialog.h"
#include "gui/platform/WindowUtil.h"
#include "gui/records/EntryDialog.h"
#include "gui/views/CalendarWindow.h"
#include "gui/views/ColumnSettingsDialog.h"
#include "gui/views/LookupDialog.h"
#include "gui/views/SortDialog.h"

WindowRegistry::WindowRegistry(AppContext &context, ItemListController &items, QWidget *mainWindow)
    : QObject(mainWindow)
    , m_context(context)
    , m_items(items)
    , m_mainWindow(mainWindow)
{
}

WindowRegistry::~WindowRegistry() = default;

ItemEditor *WindowRegistry::openItemEditor(ItemEditor::ItemEditMode mode, qint64 itemId, bool fresh)
{
    if (fresh)
        closeNow(m_editor);
    return showOnce(m_editor, [&] {
        auto *editor = new ItemEditor(m_context, mode, itemId, m_items.columnLayout());
        editor->load();
        connect(editor, &ItemEditor::itemSaved, this, &WindowRegistry::itemSaved);
        connect(editor, &ItemEditor::companyWanted, this, [this, editor] { openCompanyDirectory(editor); });
        return editor;
    });
}

void WindowRegistry::openCompanyDirectory(ItemEditor *editor)
{
    const CompanyDirectory::Mode mode = editor ? CompanyDirectory::Mode::Select : CompanyDirectory::Mode::Browse;
    if (m_directory && (m_directory->mode() != mode || m_directory->servedEditor() != editor))
        closeNow(m_directory);
    showOnce(m_directory, [&] {
        auto *directory = new CompanyDirectory(m_context.database(), mode, editor);
        directory->load();
        if (editor)
            connect(directory, &CompanyDirectory::companyChosen, editor, &ItemEditor::showCompany);
        connect(directory, &CompanyDirectory::companyEditorWanted, this, &WindowRegistry::openCompanyEditor);
        return directory;
    });
}

void WindowRegistry::openCompanyEditor(qint64 companyId)
{
    showOnce(m_companyEditor, [&] {
        auto *editor = new CompanyEditor(m_context.database(), companyId);
        editor->load();
        // The directory open at the time of the save shows it.
        connect(editor, &CompanyEditor::companySaved, this, [this] {
            if (m_directory)
                m_directory->load();
        });
        return editor;
    });
}

void WindowRegistry::openServiceAck(qint64 itemId)
{
    showOnce(m_serviceAck, [&] {
        ServiceAckDialog *window = keepIfLoaded(new ServiceAckDialog(m_context, itemId));
        if (window) {
            connect(window, &AckDialog::acknowledged, this, &WindowRegistry::acknowledged);
            connect(window, &ServiceAckDialog::historyEntryAdded, this, [this] { closeNow(m_editor); });
            connect(window, &ServiceAckDialog::entryWanted, this,
                    [this, window](EntryTarget target) { showEntryWindowFor(target, window->itemId(), window); });
        }
        return window;
    });
}

void WindowRegistry::openOrderAck(qint64 itemId)
{
    showOnce(m_orderAck, [&] {
        OrderAckDialog *window = keepIfLoaded(new OrderAckDialog(m_context, itemId));
        if (window)
            connect(window, &AckDialog::acknowledged, this, &WindowRegistry::acknowledged);
        return window;
    });
}

void WindowRegistry::showEntryWindowFor(EntryTarget target, qint64 itemId, QWidget *opener)
{
    showEntryWindow(m_entryWindows[target], m_context.database(), target, itemId, [this](EntryDialog *window) {
        connect(window, &EntryDialog::entryAdded, this, [this, window] { entryAdded(window); });
    })->serve(opener);
}

void WindowRegistry::entryAdded(const EntryDialog *window)
{
    const EntryTarget target = window->target();
    const qint64 itemId = window->itemId();
    // Only the windows it served hear of it: an open Service Acknowledge, and the main window.
    if (m_serviceAck && window->serves(m_serviceAck))
        m_serviceAck->entryAdded(target, itemId);
    if (window->serves(m_mainWindow))
        emit mainWindowEntryAdded(target, itemId);
}

void WindowRegistry::openLookupAt(std::optional<int> position)
{
    showOnce(m_lookup, [this, position] {
        auto *dialog = new LookupDialog(position);
        connect(dialog, &LookupDialog::lookupChosen, &m_items, &ItemListController::lookupChosen);
        return dialog;
    });
}

void WindowRegistry::openSortAt(std::optional<int> position)
{
    showOnce(m_sort, [this, position] {
        auto *dialog = new SortDialog(position);
        connect(dialog, &SortDialog::sortChosen, &m_items, &ItemListController::sortChosen);
        return dialog;
    });
}

void WindowRegistry::openColumnSettings()
{
    showOnce(m_columns, [this] {
        closeNow(m_lookup);
        auto *window = new ColumnSettingsDialog(m_context.database());
        window->load();
        connect(window, &ColumnSettingsDialog::columnsSaved, &m_items, &ItemListController::columnsSaved);
        return window;
    });
}

void WindowRegistry::showCalendar()
{
    showOnce(m_calendar, [this] {
        auto *calendar = new CalendarWindow(m_context.database());
        calendar->load();
        connect(calendar, &CalendarWindow::dayChosen, &m_items,
                [this](const QDate &day) { m_items.showListAfter(ListEvent::DayPicked, day); });
        return calendar;
    });
}

void WindowRegistry::showAbout()
{
    showOnce(m_about, [this] {
        auto *about = new AboutDialog(m_context.database());
        about->load();
        return about;
    });
}

void WindowRegistry::showOptions()
{
    showOnce(m_options, [this] {
        auto *options = new OptionsDialog(m_context.database());
        options->load();
        connect(options, &OptionsDialog::optionsSaved, this, &WindowRegistry::optionsSaved);
        return options;
    });
}

void WindowRegistry::importItemsCsv()
{
    if (ImportPreviewDialog *preview = importItemsFromCsv(m_import, m_mainWindow, m_context, m_items.columnLayout()))
        connect(preview, &ImportPreviewDialog::imported, this, &WindowRegistry::itemSaved); // a new window every time
}
