// The programs as a user meets them: probelauf on a long script against reading and printing
// the same script without solving, the calculator's answer to a key on a pseudo-terminal, a
// full mass-test table on a fake clock and as a time-lapse process, and the peak memory of a large
// matrix and of probelauf on one large system.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <memory>
#include <ostream>
#include <random>
#include <streambuf>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "algebra_bench.hpp"
#include "probelauf.hpp"
#include "process.hpp"
#include "pty_session.hpp"
#include "script_reader.hpp"
#include "serienlauf.hpp"
#include "series_fakes.hpp"
#include "zifferon/console/attribute.hpp"
#include "zifferon/console/console.hpp"
#include "zifferon/console/input_buffer.hpp"
#include "zifferon/console/stream_console.hpp"
#include "zifferon/matrix/matrix.hpp"

namespace zifferon::bench {

namespace {

// Output that goes nowhere, through a buffer as a file's would.
class Discard : public std::streambuf {
public:
    Discard() { setp(buffer.data(), buffer.data() + buffer.size()); }

protected:
    int_type overflow(int_type c) override {
        setp(buffer.data(), buffer.data() + buffer.size());
        return traits_type::not_eof(c);
    }

private:
    std::array<char, 1 << 16> buffer{};
};

// --- probelauf ---

// Which test cases a script holds.
enum class ScriptKind {
    mixed,    // element types and sizes 1 to 9 drawn at random
    double9,  // 9 x 9 double systems only
    bruch,    // fractions only, sizes 1 to 9 drawn at random
};

// A script of `cases` test cases, entries as a user types them. Fractions are small, so most
// exact systems stay in 64 bits; the few that do not raise the overflow error, as they would for
// a user.
std::string probelaufScript(std::uint32_t cases, std::uint32_t seed, ScriptKind kind) {
    std::mt19937 engine(seed);
    std::uniform_int_distribution<int> typeDraw(0, 3);
    std::uniform_int_distribution<std::uint32_t> sizeDraw(1, 9);
    std::uniform_int_distribution<int> whole(-99, 99);
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> numerator(-9, 9);
    std::uniform_int_distribution<int> denominator(1, 4);
    const char* const words[] = {"float", "double", "complex", "bruch"};

    std::string script = std::to_string(cases);
    script += '\n';
    const auto decimal = [&] {
        script += std::to_string(whole(engine));
        script += '.';
        script += std::to_string(digit(engine));
    };
    for (std::uint32_t c = 0; c < cases; ++c) {
        const int drawnType = typeDraw(engine);
        const std::uint32_t drawnSize = sizeDraw(engine);
        const int type = kind == ScriptKind::mixed     ? drawnType
                         : kind == ScriptKind::double9 ? 1
                                                       : 3;
        const std::uint32_t n = kind == ScriptKind::double9 ? 9 : drawnSize;
        script += "fall";
        script += std::to_string(c + 1);
        script += ' ';
        script += words[type];
        script += '\n';
        for (const std::uint32_t columns : {n, 1U}) {
            script += std::to_string(n);
            script += ' ';
            script += std::to_string(columns);
            script += '\n';
            for (std::uint32_t i = 0; i < n; ++i) {
                for (std::uint32_t j = 0; j < columns; ++j) {
                    if (type == 2) {
                        script += '(';
                        decimal();
                        script += ',';
                        decimal();
                        script += ')';
                    } else if (type == 3) {
                        script += std::to_string(numerator(engine));
                        script += '/';
                        script += std::to_string(denominator(engine));
                    } else {
                        decimal();
                    }
                    script += j + 1 < columns ? ' ' : '\n';
                }
            }
        }
    }
    return script;
}

// A script read in place, as a process reads its file: no copy of it on the heap.
class ScriptInput : public console::InputBuffer {
public:
    explicit ScriptInput(std::string_view script) : rest(script) {}

protected:
    std::size_t readSource(char* target, std::size_t capacity) override {
        const std::size_t count = rest.copy(target, capacity);
        rest.remove_prefix(count);
        return count;
    }

private:
    std::string_view rest;
};

// One console per run: the script as input, output and errors discarded, or kept for a check.
// The script must outlive the console.
class ScriptConsole {
public:
    explicit ScriptConsole(const std::string& script, std::streambuf* output = nullptr)
        : input(script),
          out(output != nullptr ? output : &sink),
          err(&sink),
          console(input, out, err, false) {}
    console::Console& get() { return console; }

private:
    ScriptInput input;
    Discard sink;
    std::ostream out;
    std::ostream err;
    console::StreamConsole console;
};

// The I/O floor: the script read and its report written with the fastest exact conversions
// (std::from_chars, std::to_chars) on plain buffers, nothing solved. The report is probelauf's,
// with the constant terms printed again where the result would stand.
class IoFloor {
public:
    explicit IoFloor(const std::string& script) : next(script.data()), end(next + script.size()) {}

