#include "synthesizer.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace {

constexpr double twoPi = 2.0 * std::numbers::pi;
constexpr double rate = Synthesizer::sampleRate;

class Random
{
public:
    explicit Random(quint32 seed)
        : m_engine(seed)
    { }
    // Uniform in [0, 1), from the engine's bits so that it is the same on every library.
    double uniform() { return (m_engine() >> 8) * (1.0 / 16777216.0); }
    double bipolar() { return uniform() * 2.0 - 1.0; }

private:
    std::mt19937 m_engine;
};

// Topology-preserving state-variable filter: stable at every cutoff below Nyquist.
class Filter
{
public:
    enum Mode { Low, Band, High };

    Filter(Mode mode, double q)
        : m_mode(mode)
        , m_k(1.0 / std::max(q, 0.1))
    { }

    double process(double input, double cutoff)
    {
        const double g = std::tan(std::numbers::pi * std::clamp(cutoff, 20.0, rate * 0.45) / rate);
        const double a1 = 1.0 / (1.0 + g * (g + m_k));
        const double a2 = g * a1;
        const double a3 = g * a2;
        const double v3 = input - m_ic2;
        const double v1 = a1 * m_ic1 + a2 * v3;
        const double v2 = m_ic2 + a2 * m_ic1 + a3 * v3;
        m_ic1 = 2.0 * v1 - m_ic1;
        m_ic2 = 2.0 * v2 - m_ic2;
        switch (m_mode) {
        case Low:
            return v2;
        case Band:
            return v1;
        case High:
            return input - m_k * v1 - v2;
        }
        return v2;
    }

private:
    Mode m_mode;
    double m_k;
    double m_ic1 = 0.0;
    double m_ic2 = 0.0;
};

struct Partial
{
    double ratio;
    double amp;
};

QList<Partial> wavePartials(const QString &wave, double frequency)
{
    QList<Partial> partials;
    const int limit = std::clamp(int(rate * 0.45 / std::max(frequency, 20.0)), 1, 40);
    for (int n = 1; n <= limit; ++n) {
        double amp = 0.0;
        if (wave == u"saw")
            amp = 1.0 / n;
        else if (wave == u"square" || wave == u"reed")
            amp = (n % 2) ? 1.0 / n : (wave == u"reed" ? 0.08 / n : 0.0);
        else if (wave == u"triangle")
            amp = (n % 2) ? ((n / 2) % 2 ? -1.0 : 1.0) / (n * n) : 0.0;
        else if (wave == u"brass")
            amp = n <= 14 ? std::pow(n, -0.8) * (n < 4 ? 0.7 + 0.15 * n : 1.0) : 0.0;
        else if (wave == u"organ")
            amp = n == 1 ? 1.0 : n == 2 ? 0.5 : n == 3 ? 0.3 : n == 4 ? 0.25 : n == 6 ? 0.12 : 0.0;
        else
            amp = n == 1 ? 1.0 : 0.0;
        if (amp != 0.0)
            partials.append({ double(n), amp });
    }
    return partials;
}

QList<Partial> listedPartials(const QString &list)
{
    QList<Partial> partials;
    for (const QString &item : list.split(u',', Qt::SkipEmptyParts)) {
        const QStringList parts = item.split(u':');
        partials.append(
            { parts.value(0).toDouble(), parts.value(1, QStringLiteral("1")).toDouble() });
    }
    return partials;
}

double frequencyOf(const QString &text)
{
    const double note = SoundRecipe::noteFrequency(text);
    return note > 0.0 ? note : text.toDouble();
}

// The loudness shape of one event: linear attack, optional exponential decay, linear release.
double envelope(const SoundEvent &e, double t, double dur)
{
    const double attack = e.number(QStringLiteral("attack"), 0.005);
    const double release = e.number(QStringLiteral("release"), 0.02);
    const double decay = e.number(QStringLiteral("decay"), 0.0);
    double g = 1.0;
    if (attack > 0.0 && t < attack)
        g *= t / attack;
    if (decay > 0.0)
        g *= std::exp(-std::max(0.0, t - attack) / decay);
    if (release > 0.0 && t > dur - release)
        g *= std::max(0.0, (dur - t) / release);
    const double tremolo = e.number(QStringLiteral("tremolo"), 0.0);
    if (tremolo > 0.0) {
        const double depth = e.number(QStringLiteral("trem"), 0.5);
        g *= 1.0 - depth * (0.5 - 0.5 * std::cos(twoPi * tremolo * t));
    }
    return g;
}

