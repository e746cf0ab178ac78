#pragma once
// The instrument being pushed along the line: speed with its changes and standstills,
// the time of day, the mileage, the GPS fix and the battery.

#include "common/SynthRandom.h"
#include "recording/Packets.h"

#include <cstdint>

namespace brantview::synth {

class Travel {
public:
    Travel(common::SynthRandom random, uint32_t startMileage, bool mileageGrows);

    // Steps travelled since the last call are counted with the step length in effect
    // until the next change.
    void move(int64_t steps) { m_pendingSteps += steps; }
    void setStepLength(double millimetres);

    // The mileage sample of this place: speed and time move on first.
    MileagePacket sample(int channelFlags);
    // The step of the next column, from 16 random bits: 1, more when pushed fast.
    int stepFor(uint32_t bits) const { return bits < m_threeSteps ? 3 : bits < m_twoSteps ? 2 : 1; }
    GpsPacket gps();
    PowerPacket power();

    uint32_t mileage() const;
    void correctMileage(int tenths) { m_mileage += tenths; }
    void advanceClock(int seconds);

private:
    void flushSteps();

    common::SynthRandom m_random;
    double m_stepMm = 2.94;
    int64_t m_pendingSteps = 0;
    double m_mileage;       // 0.1 m
    double m_direction;     // +1 or -1
    double m_speed = 30.0;  // 0.1 km/h
    double m_target = 40.0;
    int m_samplesToNewTarget = 0;
    double m_seconds;  // time of day
    double m_lastSampleMileage;
    uint32_t m_twoSteps = 0;  // thresholds over 16 bits
    uint32_t m_threeSteps = 0;
    // GPS: degrees, heading in radians, mileage at the last fix.
    double m_longitude, m_latitude, m_heading;
    double m_lastFixMileage;
    // Battery 0.1 V and temperature 0.01 °C.
    int m_voltage;
    int m_temperature;
    int m_powerReports = 0;
};

}  // namespace brantview::synth
