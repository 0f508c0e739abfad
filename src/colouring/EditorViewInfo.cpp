#include "colouring/EditorViewInfo.h"

#include "platform/Cp932Bytes.h"

TEditorViewInfo::TEditorViewInfo()
    : FFountain(CreateFountain())
{
    FFountain->AddChangeHandler(MakeMethod<&TEditorViewInfo::FountainChanged>(this));
}

TEditorViewInfo::~TEditorViewInfo()
{
    FFountain->RemoveChangeHandler(MakeMethod<&TEditorViewInfo::FountainChanged>(this));
}

std::unique_ptr<TEditorFountain> TEditorViewInfo::CreateFountain()
{
    return std::make_unique<TEditorFountain>();
}

void TEditorViewInfo::FountainChanged(TObject*)
{
    Changed();
}

void TEditorViewInfo::SetQuotation(std::string_view v)
{
    std::size_t n = v.empty() ? 0 : 1;
    if (n == 1 && IsLeadByte(static_cast<unsigned char>(v[0])) && v.size() > 1) {
        n = 2; // a lone lead byte would open a string at every character of its row
    }
    FFountain->SetQuotation(v.substr(0, n));
}

void TEditorViewInfo::Assign(const TEditorViewInfo& source)
{
    if (&source == this) {
        return;
    }
    BeginUpdate();
    FFountain->BeginUpdate();
    struct Guard {
        TEditorViewInfo* v;
        ~Guard()
        {
            v->FFountain->EndUpdate();
            v->EndUpdate();
        }
    } guard{this};
    SetBrackets(source.Brackets());
    SetColors(source.Colors());
    SetCommenter(source.Commenter());
    SetControlCode(source.ControlCode());
    SetHexPrefix(source.HexPrefix());
    SetMail(source.Mail());
    SetQuotation(source.Quotation());
    SetUrl(source.Url());
}