    std::string report() {
        const std::uint32_t cases = count();
        for (std::uint32_t index = 1; index <= cases; ++index) {
            writeCase(index);
        }
        return std::move(out);
    }

private:
    struct Entry {
        double real = 0;
        double imag = 0;
        std::int64_t zaehler = 0;
        std::int64_t nenner = 1;
    };
    struct Block {
        std::uint32_t rows = 0;
        std::uint32_t columns = 0;
        std::vector<Entry> entries;
    };

    std::string_view word() {
        while (next != end && (*next == ' ' || *next == '\n')) {
            ++next;
        }
        const char* const first = next;
        while (next != end && *next != ' ' && *next != '\n') {
            ++next;
        }
        return {first, static_cast<std::size_t>(next - first)};
    }

    std::uint32_t count() {
        const std::string_view text = word();
        std::uint32_t value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        return value;
    }

    static const char* number(const char* first, const char* last, char type, double& value) {
        if (type == 'f') {
            float narrow = 0;
            first = std::from_chars(first, last, narrow).ptr;
            value = narrow;
            return first;
        }
        return std::from_chars(first, last, value).ptr;
    }

    Block block(char type) {
        Block block;
        block.rows = count();
        block.columns = count();
        block.entries.resize(std::size_t{block.rows} * block.columns);
        for (Entry& entry : block.entries) {
            const std::string_view text = word();
            const char* first = text.data();
            const char* const last = first + text.size();
            if (type == 'b') {
                first = std::from_chars(first, last, entry.zaehler).ptr;
                std::from_chars(first + 1, last, entry.nenner);
            } else if (type == 'c') {
                first = number(first + 1, last, type, entry.real);
                number(first + 1, last, type, entry.imag);
            } else {
                number(first, last, type, entry.real);
            }
        }
        return block;
    }

    void put(std::string_view text) { out += text; }

    void putNumber(double value) {
        char text[64];
        put({text,
             static_cast<std::size_t>(
                 std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6).ptr -
                 text)});
    }

    void putInteger(std::int64_t value) {
        char text[24];
        put({text,
             static_cast<std::size_t>(std::to_chars(text, text + sizeof text, value).ptr - text)});
    }

    void putBlock(const char* label, const Block& block, char type) {
        put(label);
        put("\n");
        putMatrix(block, type);
        put("\n\n");
    }

    void putMatrix(const Block& block, char type) {
        const Entry* entry = block.entries.data();
        for (std::uint32_t i = 0; i < block.rows; ++i) {
            for (std::uint32_t j = 0; j < block.columns; ++j, ++entry) {
                if (type == 'b') {
                    if (entry->zaehler == 0) {
                        put("0");
                    } else {
                        putInteger(entry->zaehler);
                        if (entry->nenner != 1) {
                            put("/");
                            putInteger(entry->nenner);
                        }
                    }
                } else if (type == 'c') {
                    put("(");
                    putNumber(entry->real);
                    put(",");
                    putNumber(entry->imag);
                    put(")");
                } else {
                    putNumber(entry->real);
                }
                put("\t");
            }
            put("\n");
        }
    }

    void writeCase(std::uint32_t index) {
        const std::string_view name = word();
        const std::string_view typeWord = word();
        const char type = typeWord == "float"     ? 'f'
                          : typeWord == "complex" ? 'c'
                          : typeWord == "bruch"   ? 'b'
                                                  : 'd';
        put("********************   Beginn Testfall ");
        putInteger(index);
        put("   ********************\n\n");
        const Block a = block(type);
        const Block b = block(type);
        put("Test: ");
        put(name);
        put("\nType: ");
        put(typeWord);
        put("\n\nVorher: \n\n");
        putBlock("Koeffizientenmatrix = ", a, type);
        putBlock("absolute Glieder = ", b, type);
        put("Resultat: \n\n");
        putMatrix(b, type);
        put("\n");
        put("Nachher: \n\n");
        putBlock("Koeffizientenmatrix = ", a, type);
        putBlock("absolute Glieder = ", b, type);
        put("********************   Ende Testfall ");
        putInteger(index);
        put("   ********************\n\n");
    }

