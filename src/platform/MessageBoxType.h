#pragma once

// Buttons, icon and default button of a message box, combined with |, and the
// answers a box gives. The values follow the classic message-box codes so
// that a type reads the same everywhere in the program.
namespace mb {

enum : unsigned {
    Ok = 0x0,
    OkCancel = 0x1,
    YesNoCancel = 0x3,
    YesNo = 0x4,
    IconStop = 0x10, // also "error"
    IconQuestion = 0x20,
    IconWarning = 0x30,
    IconInformation = 0x40,
    DefaultButton2 = 0x100,
};

enum Answer : int {
    IdOk = 1,
    IdCancel = 2,
    IdYes = 6,
    IdNo = 7,
};

constexpr unsigned ButtonsMask = 0xF;
constexpr unsigned IconMask = 0xF0;

} // namespace mb
