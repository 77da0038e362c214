#include "ModalAnswers.h"

#include <deque>

namespace modal {
namespace {

    struct Queue {
        std::deque<int> answers;
        std::string lastCaption;
    };

    Queue& TheQueue()
    {
        static Queue queue;
        return queue;
    }

} // namespace

void PushAnswer(int answer)
{
    TheQueue().answers.push_back(answer);
}

std::optional<int> TakeAnswer(const std::string& caption)
{
    Queue& queue = TheQueue();
    if (queue.answers.empty())
        return std::nullopt;
    const int answer = queue.answers.front();
    queue.answers.pop_front();
    queue.lastCaption = caption;
    return answer;
}

int PendingAnswers()
{
    return static_cast<int>(TheQueue().answers.size());
}

const std::string& LastAnsweredCaption()
{
    return TheQueue().lastCaption;
}

void ClearAnswers()
{
    TheQueue() = Queue {};
}

} // namespace modal
