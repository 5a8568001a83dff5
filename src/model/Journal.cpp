// The undo journal: recording hit and bar edits, undoing and redoing whole
// actions. Ownership of a journaled hit travels in the entry's Owned field.
#include "model/SongModel.h"

void TDRComp::journalHit(int32_t kind, TDRHit* h, std::unique_ptr<TDRHit> owned) {
    TDRJournalEntry e;
    e.Kind = kind;
    e.ActionId = ActionId;
    e.Hit = h;
    e.Owned = std::move(owned);
    UndoList.push_back(std::move(e));
    ClearRedo();
    RedoActionId = 0;
}

void TDRComp::appendBarEntry(int32_t kind, int32_t bar, int32_t count) {
    TDRJournalEntry e;
    e.Kind = kind;
    e.ActionId = ActionId;
    e.Bar = bar;
    e.Count = count;
    UndoList.push_back(std::move(e));
    ClearRedo();
}

void TDRComp::ClearRedo() {
    RedoList.clear();
}

void TDRComp::ClearUndo() {
    UndoList.clear();
}

void TDRComp::Undo() {
    if (UndoList.empty())
        return;
    ActionId = UndoList.back().ActionId;
    SuspendJournal();
    RedoActionId += 1;
    while (!UndoList.empty() && UndoList.back().ActionId == ActionId) {
        TDRJournalEntry e = std::move(UndoList.back());
        UndoList.pop_back();
        switch (e.Kind) {
        case jkHitAdded:
            e.Owned = DeleteHit(e.Hit);
            break;
        case jkHitDeleted:
            AddHit(std::move(e.Owned));
            break;
        case jkBarsInserted:
            DeleteBars(e.Bar, e.Count, false);
            break;
        case jkBarsDeleted:
            InsertBars(e.Bar, e.Count, false);
            break;
        }
        e.ActionId = RedoActionId;
        RedoList.push_back(std::move(e));
    }
    ActionId = UndoList.empty() ? 0 : UndoList.back().ActionId;
    ResumeJournal();
}

void TDRComp::Redo() {
    if (RedoList.empty())
        return;
    RedoActionId = RedoList.back().ActionId;
    SuspendJournal();
    ActionId += 1;
    while (!RedoList.empty() && RedoList.back().ActionId == RedoActionId) {
        TDRJournalEntry e = std::move(RedoList.back());
        RedoList.pop_back();
        switch (e.Kind) {
        case jkHitAdded:
            AddHit(std::move(e.Owned));
            break;
        case jkHitDeleted:
            e.Owned = DeleteHit(e.Hit);
            break;
        case jkBarsInserted:
            InsertBars(e.Bar, e.Count, false);
            break;
        case jkBarsDeleted:
            DeleteBars(e.Bar, e.Count, false);
            break;
        }
        e.ActionId = ActionId;
        UndoList.push_back(std::move(e));
    }
    RedoActionId = RedoList.empty() ? 0 : RedoList.back().ActionId;
    ResumeJournal();
}
