#include "viewer/SteppingFilter.h"

#include "StreamTrack.h"

#include <gtest/gtest.h>

using namespace brantview;
using streamtest::load;
using streamtest::Records;
using streamtest::run;
using streamtest::Track;

namespace {

constexpr int R = 1000;

struct Filter {
    bool show70 = true, show37 = true, show0 = true;
    bool ignoreZeroLoss = false;
    bool secondGroupShown = false;
    int16_t minRun70 = 3;

    StepFilter make() const
    {
        BrantSettings s;
        s.Show70 = show70;
        s.Show37 = show37;
        s.Show0 = show0;
        s.IgnoreZeroLoss = ignoreZeroLoss;
        s.MinRun70 = minRun70;
        s.MinRun37 = 3;
        s.MinRun0 = 3;
        return StepFilter(s, secondGroupShown);
    }
};

Filter only70()
{
    Filter f;
    f.show37 = f.show0 = false;
    return f;
}

Filter allOff()
{
    Filter f;
    f.show70 = f.show37 = f.show0 = false;
    return f;
}

bool hitsWith(const Records &records, const Filter &filter)
{
    const RecordingSlot slot = load(Track().at(500, records).to(3000).bytes());
    return filter.make().ViewHasHits(slot, 0, R);
}

TEST(ViewHasHits, RunCountersFollowTheRunRule)
{
    struct Case {
        const char *name;
        Records records;
        Filter filter;
        bool hits;
    };
    Filter ignoreZero;
    ignoreZero.ignoreZeroLoss = true;
    Filter second;
    second.secondGroupShown = true;
    Filter single;
    single.minRun70 = 1;
    const Case cases[] = {
        {"three rising values", run(1, 3), {}, true},
        {"two are short of the threshold", run(1, 2), {}, false},
        {"rises of 2 continue", {{1, 10}, {1, 12}, {1, 14}}, {}, true},
        {"a rise of 3 breaks", {{1, 10}, {1, 13}, {1, 16}}, {}, false},
        {"any fall continues", {{1, 30}, {1, 20}, {1, 10}}, {}, true},
        {"an equal value breaks, the next starts at 1", {{1, 10}, {1, 10}, {1, 11}, {1, 12}}, {}, false},
        {"after the break a full run counts", {{1, 10}, {1, 10}, {1, 11}, {1, 12}, {1, 13}}, {}, true},
        {"one series for codes 1 and 2", {{1, 10}, {2, 11}, {1, 12}}, {}, true},
        {"series do not mix", {{1, 10}, {3, 11}, {1, 12}}, {}, false},
        {"unfed codes do not break a run", {{1, 10}, {0, 50}, {5, 30}, {1, 11}, {1, 12}}, {}, true},
        {"threshold 1", run(1, 1), single, true},
        {"70° run, 70° off", run(1, 3), allOff(), false},
        {"37° run, 37° on", run(8, 3), {}, true},
        {"37° run, 70° only", run(5, 3), only70(), false},
        {"0° run, 70° only", run(11, 3), only70(), false},
        {"70° side series 12..23", {{12, 10}, {17, 11}, {12, 12}}, only70(), true},
        {"series 18, 19", run(19, 3), only70(), true},
        {"series 20, 21", run(20, 3), only70(), true},
        {"series 22, 23", run(23, 3), only70(), true},
        {"second group without its layout", run(26, 3), {}, false},
        {"second group 26, 27 feed series 0", {{26, 10}, {1, 11}, {27, 12}}, second, true},
        {"second group 28, 29 feed series 1", {{28, 10}, {3, 11}, {29, 12}}, second, true},
        {"zero loss records count", {{11, 0}, {11, 1}, {11, 2}}, {}, true},
        {"zero loss records ignored", {{11, 0}, {11, 1}, {11, 2}}, ignoreZero, false},
        {"ignored zeros do not break the run", {{11, 5}, {11, 0}, {11, 6}, {11, 0}, {11, 7}}, ignoreZero, true},
        {"zeros counted break it", {{11, 5}, {11, 0}, {11, 6}, {11, 0}, {11, 7}}, {}, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(hitsWith(c.records, c.filter), c.hits) << c.name;
}

TEST(ViewHasHits, MarksAndEventRecordsHitWithEveryFamilyOff)
{
    for (const Records &event :
         {Records{{24, 2}}, Records{{24, 14}}, Records{{25, 1}}, Records{{51, 0}}, Records{{53, 0}}, Records{{55, 0}},
          Records{{70, 1}}, Records{{71, 1}}, Records{{72, 1}}, Records{{73, 1}}})
        EXPECT_TRUE(hitsWith(event, allOff())) << "code " << event[0].first;
    for (const Records &other :
         {Records{{50, 0}}, Records{{52, 0}}, Records{{54, 0}}, Records{{56, 0}}, Records{{74, 0}}, run(1, 5)})
        EXPECT_FALSE(hitsWith(other, allOff())) << "code " << other[0].first;
}

TEST(ViewHasHits, TheWindowRunsFromTheColumnBeforeViewStartMinus100ToTheRightEdgePlus100)
{
    // Columns every 10 Steps; the view at 1000 tests the column in effect at 900
    // (position 890) up to position 2100.
    struct Case {
        int position;
        bool hits;
    };
    for (const Case c : {Case{880, false}, Case{890, true}, Case{2100, true}, Case{2110, false}}) {
        const RecordingSlot slot = load(Track().at(c.position, {{71, 1}}).to(4000).bytes());
        EXPECT_EQ(Filter().make().ViewHasHits(slot, 1000, R), c.hits) << "event at " << c.position;
    }
}

TEST(ViewHasHits, AnEmptyRecordingHasNone)
{
    EXPECT_FALSE(Filter().make().ViewHasHits(load(QByteArray("\x02", 1)), 0, R));
}

} // namespace
