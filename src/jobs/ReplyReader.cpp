#include "jobs/ReplyReader.h"

namespace bdx4 {

ReplyReader::Arrival ReplyReader::take(const QByteArray& bytes) {
    pending_ += bytes;
    lastReceived_ = pending_.right(kLimit);
    Arrival arrival;
    qsizetype last = 0;
    for (qsizetype i = 0; i < pending_.size(); ++i) {
        const char c = pending_.at(i);
        if (c == 'G') {
            arrival.acknowledged = true;
            last = i + 1;
        } else if (c == ';') {
            arrival.replies.append(pending_.mid(last, i + 1 - last));
            last = i + 1;
        }
    }
    pending_.remove(0, last);
    if (pending_.size() > kLimit)
        pending_ = pending_.right(kLimit);
    return arrival;
}

} // namespace bdx4
