#pragma once

#include <QString>

#include <optional>

// The questions a job asks besides the window's own message box: the
// application's message box (the erase worker's reports, which must not pull
// a minimised window back) and the image file the library asks for.
// Any thread; both wait for the answer.
class IQuestionPort
{
public:
    virtual ~IQuestionPort() = default;

    // type combines mb:: buttons, icon and default button; answers an
    // mb::Answer.
    virtual int ShowAppMessageBox(const QString &text, const QString &caption, unsigned type) = 0;
    // The save dialog for an image file: proposedName preselected, the image
    // filters, overwrite prompt. The chosen full path, nothing after Cancel.
    virtual std::optional<QString> ChooseImageFile(const QString &proposedName) = 0;
};