void renderTone(const SoundEvent &e, double start, double dur, int repeatIndex, QList<double> &out)
{
    const double step = std::pow(2.0, e.number(QStringLiteral("step"), 0.0) * repeatIndex / 12.0);
    const double f0 = frequencyOf(e.text(QStringLiteral("note"), QStringLiteral("440"))) * step;
    const QString toText = e.text(QStringLiteral("to"));
    const double f1 = toText.isEmpty() ? f0 : frequencyOf(toText) * step;
    const double glide = e.number(QStringLiteral("glide"), dur);
    const double vibrato = e.number(QStringLiteral("vibrato"), 0.0);
    const double vdepth = e.number(QStringLiteral("vdepth"), 0.006);
    const double damp = e.number(QStringLiteral("damp"), 0.0);
    const double amp = e.number(QStringLiteral("amp"), 0.5);
    const int voices = std::max(1, int(e.number(QStringLiteral("voices"), 1)));
    const double spread = e.number(QStringLiteral("spread"), 8.0);
    const QString listed = e.text(QStringLiteral("partials"));
    const QList<Partial> partials = listed.isEmpty()
        ? wavePartials(e.text(QStringLiteral("wave"), QStringLiteral("sine")), std::max(f0, f1))
        : listedPartials(listed);
    double norm = 0.0;
    for (const Partial &p : partials)
        norm += std::abs(p.amp);
    norm = norm > 0.0 ? 1.0 / std::sqrt(norm * voices) : 0.0;

    const int first = int(start * rate);
    const int count = int(dur * rate);
    for (int v = 0; v < voices; ++v) {
        const double cents = voices == 1 ? 0.0 : spread * (2.0 * v / (voices - 1) - 1.0);
        const double detune = std::pow(2.0, cents / 1200.0);
        QList<double> phases(partials.size(), 0.25 * v);
        for (int i = 0; i < count && first + i < out.size(); ++i) {
            const double t = double(i) / rate;
            const double along = glide > 0.0 ? std::min(1.0, t / glide) : 1.0;
            double f = f0 * std::pow(f1 / f0, along) * detune;
            if (vibrato > 0.0)
                f *= 1.0 + vdepth * std::sin(twoPi * vibrato * t) * std::min(1.0, t * 4.0);
            double sample = 0.0;
            for (qsizetype k = 0; k < partials.size(); ++k) {
                const double pf = f * partials.at(k).ratio;
                if (pf >= rate * 0.45)
                    continue;
                double a = partials.at(k).amp;
                if (damp > 0.0)
                    a *= std::exp(-t * damp * (partials.at(k).ratio - 1.0));
                phases[k] += pf / rate;
                phases[k] -= std::floor(phases[k]);
                sample += a * std::sin(twoPi * phases[k]);
            }
            if (first + i >= 0)
                out[first + i] += amp * norm * sample * envelope(e, t, dur);
        }
    }
}

void renderNoise(const SoundEvent &e, double start, double dur, Random &random, QList<double> &out)
{
    const double amp = e.number(QStringLiteral("amp"), 0.5);
    const double band = e.number(QStringLiteral("band"), 0.0);
    const double lowpass = e.number(QStringLiteral("lowpass"), 0.0);
    const double highpass = e.number(QStringLiteral("highpass"), 0.0);
    const double q = e.number(QStringLiteral("q"), 1.0);
    const double from = band > 0.0 ? band : lowpass > 0.0 ? lowpass : 0.0;
    const double sweep = e.number(QStringLiteral("sweep"), from);
    Filter main(band > 0.0 ? Filter::Band : Filter::Low, band > 0.0 ? q : 0.707);
    Filter high(Filter::High, 0.707);
    const int first = int(start * rate);
    const int count = int(dur * rate);
    for (int i = 0; i < count && first + i < out.size(); ++i) {
        const double t = double(i) / rate;
        double x = random.bipolar();
        if (from > 0.0)
            x = main.process(x, from * std::pow(sweep / from, t / dur));
        if (highpass > 0.0)
            x = high.process(x, highpass);
        if (band > 0.0)
            x *= 2.0;
        if (first + i >= 0)
            out[first + i] += amp * x * envelope(e, t, dur);
    }
}

