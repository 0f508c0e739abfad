#pragma once
// An editor widget of its own behind the display modes' and the split's face: the split's
// lower view, freed (widget and all) when the split goes off.
#include <memory>
#include <string>

#include "qt/EditorWidget.h"
#include "view/VnColouredEditor.h"

class QWidget;

namespace detail {
// Made before the view that refers to its editor.
struct TOwnedEditorWidget {
    explicit TOwnedEditorWidget(QWidget* parent) : Widget(new TEditorWidget(parent)) {}
    std::unique_ptr<TEditorWidget> Widget;
};
} // namespace detail

class TEditorWidgetView : private detail::TOwnedEditorWidget, public TVnColouredEditor {
public:
    TEditorWidgetView(QWidget* parent, std::string name)
        : detail::TOwnedEditorWidget(parent)
        , TVnColouredEditor(Widget->Edit(), std::move(name))
    {
        Widget->setObjectName(QString::fromStdString(Name()));
    }

    TEditorWidget* EditorWidget() const { return Widget.get(); }
};
