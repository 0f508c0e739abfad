#pragma once
// The colouring side of one editor: its View (with the editor fountain inside), the fountain
// assigned to it, if any, and the row-state cache that the row store calls after every change.
// Composed with the editor rather than part of it, since the editing engine cannot see the
// colouring classes.
#include <functional>
#include <memory>

#include "colouring/EditorViewInfo.h"
#include "colouring/Fountain.h"
#include "colouring/FountainParser.h"
#include "colouring/RowStateCache.h"
#include "engine/Editor.h"
#include "engine/EditorTokens.h"
#include "engine/RowAttributes.h"

class TEditorColouring : public TObject, public TRowStateHook, public TTokenizerHook {
public:
    // Installs itself as the editor's row-state hook and tokenizer.
    explicit TEditorColouring(TEditor& editor);
    ~TEditorColouring() override;
    TEditorColouring(const TEditorColouring&) = delete;
    TEditorColouring& operator=(const TEditorColouring&) = delete;

    TEditor& Editor() { return FEditor; }

    // A fountain used instead of the View's own; nullptr for none. Not owned: the fountain
    // may be shared, and tells this object when it changes or goes away.
    TFountain* Fountain() const { return FFountain; }
    // Raises EAbstractError (and keeps the old fountain) for one that cannot make a parser.
    void SetFountain(TFountain* fountain);
    // The fountain that tokenizes and colours: Fountain() if assigned, else the View's.
    TFountain& ActiveFountain();

    TEditorViewInfo& View() { return FView; }
    void SetView(const TEditorViewInfo& v) { FView.Assign(v); }

    // Always the word list of the View's fountain. Setting a list with the same words does
    // nothing; otherwise the row states are recomputed and the editor repaints.
    const TReserveWordList& ReserveWordList() const { return FView.Fountain().ReserveWordList(); }
    void SetReserveWordList(const TReserveWordList& words);

    // A parser of the active fountain; the caller owns it.
    std::unique_ptr<TFountainParser> CreateParser() { return ActiveFountain().CreateParser(); }

    // TRowStateHook
    void InitRowStates() override;
    int UpdateRowStates(int row, bool notify) override;

    // TTokenizerHook: the active fountain's tokens, for word moves and the token under a point.
    void Tokenize(std::string_view text, const TRowParseState& state, std::vector<TEditorToken>& tokens) override;

    // Computing every row's state at once instead of about two screens ahead: the editor's
    // Speed.InitBracketsFull.
    bool InitBracketsFull() const { return FEditor.Speed().InitBracketsFull(); }
    void SetInitBracketsFull(bool v) { FEditor.Speed().SetInitBracketsFull(v); }
    // The look-ahead's inputs: the display's height and the row height, in pixels, and the
    // first row shown. With a host they come from the editor; these setters serve without one.
    void SetScreenHeight(int pixels) { FCache.SetScreenHeight(pixels); }
    void SetRowHeight(int pixels) { FCache.SetRowHeight(pixels); }
    int TopRow() const { return FEditor.Host() ? FEditor.TopRow() : FTopRow; }
    void SetTopRow(int row) { FTopRow = row < 0 ? 0 : row; }
    const TRowStateCache& Cache() const { return FCache; }

    // While set, whole-text recomputation waits (the editor's stored settings are being
    // loaded); clearing it runs it once.
    bool Loading() const { return FLoading; }
    void SetLoading(bool v);

    // Screen row r's parse state changed (every editor showing the rows repaints it, then
    // this is called).
    std::function<void(int row)> OnInvalidateRow;
    // The colouring of the whole text changed (the editors repaint, then this is called).
    std::function<void()> OnRepaint;

private:
    void FountainChanged(TObject* sender);
    void FountainFreed(TObject* sender);
    void ColouringChanged();
    // Takes the look-ahead's inputs from the editor and its host.
    void SyncView();

    TEditor& FEditor;
    TEditorViewInfo FView;
    TFountain* FFountain = nullptr;
    TRowStateCache FCache;
    // Made on first use and dropped when the colouring changes.
    std::unique_ptr<TFountainParser> FTokenParser;
    int FTopRow = 0;
    bool FLoading = false;
};
