#pragma once

#include <cstdint>
#include <map>
#include <random>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <utility>
#include <vector>

#include "platform.hpp"

namespace zifferon::testing {

// A clock that moves only when the fake sleeper waits. Its date is the first day at `midnight`
// and counts on by whole days (within one month, which is all a run of hours needs).
class FakeClock : public serienlauf::Clock {
public:
    FakeClock(std::int64_t now, std::int64_t midnight, console::CalendarDate firstDay)
        : now(now), midnight(midnight), firstDay(firstDay) {}

    std::int64_t seconds() override { return now; }
    console::CalendarDate date(std::int64_t seconds) override {
        return {firstDay.day + static_cast<int>((seconds - midnight) / 86400), firstDay.month,
                firstDay.year};
    }

    std::int64_t now;

private:
    std::int64_t midnight;
    console::CalendarDate firstDay;
};

// Waits by advancing the fake clock; records every wait.
class FakeSleeper : public serienlauf::Sleeper {
public:
    explicit FakeSleeper(FakeClock& clock) : clock(clock) {}

    void sleep(unsigned milliseconds) override {
        waits.push_back(milliseconds);
        pending += milliseconds;
        clock.now += static_cast<std::int64_t>(pending / 1000);
        pending %= 1000;
    }

    std::vector<unsigned> waits;

private:
    FakeClock& clock;
    std::uint64_t pending = 0;
};

// Reproducible draws in 0 .. 2^31 - 1 for each seed.
class SeededRandom : public serienlauf::RandomSource {
public:
    void seed(std::uint32_t seed) override { engine.seed(seed); }
    int draw() override { return static_cast<int>(engine() >> 1); }

private:
    std::mt19937 engine;
};

// Draws scripted per seed: after seed(s) the draws are those listed for s, in order. A seed
// without a script, or a draw past its end, throws, so a missed or extra reseed shows up.
class ScriptedRandom : public serienlauf::RandomSource {
public:
    explicit ScriptedRandom(std::map<std::uint32_t, std::vector<int>> scripts)
        : scripts(std::move(scripts)) {}

    void seed(std::uint32_t seed) override {
        if (scripts.count(seed) == 0) {
            throw std::logic_error("no draws scripted for seed " + std::to_string(seed));
        }
        seeds.push_back(seed);
        current = &scripts.at(seed);
        position = 0;
    }
    int draw() override {
        if (current == nullptr || position == current->size()) {
            throw std::logic_error("draw beyond the script");
        }
        return (*current)[position++];
    }
    // Whether the current seed's draws have all been taken.
    bool drawnOut() const { return current != nullptr && position == current->size(); }

    std::vector<std::uint32_t> seeds;

private:
    std::map<std::uint32_t, std::vector<int>> scripts;
    const std::vector<int>* current = nullptr;
    std::size_t position = 0;
};

// Collects output and records the length of the output at every flush.
class FlushRecorder : public std::streambuf {
public:
    std::string text;
    std::vector<std::size_t> flushes;

protected:
    int_type overflow(int_type c) override {
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            text.push_back(traits_type::to_char_type(c));
        }
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* s, std::streamsize count) override {
        text.append(s, static_cast<std::size_t>(count));
        return count;
    }
    int sync() override {
        flushes.push_back(text.size());
        return 0;
    }
};

}  // namespace zifferon::testing