    const char* next;
    const char* end;
    std::string out;
};

// A report without the text between "Resultat: " and "Nachher: " of each case.
std::string withoutResults(const std::string& report) {
    std::string kept;
    std::size_t from = 0;
    for (std::size_t result; (result = report.find("Resultat: ", from)) != std::string::npos;) {
        kept.append(report, from, result - from);
        from = report.find("Nachher: ", result);
    }
    kept.append(report, from);
    return kept;
}

// Output kept in a string.
class Keep : public std::streambuf {
public:
    std::string text;

protected:
    int_type overflow(int_type c) override {
        text += traits_type::to_char_type(c);
        return c;
    }
    std::streamsize xsputn(const char* bytes, std::streamsize count) override {
        text.append(bytes, static_cast<std::size_t>(count));
        return count;
    }
};

constexpr std::uint32_t scriptCases = 10000;

// probelauf on a script, and its I/O floor, which must read and print what probelauf does.
void registerProbelauf(const char* name, const char* floorName, ScriptKind kind) {
    const auto script =
        std::make_shared<const std::string>(probelaufScript(scriptCases, 1806, kind));
    benchmark::RegisterBenchmark(name, [script](benchmark::State& state) {
        for (auto _ : state) {
            ScriptConsole console(*script);
            benchmark::DoNotOptimize(probelauf::run(console.get()));
        }
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(floorName, [script](benchmark::State& state) {
        Keep program;
        ScriptConsole console(*script, &program);
        probelauf::run(console.get());
        console.get().out().flush();
        if (withoutResults(IoFloor(*script).report()) != withoutResults(program.text)) {
            state.SkipWithError("the floor does not read and print as probelauf does");
            return;
        }
        for (auto _ : state) {
            benchmark::DoNotOptimize(IoFloor(*script).report());
        }
    })->Unit(benchmark::kMillisecond);
}

void registerProbelauf() {
    registerProbelauf("program/probelauf/10000", "program/probelauf-io-floor/10000",
                      ScriptKind::mixed);
    registerProbelauf("program/probelauf-double9/10000", "program/probelauf-double9-io-floor/10000",
                      ScriptKind::double9);
    registerProbelauf("program/probelauf-bruch/10000", "program/probelauf-bruch-io-floor/10000",
                      ScriptKind::bruch);
}

// --- The calculator on a pseudo-terminal ---

const std::string normalColour = zifferon::console::sgrSequence(zifferon::console::attributeNormal);

// Waits until the calculator waits for a key with the terminal in raw mode: a key typed before
// would be echoed.
bool waitForKeyWait(testing::PtySession& session) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if ((session.mode().c_lflag & (ICANON | ECHO)) == 0) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(20));
    }
    return false;
}

// Waits for the end of the next complete type-selection screen after `from`: its last entry
// and the normal colour written after the list.
bool waitForScreen(testing::PtySession& session, std::size_t from) {
    if (!session.waitFor("Programm beenden", from)) {
        return false;
    }
    const std::size_t last = session.output().find("Programm beenden", from);
    return session.waitFor(normalColour, last);
}

void calculatorRedraw(benchmark::State& state) {
    const auto keys = static_cast<std::size_t>(state.range(0));
    std::vector<double> latencies;
    for (auto _ : state) {
        testing::PtySession session(RECHENPULT);
        if (!waitForScreen(session, 0) || !waitForKeyWait(session)) {
            state.SkipWithError("the calculator did not start on the pseudo-terminal");
            return;
        }
        latencies.clear();
        for (std::size_t k = 0; k < keys; ++k) {
            const std::size_t from = session.output().size();
            const auto start = std::chrono::steady_clock::now();
            session.send("P");  // down one entry, round from the last to the first
            if (!waitForScreen(session, from)) {
                state.SkipWithError("no redrawn screen after a key");
                return;
            }
            const auto end = std::chrono::steady_clock::now();
            latencies.push_back(std::chrono::duration<double, std::milli>(end - start).count());
            if (!waitForKeyWait(session)) {
                state.SkipWithError("the calculator did not wait for the next key");
                return;
            }
        }
    }
    std::sort(latencies.begin(), latencies.end());
    state.counters["median_ms"] = latencies[latencies.size() / 2];
    state.counters["p90_ms"] = latencies[latencies.size() * 9 / 10];
    state.counters["max_ms"] = latencies.back();
}

// --- Mass tests ---

template <class T>
void serienlaufTable(benchmark::State& state) {
    for (auto _ : state) {
        // 20:00 on 6.12.2026, as in the table tests.
        constexpr std::int64_t midnight = 1796515200;
        testing::FakeClock clock(midnight + 20 * 3600, midnight, {6, 12, 2026});
        testing::FakeSleeper sleeper(clock);
        testing::SeededRandom random;
        Discard sink;
        std::ostream out(&sink);
        serienlauf::Serienlauf<T>(out, clock, sleeper, random).run();
    }
}

