#include "ReviewTrailer.h"

#include <QDateTime>

#include <algorithm>

namespace brantview::synth {

namespace {

ReviewMark makeMark(int kind, const PostRecord *post, const std::array<uint8_t, 9> &params, const QDateTime &at)
{
    ReviewMark m;
    m.kind = uint8_t(kind);
    if (post)
        m.setPost(post->position, post->mileage);
    m.setMadeAt(at);
    std::copy(params.begin(), params.end(), m.params);
    return m;
}

// Kinds 1..8 in a random order with the fish-scale start right before its end, and
// a few more.
std::vector<int> markKinds(common::SynthRandom &random)
{
    std::vector<int> kinds = {1, 2, 5, 6, 7, 8};
    for (size_t i = kinds.size() - 1; i > 0; --i)
        std::swap(kinds[i], kinds[size_t(random.below(int64_t(i) + 1))]);
    const auto at = kinds.begin() + std::ptrdiff_t(random.below(int64_t(kinds.size()) + 1));
    kinds.insert(at, {ReviewMarkKind::FishScaleStart, ReviewMarkKind::FishScaleEnd});
    for (int64_t extra = random.below(4); extra > 0; --extra)
        kinds.push_back(std::array{1, 2, 5, 6, 7, 8}[size_t(random.below(6))]);
    return kinds;
}

}  // namespace

std::vector<ReviewMark> reviewMarks(std::span<const PostRecord> posts, const QDate &recorded,
                                    common::SynthRandom &random)
{
    const std::vector<int> kinds = markKinds(random);
    std::vector<size_t> chosen;
    for (size_t i = 0; i < kinds.size() && !posts.empty(); ++i)
        chosen.push_back(size_t(random.below(int64_t(posts.size()))));
    std::sort(chosen.begin(), chosen.end());

    QDateTime at(recorded.addDays(random.between(1, 20)), QTime(int(random.between(8, 16)), int(random.below(60)), 0),
                 Qt::UTC);
    const std::array<uint8_t, 9> openingParams = posts.empty() ? std::array<uint8_t, 9>{} : posts.front().params;
    const size_t sessions = chosen.size() >= 4 && random.oneIn(2) ? 2 : 1;
    std::vector<ReviewMark> marks;
    size_t next = 0;
    for (size_t session = 0; session < sessions; ++session) {
        const QDateTime start = at;
        marks.push_back(makeMark(ReviewMarkKind::BrowseStart, nullptr, openingParams, start));
        const size_t end = session + 1 == sessions ? chosen.size() : chosen.size() / 2;
        for (; next < end; ++next) {
            at = at.addSecs(random.between(20, 300));
            const PostRecord &post = posts[chosen[next]];
            marks.push_back(makeMark(kinds[next], &post, post.params, at));
        }
        at = at.addSecs(random.between(60, 600));
        ReviewMark browseEnd = makeMark(ReviewMarkKind::BrowseEnd, nullptr, openingParams, at);
        const int minutes = int((start.secsTo(at) + 59) / 60);
        browseEnd.minutes[0] = uint8_t(minutes);
        browseEnd.minutes[1] = uint8_t(minutes >> 8);
        marks.push_back(browseEnd);
        at = at.addSecs(random.between(3600, 20000));
    }
    return marks;
}

}  // namespace brantview::synth
