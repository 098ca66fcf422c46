// SPDX-License-Identifier: GPL-3.0-or-later
// Reproducible random numbers for the generator, mapped by hand so every standard library gives the same values.
#pragma once

#include <QStringList>
#include <random>

class SampleRandom
{
public:
    explicit SampleRandom(quint32 seed) : m_engine(seed) {}

    double unit() { return double(m_engine()) / 4294967296.0; } // [0, 1)
    double uniform(double low, double high) { return low + (high - low) * unit(); }
    int below(int n) { return n <= 0 ? 0 : std::min(n - 1, int(unit() * n)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(double p) { return unit() < p; }
    const QString &pick(const QStringList &list) { return list.at(below(int(list.size()))); }

private:
    std::mt19937 m_engine;
};
