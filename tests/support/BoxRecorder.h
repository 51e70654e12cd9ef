#pragma once

#include "platform/MessageBoxType.h"

#include <QString>

#include <functional>
#include <mutex>
#include <vector>

// The message boxes a window raised, answered by the test: by answer when
// set, else Yes to a question and OK to anything else. Safe from any thread.
class BoxRecorder
{
public:
    struct Box
    {
        QString text;
        QString caption;
        unsigned type = 0;
        bool application = false; // the application box, not the window's own
    };

    int Show(const Box &box)
    {
        std::function<int(const Box &)> answerNow;
        {
            std::lock_guard lock(m_mutex);
            m_boxes.push_back(box);
            answerNow = answer;
        }
        if (answerNow)
            return answerNow(box);
        return (box.type & mb::ButtonsMask) == mb::YesNo ? mb::IdYes : mb::IdOk;
    }
    std::vector<Box> Boxes() const
    {
        std::lock_guard lock(m_mutex);
        return m_boxes;
    }
    // How many boxes showed this text.
    int Showed(const QString &text) const
    {
        int count = 0;
        for (const Box &box : Boxes())
            count += box.text == text ? 1 : 0;
        return count;
    }

    // Set before the boxes come.
    std::function<int(const Box &)> answer;

private:
    mutable std::mutex m_mutex;
    std::vector<Box> m_boxes;
};
