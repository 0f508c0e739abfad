#include "app/ShortCut.h"

#include <array>
#include <utility>

namespace {

// Virtual keys that are neither letters, digits nor function keys.
constexpr std::array<std::pair<int, int>, 22> kKeys{{
    {0x08, Qt::Key_Backspace}, {0x09, Qt::Key_Tab},      {0x0D, Qt::Key_Return},
    {0x1B, Qt::Key_Escape},    {0x20, Qt::Key_Space},    {0x21, Qt::Key_PageUp},
    {0x22, Qt::Key_PageDown},  {0x23, Qt::Key_End},      {0x24, Qt::Key_Home},
    {0x25, Qt::Key_Left},      {0x26, Qt::Key_Up},       {0x27, Qt::Key_Right},
    {0x28, Qt::Key_Down},      {0x2D, Qt::Key_Insert},   {0x2E, Qt::Key_Delete},
    {0xBA, Qt::Key_Colon},     {0xBB, Qt::Key_Semicolon}, {0xBC, Qt::Key_Comma},
    {0xBD, Qt::Key_Minus},     {0xBE, Qt::Key_Period},   {0xBF, Qt::Key_Slash},
    {0xC0, Qt::Key_At},
}};

int QtKey(int vk)
{
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
        return vk; // Qt's letter and digit keys share the codes
    if (vk >= 0x70 && vk <= 0x87)
        return Qt::Key_F1 + (vk - 0x70);
    for (const auto& [v, q] : kKeys)
        if (v == vk)
            return q;
    return 0;
}

int VirtualKey(int key)
{
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 0x70 + (key - Qt::Key_F1);
    for (const auto& [v, q] : kKeys)
        if (q == key)
            return v;
    return 0;
}

} // namespace

QKeySequence ShortCutToKeySequence(int shortCut)
{
    const int key = QtKey(shortCut & 0xFF);
    if (key == 0)
        return {};
    int modifiers = 0;
    if (shortCut & 0x2000)
        modifiers |= Qt::SHIFT;
    if (shortCut & 0x4000)
        modifiers |= Qt::CTRL;
    if (shortCut & 0x8000)
        modifiers |= Qt::ALT;
    return QKeySequence(modifiers | key);
}

int KeySequenceToShortCut(const QKeySequence& sequence)
{
    if (sequence.count() != 1)
        return 0;
    const QKeyCombination c = sequence[0];
    const int vk = VirtualKey(c.key());
    if (vk == 0)
        return 0;
    int value = vk;
    if (c.keyboardModifiers() & Qt::ShiftModifier)
        value |= 0x2000;
    if (c.keyboardModifiers() & Qt::ControlModifier)
        value |= 0x4000;
    if (c.keyboardModifiers() & Qt::AltModifier)
        value |= 0x8000;
    return value;
}
