#pragma once
// Mouse cursor identifiers and the editor's choice of them. The numbers are the ones stored
// settings use (the Windows stock cursor numbering); the host maps each to a shape. The two
// shapes of the editor's own, a right-pointing arrow for the left bar and the drag-with-copy
// arrow, were registered on Windows under the first free identifiers from 1 upward, which in
// a fresh program are 1 and 2; here they are fixed at those values.
#include "engine/Notify.h"

inline constexpr int crDefault = 0; // the ordinary arrow
inline constexpr int crArrow = -2;
inline constexpr int crCross = -3;
inline constexpr int crIBeam = -4;
inline constexpr int crSizeAll = -22;
inline constexpr int crHourGlass = -11;
inline constexpr int crDrag = -12;
inline constexpr int crNoDrop = -13;
inline constexpr int crHandPoint = -21;
inline constexpr int crRightArrow = 1; // the editor's left-bar arrow
inline constexpr int crDragSelCopy = 2; // the editor's drag-and-copy arrow

class TEditorCursors : public TNotifyPersistent {
public:
    int DefaultCursor() const { return FDefaultCursor; }
    void SetDefaultCursor(int v) { Store(FDefaultCursor, v); }
    int DragSelCursor() const { return FDragSelCursor; }
    void SetDragSelCursor(int v) { Store(FDragSelCursor, v); }
    int DragSelCopyCursor() const { return FDragSelCopyCursor; }
    void SetDragSelCopyCursor(int v) { Store(FDragSelCopyCursor, v); }
    int InSelCursor() const { return FInSelCursor; }
    void SetInSelCursor(int v) { Store(FInSelCursor, v); }
    int LeftMarginCursor() const { return FLeftMarginCursor; }
    void SetLeftMarginCursor(int v) { Store(FLeftMarginCursor, v); }
    int TopMarginCursor() const { return FTopMarginCursor; }
    void SetTopMarginCursor(int v) { Store(FTopMarginCursor, v); }

    void Assign(const TEditorCursors& source)
    {
        FDefaultCursor = source.FDefaultCursor;
        FDragSelCursor = source.FDragSelCursor;
        FDragSelCopyCursor = source.FDragSelCopyCursor;
        FInSelCursor = source.FInSelCursor;
        FLeftMarginCursor = source.FLeftMarginCursor;
        FTopMarginCursor = source.FTopMarginCursor;
        Changed();
    }

private:
    void Store(int& field, int v)
    {
        if (field == v)
            return;
        field = v;
        Changed();
    }

    int FDefaultCursor = crIBeam;
    int FDragSelCursor = crDrag;
    int FDragSelCopyCursor = crDragSelCopy;
    int FInSelCursor = crDefault;
    int FLeftMarginCursor = crRightArrow;
    int FTopMarginCursor = crDefault;
};
