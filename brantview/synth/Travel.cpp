#include "Travel.h"

#include <algorithm>
#include <cmath>

namespace brantview::synth {

namespace {

constexpr double secondsPerDay = 86400.0;
constexpr double metresPerLatitudeDegree = 111000.0;

// Decimal degrees as the receiver sends them: degrees × 100000 + minutes × 1000.
uint32_t degreesMinutes(double degrees)
{
    const int whole = int(std::floor(degrees));
    int thousandths = int(std::lround((degrees - whole) * 60000.0));
    if (thousandths >= 60000)
        return uint32_t(whole + 1) * 100000;
    return uint32_t(whole) * 100000 + uint32_t(thousandths);
}

}  // namespace

Travel::Travel(common::SynthRandom random, uint32_t startMileage, bool mileageGrows)
    : m_random(random), m_mileage(startMileage), m_direction(mileageGrows ? 1.0 : -1.0)
{
    m_seconds = double(m_random.between(7 * 3600, 10 * 3600));
    m_lastSampleMileage = m_mileage;
    m_longitude = 100.0 + double(m_random.below(2000000)) / 100000.0;
    m_latitude = 25.0 + double(m_random.below(1500000)) / 100000.0;
    m_heading = double(m_random.below(6283)) / 1000.0;
    m_lastFixMileage = m_mileage;
    m_voltage = int(m_random.between(248, 256));
    m_temperature = int(m_random.between(-800, 3500));
}

void Travel::setStepLength(double millimetres)
{
    flushSteps();
    m_stepMm = millimetres;
}

void Travel::flushSteps()
{
    m_mileage += m_direction * double(m_pendingSteps) * m_stepMm / 100.0;
    m_mileage = std::max(m_mileage, 0.0);
    m_pendingSteps = 0;
}

uint32_t Travel::mileage() const
{
    const double now = m_mileage + m_direction * double(m_pendingSteps) * m_stepMm / 100.0;
    return uint32_t(std::lround(std::clamp(now, 0.0, 4.0e9)));
}

void Travel::advanceClock(int seconds)
{
    m_seconds = std::fmod(m_seconds + seconds + secondsPerDay, secondsPerDay);
}

MileagePacket Travel::sample(int channelFlags)
{
    flushSteps();
    const double metres = std::abs(m_mileage - m_lastSampleMileage) / 10.0;
    m_lastSampleMileage = m_mileage;

    if (--m_samplesToNewTarget <= 0) {
        m_samplesToNewTarget = int(m_random.between(30, 120));
        const int64_t kind = m_random.below(10);
        // Mostly a steady walk, now and then pushed fast or crawling.
        m_target = kind < 7   ? double(m_random.between(25, 55))
                   : kind < 9 ? double(m_random.between(55, 85))
                              : double(m_random.between(8, 25));
    }
    m_speed += (m_target - m_speed) * 0.15 + double(m_random.between(-40, 40)) / 10.0;
    m_speed = std::clamp(m_speed, 3.0, 120.0);
    int shownSpeed = int(std::lround(m_speed));
    double seconds = metres / (m_speed / 36.0);
    if (m_random.oneIn(150)) {
        // A standstill: the operator looks at something; the cart starts again slowly.
        shownSpeed = 0;
        seconds += double(m_random.between(20, 240));
        m_speed = double(m_random.between(5, 15));
    }
    advanceClock(int(std::lround(seconds)));

    // Above 5.5 km/h the instrument cannot fire every step.
    m_twoSteps = m_speed > 55.0 ? uint32_t(std::min(1.0, (m_speed - 55.0) / 60.0) * 65536.0) : 0;
    m_threeSteps = m_speed > 85.0 ? uint32_t((m_speed - 85.0) / 200.0 * 65536.0) : 0;

    MileagePacket packet;
    packet.speed = std::clamp(shownSpeed, 0, 127);
    packet.channelFlags = channelFlags;
    const int now = int(m_seconds);
    packet.hour = now / 3600;
    packet.minute = now / 60 % 60;
    packet.second = now % 60;
    packet.mileage = mileage();
    return packet;
}

GpsPacket Travel::gps()
{
    flushSteps();
    const double metres = std::abs(m_mileage - m_lastFixMileage) / 10.0;
    m_lastFixMileage = m_mileage;
    m_heading += double(m_random.between(-20, 20)) / 1000.0;
    m_latitude += metres * std::cos(m_heading) / metresPerLatitudeDegree;
    m_longitude += metres * std::sin(m_heading) / (metresPerLatitudeDegree * std::cos(m_latitude * 3.14159265 / 180.0));
    return {degreesMinutes(m_longitude), degreesMinutes(m_latitude)};
}

PowerPacket Travel::power()
{
    if (++m_powerReports % 8 == 0 && m_voltage > 200)
        --m_voltage;
    m_temperature += int(m_random.between(-15, 20));
    const int magnitude = std::abs(m_temperature);
    return {m_temperature < 0, magnitude / 100, magnitude % 100, m_voltage};
}

}  // namespace brantview::synth