// The real program with --zeitraffer, one whole process from start to exit, its table going to
// /dev/null. The time is the clock's, from start to exit, as the user waits for the table.
void serienlaufTimeLapse(benchmark::State& state, const char* program) {
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const testing::ProcessResult run =
            testing::runProgram(program, {"--zeitraffer=2026-12-06T20:00:00"}, "", [] {
                const int null = open("/dev/null", O_WRONLY);
                dup2(null, STDOUT_FILENO);
                close(null);
            });
        if (!run.exitedWith(0) || !run.err.empty()) {
            state.SkipWithError("the program did not end with status 0");
            return;
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}

// --- Memory ---
// The heap's peak ("max_bytes_used", counted by heap_counting.hpp) against the bytes of the
// elements that must exist at once (the counter "element_bytes").

void matrixMemory(benchmark::State& state) {
    const auto n = static_cast<std::uint32_t>(state.range(0));
    for (auto _ : state) {
        Matrix<double> matrix(n, n);
        benchmark::DoNotOptimize(matrix);
    }
    state.counters["element_bytes"] = static_cast<double>(std::size_t{n} * n * sizeof(double));
}

// One regular double system of n equations, diagonally dominant.
std::string largeSystemScript(std::uint32_t n) {
    std::mt19937 engine(200);
    std::uniform_int_distribution<int> entry(-9, 9);
    const std::string size = std::to_string(n);
    std::string script = "1\ngross double\n";
    script += size;
    script += ' ';
    script += size;
    script += '\n';
    for (std::uint32_t i = 0; i < n; ++i) {
        for (std::uint32_t j = 0; j < n; ++j) {
            script += std::to_string(i == j ? 10 * static_cast<int>(n) : entry(engine));
            script += ' ';
        }
        script += '\n';
    }
    script += size;
    script += " 1\n";
    for (std::uint32_t i = 0; i < n; ++i) {
        script += std::to_string(entry(engine));
        script += '\n';
    }
    return script;
}

// The elements a run must hold at once: A, b and x, and the solver's working copies of A and b.
// The script is made before the count starts, and read in place.
void registerProbelaufMemory(std::uint32_t n) {
    const auto script = std::make_shared<const std::string>(largeSystemScript(n));
    benchmark::RegisterBenchmark(
        ("memory/probelauf-double/" + std::to_string(n)).c_str(),
        [script, n](benchmark::State& state) {
            for (auto _ : state) {
                ScriptConsole console(*script);
                benchmark::DoNotOptimize(probelauf::run(console.get()));
            }
            const std::size_t elements = 2 * std::size_t{n} * n + 3 * std::size_t{n};
            state.counters["element_bytes"] = static_cast<double>(elements * sizeof(double));
        })
        ->Iterations(1)
        ->Repetitions(1);
}

}  // namespace

void registerProgramBenchmarks() {
    registerProbelauf();
    benchmark::RegisterBenchmark("program/rechenpult-redraw", calculatorRedraw)
        ->Arg(1000)
        ->Iterations(1)
        ->Repetitions(1)
        ->Unit(benchmark::kMillisecond);
    const auto table = [](const char* name, auto function) {
        benchmark::RegisterBenchmark(name, function)
            ->Iterations(1)
            ->Repetitions(3)
            ->Unit(benchmark::kMillisecond);
    };
    table("program/serienlauf-table/float", serienlaufTable<float>);
    table("program/serienlauf-table/double", serienlaufTable<double>);
    table("program/serienlauf-table/complex", serienlaufTable<Complex>);
    table("program/serienlauf-table/bruch", serienlaufTable<Bruch>);
    const auto timeLapse = [](const char* name, const char* program) {
        benchmark::RegisterBenchmark(
            name, [program](benchmark::State& state) { serienlaufTimeLapse(state, program); })
            ->Iterations(1)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    };
    timeLapse("program/serienlauf-zeitraffer/float", SERIENLAUF_F);
    timeLapse("program/serienlauf-zeitraffer/double", SERIENLAUF_D);
    timeLapse("program/serienlauf-zeitraffer/complex", SERIENLAUF_Z);
    timeLapse("program/serienlauf-zeitraffer/bruch", SERIENLAUF_Q);
    benchmark::RegisterBenchmark("memory/matrix-double", matrixMemory)
        ->Arg(1000)
        ->Iterations(1)
        ->Repetitions(1);
    registerProbelaufMemory(200);
}

}  // namespace zifferon::bench
