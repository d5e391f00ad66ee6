#pragma once

#include "core/records/History.h"
#include "gui/items/ItemEditor.h"

#include <QObject>
#include <QPointer>

#include <optional>

class AboutDialog;
class AppContext;
class CalendarWindow;
class ColumnSettingsDialog;
class CompanyDirectory;
class CompanyEditor;
class EntryDialog;
class ImportPreviewDialog;
class ItemListController;
class LookupDialog;
class OptionsDialog;
class OrderAckDialog;
class ServiceAckDialog;
class SortDialog;

// The windows that exist once at a time, each made, loaded and connected when it opens and
// deleted when it closes (an open one is raised as it is). Windows ask for one another through
// their signals, which are wired here; what concerns the item list goes to its controller, and
// what concerns the whole program is told through this one's signals.
class WindowRegistry : public QObject
{
    Q_OBJECT

public:
    // Windows open with `context`; messages go over `mainWindow`, whose child it is.
    WindowRegistry(AppContext &context, ItemListController &items, QWidget *mainWindow);
    ~WindowRegistry() override;

    // The item editor: `fresh` closes an open one (nothing saved) and opens a new one; otherwise
    // an open one is raised as it is. Gives the editor shown.
    ItemEditor *openItemEditor(ItemEditor::ItemEditMode mode, qint64 itemId, bool fresh);
    ItemEditor *itemEditor() const { return m_editor; }

    // The company directory, choosing for an item editor (select mode) or, without one,
    // browsing: an open one serving the same is raised unchanged, any other is closed and opened
    // anew. The company editor it asks for exists once and may outlive it.
    void openCompanyDirectory(ItemEditor *editor);
    void openCompanyEditor(qint64 companyId);

    // The acknowledgements the alarm window asks for: an open one is raised unchanged, whichever
    // item it is for. None opens for an item deleted meanwhile.
    void openServiceAck(qint64 itemId);
    void openOrderAck(qint64 itemId);

    // The note or history window for an item, serving `opener` (the main window or Service
    // Acknowledge) as well as any that opened it before.
    void showEntryWindowFor(EntryTarget target, qint64 itemId, QWidget *opener);

    // The Lookup and Sort dialogs, with a list entry chosen or none; an open one is raised as
    // it is, without the entry asked for.
    void openLookupAt(std::optional<int> position);
    void openSortAt(std::optional<int> position);
    // Opening the column settings closes the Lookup dialog.
    void openColumnSettings();
    void showCalendar();
    void showAbout();
    void showOptions();
    // Reports > Import Items from CSV: a new preview replaces the open one.
    void importItemsCsv();

Q_SIGNALS:
    // An item was saved or imported: the item list shows its new state.
    void itemSaved();
    // An acknowledgement was stored: the alarm list and the item list are out of date.
    void acknowledged();
    void optionsSaved();
    // An entry was written from a window that served the main window.
    void mainWindowEntryAdded(EntryTarget target, qint64 itemId);

private:
    void entryAdded(const EntryDialog *window);

    AppContext &m_context;
    ItemListController &m_items;
    QWidget *m_mainWindow;

    QPointer<CalendarWindow> m_calendar;
    QPointer<LookupDialog> m_lookup;
    QPointer<SortDialog> m_sort;
    QPointer<ColumnSettingsDialog> m_columns;
    QPointer<OptionsDialog> m_options;
    QPointer<AboutDialog> m_about;
    QPointer<ServiceAckDialog> m_serviceAck;
    QPointer<OrderAckDialog> m_orderAck;
    QPointer<ItemEditor> m_editor;
    QPointer<CompanyDirectory> m_directory;
    QPointer<CompanyEditor> m_companyEditor;
    QPointer<EntryDialog> m_entryWindows[2]; // by EntryTarget
    QPointer<ImportPreviewDialog> m_import;
};
