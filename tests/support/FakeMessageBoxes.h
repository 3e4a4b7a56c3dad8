#pragma once

#include "platform/MessageBoxes.h"

#include <QList>

#include <deque>
#include <functional>

namespace bdx4::test {

/// Message boxes that answer from a script and record every box shown.
class FakeMessageBoxes : public MessageBoxes {
public:
    MsgAnswer show(const MessageRequest& request) override {
        shown.append(request);
        if (onShow)
            onShow(request); // lets a test run events "while the box is open"
        if (answers.empty())
            return request.defaultButton;
        const MsgAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    /// Answers for the next boxes, in order; when they run out, the default button is pressed.
    std::deque<MsgAnswer> answers;
    /// Every box shown, in order.
    QList<MessageRequest> shown;
    /// Runs while a box is "open".
    std::function<void(const MessageRequest&)> onShow;
};

} // namespace bdx4::test
