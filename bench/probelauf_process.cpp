// probelauf as a user runs it: a process of its own, started for each run, reading a script of
// typed fraction systems as its standard input and writing its report to a file. This build's
// probelauf is timed against an earlier build's (the baseline), and before timing each must
// write the report that this build's probelauf::run writes, byte for byte.
//
// The time of a run is the processor time of the child process (user and system), which a
// busy neighbour inflates much less than the time on the clock.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <system_error>

#include "algebra_bench.hpp"
#include "probelauf.hpp"
#include "typed_fractions.hpp"
#include "zifferon/console/stream_console.hpp"

extern char** environ;

namespace zifferon::bench {

namespace {

// A file in memory (as a file in the page cache would be): the script to read, or the report.
class MemoryFile {
public:
    MemoryFile() : descriptor(memfd_create("zifferon-bench", MFD_CLOEXEC)) {
        if (descriptor < 0) {
            throw std::system_error(errno, std::generic_category(), "memfd_create");
        }
    }
    explicit MemoryFile(const std::string& text) : MemoryFile() {
        for (std::size_t written = 0; written < text.size();) {
            const ssize_t count = write(descriptor, text.data() + written, text.size() - written);
            if (count < 0) {
                throw std::system_error(errno, std::generic_category(), "writing the script");
            }
            written += static_cast<std::size_t>(count);
        }
    }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;
    ~MemoryFile() { close(descriptor); }

    // For reading from the start.
    int rewound() const {
        lseek(descriptor, 0, SEEK_SET);
        return descriptor;
    }
    // For writing from the start, empty.
    int emptied() const {
        if (ftruncate(descriptor, 0) != 0) {
            throw std::system_error(errno, std::generic_category(), "emptying the report");
        }
        return rewound();
    }
    std::string text() const {
        std::string content;
        char buffer[65536];
        for (ssize_t count; (count = pread(descriptor, buffer, sizeof buffer,
                                           static_cast<off_t>(content.size()))) > 0;) {
            content.append(buffer, static_cast<std::size_t>(count));
        }
        return content;
    }

private:
    int descriptor;
};

double seconds(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) * 1e-6;
}

// Runs the program, `input` as its standard input, standard output into `out` and errors
// into `err`; the processor time the child took, or a negative value when it did not start or
// did not exit with 0.
double runChild(const std::string& program, const MemoryFile& input, const MemoryFile& out,
                const MemoryFile& err) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input.rewound(), STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out.emptied(), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err.emptied(), STDERR_FILENO);
    char* const argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t child = 0;
    const int error = posix_spawn(&child, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        return -1;
    }
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, 0, &usage) < 0) {
        if (errno != EINTR) {
            return -1;
        }
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return -1;
    }
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// A script of `cases` typed fraction systems, each of an order from 3 to 6 drawn at random.
std::string typedScript(std::size_t cases) {
    TypedSystemDraw draw(2412);
    std::mt19937_64 engine(2413);
    std::uniform_int_distribution<std::size_t> order(3, 6);
    std::string script = std::to_string(cases) + "\n";
    for (std::size_t c = 1; c <= cases; ++c) {
        const TypedSystem system = draw.next(order(engine));
        const std::string n = std::to_string(system.n);
        script += "fall" + std::to_string(c) + " bruch\n";
        script += n + " " + n + "\n" + typedText(system.a, system.n);
        script += n + " 1\n" + typedText(system.b, 1);
    }
    return script;
}

// The report of this build's probelauf::run on the script, and what it wrote as errors.
struct Report {
    std::string out;
    std::string err;
};

Report inProcessReport(const std::string& script) {
    console::StringInput input(script);
    std::ostringstream out, err;
    console::StreamConsole console(input, out, err, false);
    probelauf::run(console);
    console.out().flush();
    return {out.str(), err.str()};
}

struct Script {
    std::string text;
    Report report;
};

void timeProcess(benchmark::State& state, const std::string& program, const Script& script) {
    if (program.empty()) {
        state.SkipWithError("not available: no baseline probelauf (ZIFFERON_BASELINE_COMMIT)");
        return;
    }
    const MemoryFile input(script.text);
    const MemoryFile out;
    const MemoryFile err;
    if (runChild(program, input, out, err) < 0 || out.text() != script.report.out ||
        err.text() != script.report.err) {
        state.SkipWithError("its report differs from this build's probelauf::run");
        return;
    }
    for (auto _ : state) {
        const double time = runChild(program, input, out, err);
        if (time < 0) {
            state.SkipWithError("a run did not end with exit status 0");
            return;
        }
        state.SetIterationTime(time);
    }
}

}  // namespace

void registerProcessBenchmarks(const std::string& baseline) {
    constexpr std::size_t cases = 4000;
    auto script = std::make_shared<Script>();
    script->text = typedScript(cases);
    script->report = inProcessReport(script->text);
    const std::string size = std::to_string(cases);
    const auto add = [&](const std::string& name, const std::string& program) {
        benchmark::RegisterBenchmark(
            name.c_str(),
            [program, script](benchmark::State& state) { timeProcess(state, program, *script); })
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    };
    add("process/probelauf-typed/" + size, PROBELAUF);
    add("process/probelauf-typed-baseline/" + size, baseline);
}

}  // namespace zifferon::bench
