#pragma once

#include "BoxRecorder.h"
#include "jobs/ports/IQuestionPort.h"

#include <functional>

// The application boxes go to a BoxRecorder (marked as such); the image file
// question is answered by chooseImage (Cancel without it).
class RecordingQuestions : public IQuestionPort
{
public:
    explicit RecordingQuestions(BoxRecorder &boxes) : m_boxes(boxes) {}

    int ShowAppMessageBox(const QString &text, const QString &caption, unsigned type) override
    {
        return m_boxes.Show({text, caption, type, true});
    }
    std::optional<QString> ChooseImageFile(const QString &proposedName) override
    {
        proposedImageName = proposedName;
        return chooseImage ? chooseImage(proposedName) : std::nullopt;
    }

    std::function<std::optional<QString>(const QString &)> chooseImage;
    QString proposedImageName;

private:
    BoxRecorder &m_boxes;
};
