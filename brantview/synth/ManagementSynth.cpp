#include "ManagementSynth.h"

#include "ManagementRecordBuilder.h"

#include "common/SynthRandom.h"

#include <QDate>

#include <algorithm>

namespace brantview {

namespace {

constexpr int SecondsPerDay = 86400;

// Where the instrument stands: the day, the time of day and the mileage in metres.
struct Walk {
    QDate day;
    int seconds = 0;
    int64_t metres = 0;

    MgStamp stamp() const
    {
        const QDate d = day.addDays(seconds / SecondsPerDay);
        const int s = seconds % SecondsPerDay;
        return {d.year() - 2000, d.month(), d.day(), s / 3600, s / 60 % 60, s % 60};
    }
    int km() const { return int(metres / 1000); }
    int m() const { return int(metres % 1000); }
};

class ManagementWriter {
public:
    ManagementWriter(const ManagementSynthOptions &options)
        : m_options(options), m_random(common::SynthRandom::stream(options.seed, 0x4D47))
    {
        m_walk.day = QDate(2014, 8, 13).addDays(int(m_random.below(30)));
        m_walk.metres = m_random.between(100, 900) * 1000 + m_random.below(1000);
        m_operator = int(m_random.between(1000, 30000));
    }

    QByteArray run()
    {
        for (int day = 0; day < m_options.days; ++day) {
            // Some mornings begin with a record the instrument left empty.
            if (m_random.oneIn(4))
                m_out += QByteArray(16, '\0');
            m_walk.seconds = int(7 * 3600 + 30 * 60 + m_random.below(3600));
            const bool clockDay = day == 1 || (day > 1 && m_random.oneIn(15));
            const bool lateDay = day + 2 == m_options.days || (m_options.days == 1) || m_random.oneIn(10);
            const int periods = int(m_random.between(2, 5));
            m_speedLimit = int(m_random.between(6, 10)) * 500;
            for (int p = 0; p < periods; ++p) {
                if (clockDay && p == 1)
                    clockChange();
                if (lateDay && p + 1 == periods)
                    m_walk.seconds = std::max(m_walk.seconds, 23 * 3600 + 30 * 60 + int(m_random.below(600)));
                period();
                m_walk.seconds += int(m_random.between(10, 60)) * 60;
            }
            // After a period past midnight the next day's work starts on the day it ended.
            m_walk.day = m_walk.day.addDays(std::max(1, m_walk.seconds / SecondsPerDay));
        }
        return m_out;
    }

private:
    void add(const QByteArray &record) { m_out += record; }

    void clockChange()
    {
        const MgStamp old = m_walk.stamp();
        m_walk.seconds = std::clamp(m_walk.seconds + int(m_random.between(-45, 45)) * 60, 0, SecondsPerDay - 3600);
        add(mgClockChange(old, m_walk.stamp()));
    }

    void period()
    {
        // Kept well inside the kilometres a record can hold.
        int direction = int(m_random.below(2));
        if (m_walk.metres < 50000)
            direction = 1;
        else if (m_walk.metres > 30000000)
            direction = 0;
        const int lineKind = int(m_random.below(6));
        add(mgPowerOn(m_walk.stamp(), m_walk.km(), m_walk.m(), m_speedLimit, int(m_random.between(1, 4095)), lineKind,
                      direction, int(m_random.below(2))));
        m_walk.seconds += int(m_random.between(30, 120));
        add(mgGainChange(m_walk.stamp(), m_walk.km(), m_walk.m(),
                         {int(m_random.between(30, 60)), int(m_random.between(30, 60)), int(m_random.between(30, 60)),
                          int(m_random.between(30, 60)), int(m_random.between(20, 50))}));

        const bool standing = m_random.oneIn(4);
        const int minutes = standing ? int(m_random.between(2, 10)) : int(m_random.between(20, 90));
        const double speed = standing ? 0.0 : 2.0 + double(m_random.below(250)) / 100.0;
        const int step = direction == 1 ? 1 : -1;
        int remaining = minutes * 60;
        auto travel = [&](int seconds) {
            seconds = std::min(seconds, remaining);
            remaining -= seconds;
            m_walk.seconds += seconds;
            m_walk.metres += step * int64_t(speed * seconds / 3.6);
            return seconds;
        };

        if (!standing) {
            travel(remaining / 3);
            if (m_random.oneIn(2)) {
                m_speedLimit = int(m_random.between(6, 10)) * 500;
                add(mgSpeedLimitChange(m_walk.stamp(), m_walk.km(), m_walk.m(), m_speedLimit));
            }
            const int overspeeds = int(m_random.below(3));
            for (int k = 0; k < overspeeds && remaining > 300; ++k)
                overspeed(travel);
        }
        travel(remaining);
        add(mgPowerOff(m_walk.stamp(), m_walk.km(), m_walk.m(), m_speedLimit, int(m_random.between(110, 130))));
    }

    template <typename Travel>
    void overspeed(Travel &travel)
    {
        const double limit = m_speedLimit / 1000.0;
        const double fast = limit + 0.2 + double(m_random.below(200)) / 100.0;
        const MgStamp start = m_walk.stamp();
        const int km = m_walk.km();
        const int m = m_walk.m();
        add(mgOverspeedEdge(5, start, km, m, fast, m_speedLimit));
        const int seconds = int(m_random.between(20, 180));
        const int64_t before = m_walk.metres;
        travel(seconds);
        // Over the limit for that while: the extra metres on top of the walk.
        const int64_t extra = int64_t(fast * seconds / 3.6) - std::abs(m_walk.metres - before);
        m_walk.metres += (m_walk.metres >= before ? 1 : -1) * std::max<int64_t>(extra, 0);
        add(mgOverspeedEdge(6, m_walk.stamp(), m_walk.km(), m_walk.m(), fast, m_speedLimit));
        add(mgOverspeedSummary(start, m_operator, km, m, int(std::abs(m_walk.metres - before)), fast));
        travel(int(m_random.between(60, 600)));
    }

    ManagementSynthOptions m_options;
    common::SynthRandom m_random;
    Walk m_walk;
    QByteArray m_out;
    int m_speedLimit = 4000;
    int m_operator = 0;
};

} // namespace

QByteArray synthesizeManagementFile(const ManagementSynthOptions &options)
{
    return ManagementWriter(options).run();
}

} // namespace brantview
