#pragma once
// Key codes, modifier flags and mouse buttons taken by the editor's input entry points. Key
// values are the Windows virtual-key codes, so a Windows backend passes its codes straight
// through and the Qt widget translates into them. Letters and digits are their upper-case
// ASCII codes ('A', '0').

enum TKey : int {
    vkBack = 0x08,
    vkTab = 0x09,
    vkReturn = 0x0D,
    vkShift = 0x10,
    vkControl = 0x11,
    vkMenu = 0x12, // Alt
    vkEscape = 0x1B,
    vkSpace = 0x20,
    vkPrior = 0x21, // Page Up
    vkNext = 0x22,  // Page Down
    vkEnd = 0x23,
    vkHome = 0x24,
    vkLeft = 0x25,
    vkUp = 0x26,
    vkRight = 0x27,
    vkDown = 0x28,
    vkInsert = 0x2D,
    vkDelete = 0x2E,
    vk0 = 0x30,
    vk9 = 0x39,
    vkA = 0x41,
    vkZ = 0x5A,
    vkF1 = 0x70,
    vkF12 = 0x7B,
};

// Modifier keys and mouse buttons held while an input event happened.
using TShiftState = unsigned;
inline constexpr TShiftState ssShift = 1;
inline constexpr TShiftState ssAlt = 2;
inline constexpr TShiftState ssCtrl = 4;
inline constexpr TShiftState ssLeft = 8;
inline constexpr TShiftState ssRight = 16;
inline constexpr TShiftState ssMiddle = 32;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// A key with its modifiers, as a menu item's shortcut.
struct TShortCut {
    int Key = 0; // 0: none
    TShiftState Shift = 0;
    friend bool operator==(const TShortCut&, const TShortCut&) = default;
};
