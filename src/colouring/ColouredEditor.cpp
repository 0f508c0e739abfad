#include "colouring/ColouredEditor.h"

TBasicColouredEditor::TBasicColouredEditor(std::string name, TEditorHost* host)
    : FName(std::move(name))
    , FEditor(std::make_unique<TEditor>(host))
    , FColouring(std::make_unique<TEditorColouring>(*FEditor))
{
}
