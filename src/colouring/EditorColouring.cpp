#include "colouring/EditorColouring.h"

#include "colouring/ParseRows.h"

TEditorColouring::TEditorColouring(TEditor& editor)
    : FEditor(editor)
{
    FView.OnChange = [this](TObject*) { ColouringChanged(); };
    FCache.OnInvalidateRow = [this](int row) {
        for (TEditor* e : FEditor.Views()) {
            e->InvalidateRows(row, row);
        }
        if (OnInvalidateRow) {
            OnInvalidateRow(row);
        }
    };
    FEditor.SetRowStateHook(this);
    FEditor.SetTokenizerHook(this);
}

TEditorColouring::~TEditorColouring()
{
    if (FEditor.RowStateHook() == this) {
        FEditor.SetRowStateHook(nullptr);
    }
    if (FEditor.TokenizerHook() == this) {
        FEditor.SetTokenizerHook(nullptr);
    }
    if (FFountain) {
        FFountain->RemoveChangeHandler(MakeMethod<&TEditorColouring::FountainChanged>(this));
        FFountain->RemoveFreeNotification(MakeMethod<&TEditorColouring::FountainFreed>(this));
    }
    FView.OnChange = nullptr;
}

TFountain& TEditorColouring::ActiveFountain()
{
    if (FFountain) {
        return *FFountain;
    }
    return FView.Fountain();
}

void TEditorColouring::SetFountain(TFountain* fountain)
{
    if (fountain == FFountain) {
        return;
    }
    if (fountain) {
        fountain->CreateParser(); // a fountain without a tokenizer is refused here, not mid-edit
    }
    if (FFountain) {
        FFountain->RemoveChangeHandler(MakeMethod<&TEditorColouring::FountainChanged>(this));
        FFountain->RemoveFreeNotification(MakeMethod<&TEditorColouring::FountainFreed>(this));
    }
    FFountain = fountain;
    if (FFountain) {
        FFountain->AddChangeHandler(MakeMethod<&TEditorColouring::FountainChanged>(this));
        FFountain->AddFreeNotification(MakeMethod<&TEditorColouring::FountainFreed>(this));
    }
    ColouringChanged();
}

void TEditorColouring::SetReserveWordList(const TReserveWordList& words)
{
    TReserveWordList& mine = FView.Fountain().ReserveWordList();
    if (mine.SameWords(words)) {
        return;
    }
    mine.Assign(words); // the View hears of it and recomputes
}

void TEditorColouring::FountainChanged(TObject*)
{
    ColouringChanged();
}

void TEditorColouring::FountainFreed(TObject* sender)
{
    if (sender == FFountain) {
        FTokenParser.reset();
        FFountain = nullptr;
        ColouringChanged();
    }
}

void TEditorColouring::ColouringChanged()
{
    FTokenParser.reset();
    InitRowStates();
    for (TEditor* e : FEditor.Views()) {
        e->InvalidateAll();
    }
    if (OnRepaint) {
        OnRepaint();
    }
}

void TEditorColouring::SetLoading(bool v)
{
    if (FLoading == v) {
        return;
    }
    FLoading = v;
    if (!FLoading) {
        ColouringChanged();
    }
}

void TEditorColouring::InitRowStates()
{
    if (FLoading) {
        return;
    }
    SyncView();
    TParseRowsOf<TEditorScreenStrings> rows(FEditor.ListRows());
    auto parser = CreateParser();
    FCache.InitRowStates(rows, *parser, TopRow());
}

int TEditorColouring::UpdateRowStates(int row, bool notify)
{
    TParseRowsOf<TEditorScreenStrings> rows(FEditor.ListRows());
    if (row < 0 || row >= rows.Count()) {
        return 0;
    }
    SyncView();
    auto parser = CreateParser();
    return FCache.UpdateRowStates(rows, *parser, row, notify);
}

void TEditorColouring::SyncView()
{
    FCache.SetInitBracketsFull(FEditor.Speed().InitBracketsFull());
    if (TEditorHost* host = FEditor.Host()) {
        FCache.SetScreenHeight(host->ScreenHeight());
        FCache.SetRowHeight(FEditor.Metrics().RowHeight);
    }
}

void TEditorColouring::Tokenize(std::string_view text, const TRowParseState& state,
                                std::vector<TEditorToken>& tokens)
{
    if (!FTokenParser) {
        FTokenParser = CreateParser();
    }
    TFountainParser& p = *FTokenParser;
    p.StartRow(text, state);
    // Every token takes at least one byte; the bound only guards against a faulty scanner.
    for (std::size_t guard = text.size() + 1; guard > 0; --guard) {
        const int kind = p.NextToken();
        if (kind == tokEnd) {
            break;
        }
        tokens.push_back({p.TokenPosition(), p.TokenLength(), kind, kind == tokSymbol});
    }
}
