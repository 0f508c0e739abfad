#pragma once
// The system clipboard behind the editor's clipboard seam. Each copy offers:
//   text/plain                        the text in Unicode, for every other program;
//   application/x-varnet-cp932        the CP932 bytes exactly, read first when present, so a
//                                     copy between two Varnet windows loses nothing;
//   the box marker                    for a box selection: the bytes and a NUL, under the
//                                     registered Windows format name "TEditor Box Type" (Qt
//                                     maps this MIME form to that format on Windows).
// Text that comes from other programs is converted to CP932 with the input-method-friendly
// mapping (wave dash, minus sign, yen sign …).
#include "platform/Clipboard.h"

#include <QString>

class QClipboard;

class TQtClipboard : public TClipboard {
public:
    static const QString kRawMimeType;
    static const QString kBoxMimeType;

    // Works on the application's clipboard unless given another (tests).
    explicit TQtClipboard(QClipboard* clipboard = nullptr);

    bool HasText() const override;
    std::string GetText() const override;
    void SetText(std::string_view cp932) override;
    void SetBoxText(std::string_view cp932) override;
    bool HasBoxFormat() const override;

private:
    void Write(std::string_view cp932, bool box);
    QClipboard* FClipboard;
};