void renderBursts(const SoundEvent &e, double start, double dur, Random &random, QList<double> &out)
{
    const double amp = e.number(QStringLiteral("amp"), 0.5);
    const double perSecond = std::max(0.5, e.number(QStringLiteral("rate"), 10.0));
    const double jitter = e.number(QStringLiteral("jitter"), 0.0);
    const double burst = e.number(QStringLiteral("burst"), 0.012);
    const double band = e.number(QStringLiteral("band"), 1500.0);
    const double q = e.number(QStringLiteral("q"), 1.5);
    const double spread = e.number(QStringLiteral("spread"), 0.0);
    const double accent = e.number(QStringLiteral("accent"), 0.0);
    const double interval = 1.0 / perSecond;
    for (double t = 0.0; t < dur; t += interval) {
        const double when = std::clamp(t + jitter * interval * random.bipolar(), 0.0, dur);
        const double gain = amp * (1.0 - accent * random.uniform()) * envelope(e, when, dur);
        const double centre = band * (1.0 + spread * random.bipolar());
        Filter filter(Filter::Band, q);
        const int first = int((start + when) * rate);
        const int count = int(burst * 6.0 * rate);
        for (int i = 0; i < count && first + i < out.size(); ++i) {
            const double s = double(i) / rate;
            const double shape = std::min(1.0, s / 0.0015) * std::exp(-s / burst);
            const double x = 2.0 * filter.process(random.bipolar(), centre);
            if (first + i >= 0)
                out[first + i] += gain * shape * x;
        }
    }
}

} // namespace

QList<float> Synthesizer::render(const SoundRecipe &recipe)
{
    const int total = int(std::lround(recipe.length * rate));
    QList<double> mix(total, 0.0);
    Random random(recipe.seed);
    for (const SoundEvent &e : recipe.events) {
        const double at = e.number(QStringLiteral("at"), 0.0);
        const double dur = e.number(QStringLiteral("dur"), recipe.length - at);
        const int repeats = std::max(1, int(e.number(QStringLiteral("repeat"), 1)));
        const double every = e.number(QStringLiteral("every"), dur);
        for (int r = 0; r < repeats; ++r) {
            const double start = at + r * every;
            if (e.kind == u"tone")
                renderTone(e, start, dur, r, mix);
            else if (e.kind == u"noise")
                renderNoise(e, start, dur, random, mix);
            else
                renderBursts(e, start, dur, random, mix);
        }
    }

    // Remove any offset, then fade the ends so the sound starts and stops without a click.
    double mean = 0.0;
    for (double s : std::as_const(mix))
        mean += s;
    mean = total > 0 ? mean / total : 0.0;
    const int fadeIn = int(recipe.fadeIn * rate);
    const int fadeOut = int(recipe.fadeOut * rate);
    double loudest = 0.0;
    for (int i = 0; i < total; ++i) {
        double g = 1.0;
        if (i < fadeIn)
            g *= double(i) / fadeIn;
        if (i >= total - fadeOut)
            g *= double(total - 1 - i) / fadeOut;
        mix[i] = (mix[i] - mean) * g;
        loudest = std::max(loudest, std::abs(mix[i]));
    }
    QList<float> samples;
    samples.reserve(total);
    const double scale = loudest > 0.0 ? recipe.peak / loudest : 0.0;
    for (double s : std::as_const(mix))
        samples.append(float(s * scale));
    return samples;
}
