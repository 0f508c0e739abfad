#pragma once
// The editor's View settings: a front for the editor fountain it owns. Any change of that
// fountain (colours, brackets, reserved words) is a change of the View.
#include <memory>
#include <string>
#include <string_view>

#include "colouring/EditorFountain.h"

class TEditorViewInfo : public TNotifyPersistent {
public:
    TEditorViewInfo();
    ~TEditorViewInfo() override;
    TEditorViewInfo(const TEditorViewInfo&) = delete;
    TEditorViewInfo& operator=(const TEditorViewInfo&) = delete;

    TEditorFountain& Fountain() { return *FFountain; }
    const TEditorFountain& Fountain() const { return *FFountain; }

    TEditorBracketCollection& Brackets() { return FFountain->Brackets(); }
    const TEditorBracketCollection& Brackets() const { return FFountain->Brackets(); }
    void SetBrackets(const TFountainBracketCollection& v) { FFountain->SetBrackets(v); }
    TEditorColors& Colors() { return FFountain->Colors(); }
    const TEditorColors& Colors() const { return FFountain->Colors(); }
    void SetColors(const TEditorColors& v) { FFountain->SetColors(v); }
    const std::string& Commenter() const { return FFountain->Commenter(); }
    void SetCommenter(std::string_view v) { FFountain->SetCommenter(v); }
    bool ControlCode() const { return FFountain->ControlCode(); }
    void SetControlCode(bool v) { FFountain->SetControlCode(v); }
    const std::string& HexPrefix() const { return FFountain->HexPrefix(); }
    void SetHexPrefix(std::string_view v) { FFountain->SetHexPrefix(v); }
    bool Mail() const { return FFountain->Mail(); }
    void SetMail(bool v) { FFountain->SetMail(v); }
    const std::string& Quotation() const { return FFountain->Quotation(); }
    // Keeps only the first character (two bytes after a lead byte); empty clears it.
    void SetQuotation(std::string_view v);
    bool Url() const { return FFountain->Url(); }
    void SetUrl(bool v) { FFountain->SetUrl(v); }

    // Copies all eight settings; listeners hear one change.
    void Assign(const TEditorViewInfo& source);

protected:
    virtual std::unique_ptr<TEditorFountain> CreateFountain();

private:
    void FountainChanged(TObject* sender);

    std::unique_ptr<TEditorFountain> FFountain;
};
