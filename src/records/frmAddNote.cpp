#include "frmAddNote.h"

#include "History.h"

#include "platform/WindowUtil.h"

namespace {
QPointer<frmAddNote> addNoteWindow;
} // namespace

frmAddNote::frmAddNote(QWidget *parent)
    : frmAddEntry(NotesTarget, "frmAddNote", QStringLiteral("Add Note"), parent)
{
}

frmAddNote *showAddNote()
{
    return showOnce(addNoteWindow, [] { return new frmAddNote; });
}
