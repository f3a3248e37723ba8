// The programs' command line: in-process through the shared piece, and through the real
// programs as a user meets them (pipes, a pseudo-terminal, a script file).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "command_line.hpp"
#include "process.hpp"
#include "pty_session.hpp"

namespace zifferon {
namespace {

struct Program {
    const char* name;
    const char* path;
    const char* usage;  // as the refusal and --help show it
};

const Program programs[] = {
    {"rechenpult", RECHENPULT_PROGRAM, "Aufruf: rechenpult [--help | --version]"},
    {"probelauf", PROBELAUF_PROGRAM, "Aufruf: probelauf [DATEI | --help | --version]"},
    {"fehlerlauf", FEHLERLAUF_PROGRAM, "Aufruf: fehlerlauf [--help | --version]"},
    {"serienlauf_q", SERIENLAUF_Q_PROGRAM,
     "Aufruf: serienlauf_q [--zeitraffer[=JJJJ-MM-TTTHH:MM:SS] | --help | --version]"},
    {"serienlauf_z", SERIENLAUF_Z_PROGRAM,
     "Aufruf: serienlauf_z [--zeitraffer[=JJJJ-MM-TTTHH:MM:SS] | --help | --version]"},
    {"serienlauf_f", SERIENLAUF_F_PROGRAM,
     "Aufruf: serienlauf_f [--zeitraffer[=JJJJ-MM-TTTHH:MM:SS] | --help | --version]"},
    {"serienlauf_d", SERIENLAUF_D_PROGRAM,
     "Aufruf: serienlauf_d [--zeitraffer[=JJJJ-MM-TTTHH:MM:SS] | --help | --version]"},
};

// The shared piece on a list of arguments.
struct Taken {
    std::optional<int> status;
    cli::Request request;
    std::string out;
    std::string err;
};

Taken take(const char* program, std::vector<std::string> arguments) {
    std::vector<char*> pointers;
    for (std::string& argument : arguments) {
        pointers.push_back(argument.data());
    }
    Taken taken;
    std::ostringstream out, err;
    taken.status = cli::take(cli::syntaxOf(program), pointers, taken.request, out, err);
    taken.out = out.str();
    taken.err = err.str();
    return taken;
}

std::string refusal(const Program& program, const std::string& line) {
    return std::string(program.name) + ": " + line + "\n" + program.usage + "\n";
}

TEST(CommandLine, RefusesWhatAProgramDoesNotTakeWithStatus64) {
    struct Case {
        const char* program;
        std::vector<std::string> arguments;
        std::string line;
    };
    const std::vector<Case> cases = {
        {"rechenpult", {"--farbe"}, "unbekannte Option \"--farbe\""},
        {"rechenpult", {"-h"}, "unbekannte Option \"-h\""},
        {"fehlerlauf", {"datei.txt"}, "unerwartetes Argument \"datei.txt\""},
        {"probelauf", {"a.txt", "b.txt"}, "unerwartetes Argument \"b.txt\""},
        {"probelauf", {"--zeitraffer"}, "unbekannte Option \"--zeitraffer\""},
        {"serienlauf_z", {"--zeitrafferx"}, "unbekannte Option \"--zeitrafferx\""},
        {"serienlauf_q", {"skript.txt"}, "unerwartetes Argument \"skript.txt\""},
        {"serienlauf_d", {"--help=1"}, "unbekannte Option \"--help=1\""},
        {"serienlauf_d",
         {"--zeitraffer", "--zeitraffer=2026-01-01T00:00:00"},
         "die Option \"--zeitraffer\" ist doppelt"},
        // An unknown argument before --help is refused; --help before it answers.
        {"serienlauf_f", {"--x", "--help"}, "unbekannte Option \"--x\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.program) + " " + c.arguments.front());
        const Taken taken = take(c.program, c.arguments);
        EXPECT_EQ(taken.status, 64);
        EXPECT_EQ(taken.out, "");
        for (const Program& program : programs) {
            if (std::string(program.name) == c.program) {
                EXPECT_EQ(taken.err, refusal(program, c.line));
            }
        }
    }
    EXPECT_EQ(take("probelauf", {"--help", "--x"}).status, 0);
}

TEST(CommandLine, HelpAndVersionForEveryProgram) {
    for (const Program& program : programs) {
        SCOPED_TRACE(program.name);
        const Taken help = take(program.name, {"--help"});
        EXPECT_EQ(help.status, 0);
        EXPECT_EQ(help.err, "");
        EXPECT_EQ(help.out.rfind(std::string(program.usage) + "\n", 0), 0u) << help.out;
        const std::string manual = "\nHandbuch: man " + std::string(program.name) + "\n";
        ASSERT_GE(help.out.size(), manual.size());
        EXPECT_EQ(help.out.substr(help.out.size() - manual.size()), manual);

        const Taken version = take(program.name, {"--version"});
        EXPECT_EQ(version.status, 0);
        EXPECT_EQ(version.out, std::string(program.name) + " " + PROJECT_VERSION + "\n");
        EXPECT_EQ(version.err, "");
    }
}

TEST(CommandLine, AnAnswerThatCannotBeWrittenEndsWithStatus2) {
    std::ostringstream lost;
    lost.setstate(std::ios::badbit);
    std::ostringstream err;
    cli::Request request;
    char version[] = "--version";
    char* arguments[] = {version};
    EXPECT_EQ(cli::take(cli::syntaxOf("probelauf"), arguments, request, lost, err), 2);
    EXPECT_EQ(err.str(), "Fehler beim Schreiben der Ausgabe\n");
}

TEST(CommandLine, ProbelaufTakesOneFileAfterTheOptions) {
    const Taken file = take("probelauf", {"skript.txt"});
    EXPECT_EQ(file.status, std::nullopt);
    EXPECT_EQ(file.request.file, "skript.txt");
    // "-" is standard input; after "--" a file may be named like an option.
    EXPECT_EQ(take("probelauf", {"-"}).request.file, std::nullopt);
    EXPECT_EQ(take("probelauf", {"-"}).status, std::nullopt);
    const Taken named = take("probelauf", {"--", "--help"});
    EXPECT_EQ(named.status, std::nullopt);
    EXPECT_EQ(named.request.file, "--help");
    EXPECT_EQ(named.out, "");
    EXPECT_EQ(take("rechenpult", {}).status, std::nullopt);
}

// Berlin's rules, written out so that no time zone files are needed: CET, CEST from the last
// Sunday of March 02:00 to the last Sunday of October 03:00.
class LocalZone {
public:
    explicit LocalZone(const char* zone) {
        if (const char* old = std::getenv("TZ")) {
            previous = old;
        }
        setenv("TZ", zone, 1);
        tzset();
    }
    ~LocalZone() {
        if (previous) {
            setenv("TZ", previous->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }

private:
    std::optional<std::string> previous;
};
constexpr const char* berlin = "CET-1CEST,M3.5.0,M10.5.0/3";

TEST(CommandLine, TheTimeLapseStartsAtTheGivenLocalTime) {
    const LocalZone zone(berlin);
    // 20:00 CET is 19:00 UTC.
    const Taken winter = take("serienlauf_d", {"--zeitraffer=2026-12-06T20:00:00"});
    EXPECT_EQ(winter.status, std::nullopt) << winter.err;
    EXPECT_EQ(winter.request.timeLapseStart, 1796583600);
    // 02:30 on 25.10.2026 comes twice; the first is in summer time, 00:30 UTC.
    EXPECT_EQ(take("serienlauf_d", {"--zeitraffer=2026-10-25T02:30:00"}).request.timeLapseStart,
              1792888200);
    // 02:30 on 29.3.2026 never comes.
    const Taken skipped = take("serienlauf_q", {"--zeitraffer=2026-03-29T02:30:00"});
    EXPECT_EQ(skipped.status, 64);
    EXPECT_EQ(skipped.err, refusal(programs[3],
                                   "die Startzeit \"2026-03-29T02:30:00\" gibt es in der "
                                   "Ortszeit nicht"));
    // Without a time: now.
    const std::int64_t before = std::time(nullptr);
    const Taken now = take("serienlauf_f", {"--zeitraffer"});
    ASSERT_TRUE(now.request.timeLapseStart);
    EXPECT_GE(*now.request.timeLapseStart, before);
    EXPECT_LE(*now.request.timeLapseStart, std::time(nullptr));
}

TEST(CommandLine, StartTimesAreReadStrictly) {
    const LocalZone zone("UTC0");
    EXPECT_EQ(take("serienlauf_z", {"--zeitraffer=2024-02-29T23:59:59"}).request.timeLapseStart,
              1709251199);
    EXPECT_EQ(take("serienlauf_z", {"--zeitraffer=1970-01-01T00:00:00"}).request.timeLapseStart, 0);
    EXPECT_EQ(take("serienlauf_z", {"--zeitraffer=2000-02-29T00:00:00"}).status, std::nullopt);
    for (const char* wrong : {"",
                              "2026-12-06",
                              "2026-12-06 20:00:00",
                              "2026-12-06T20:00",
                              "2026-12-06T20:00:00Z",
                              "2026-12-6T20:00:00",
                              "26-12-06T20:00:00",
                              "2026/12/06T20:00:00",
                              "2026-12-06t20:00:00",
                              "2026-12-06T20-00-00",
                              "2026-12-06T2a:00:00",
                              "+026-12-06T20:00:00",
                              "2026-13-01T00:00:00",
                              "2026-00-10T00:00:00",
                              "2026-04-31T00:00:00",
                              "2026-02-29T00:00:00",
                              "2100-02-29T00:00:00",
                              "2026-12-00T00:00:00",
                              "2026-12-06T24:00:00",
                              "2026-12-06T20:60:00",
                              "2026-12-06T20:00:60",
                              "1969-12-31T23:59:59",
                              "3000-01-01T00:00:00"}) {
        SCOPED_TRACE(wrong);
        const Taken taken = take("serienlauf_z", {std::string("--zeitraffer=") + wrong});
        EXPECT_EQ(taken.status, 64);
        EXPECT_EQ(taken.err, refusal(programs[4], "ungueltige Startzeit \"" + std::string(wrong) +
                                                      "\", erwartet wird JJJJ-MM-TTTHH:MM:SS "
                                                      "(Jahr 1970 bis 2999)"));
    }
}

// --- The real programs ---

TEST(Programs, AnswerVersionAndRefuseUnknownArgumentsWithoutWork) {
    for (const Program& program : programs) {
        SCOPED_TRACE(program.name);
        const testing::ProcessResult version = testing::runProgram(program.path, {"--version"}, "");
        EXPECT_TRUE(version.exitedWith(0)) << version.status;
        EXPECT_EQ(version.out, std::string(program.name) + " " + PROJECT_VERSION + "\n");
        EXPECT_EQ(version.err, "");

        // Nothing on standard output: no screen, no table header, no report.
        const testing::ProcessResult wrong =
            testing::runProgram(program.path, {"--gibtsnicht"}, "1\nt double 1 1 1 1 1 1\n");
        EXPECT_TRUE(wrong.exitedWith(64)) << wrong.status;
        EXPECT_EQ(wrong.out, "");
        EXPECT_EQ(wrong.err, refusal(program, "unbekannte Option \"--gibtsnicht\""));
    }
}

// On a terminal, --help answers at once: no screen is drawn, no run started, and the terminal
// is in line mode as before.
TEST(Programs, HelpOnATerminalAnswersAtOnce) {
    for (const Program& program : programs) {
        SCOPED_TRACE(program.name);
        testing::PtySession session(program.path, {"--help"});
        const int status = session.finish();
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        const std::string& screen = session.output();
        EXPECT_EQ(screen.rfind(std::string(program.usage) + "\r\n", 0), 0u) << screen;
        const std::string manual = "\r\nHandbuch: man " + std::string(program.name) + "\r\n";
        ASSERT_GE(screen.size(), manual.size());
        EXPECT_EQ(screen.substr(screen.size() - manual.size()), manual);
        EXPECT_EQ(screen.find('\x1b'), std::string::npos);
        EXPECT_EQ(screen.find('\f'), std::string::npos);
    }
}

std::string contents(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// probelauf DATEI reads the file as "probelauf < DATEI" does: the same report, messages and
// status, whatever standard input holds.
TEST(Programs, ProbelaufReadsTheNamedScript) {
    const std::filesystem::path work =
        std::filesystem::temp_directory_path() / ("probelauf_file_" + std::to_string(getpid()));
    std::filesystem::create_directories(work);
    const std::string other = "1\nanders double 1 1 2 1 1 4\n";
    const auto expectSame = [&](const std::string& script) {
        const std::filesystem::path file = work / "skript.txt";
        std::ofstream(file, std::ios::binary) << script;
        const testing::ProcessResult piped = testing::runProgram(PROBELAUF_PROGRAM, {}, script);
        const testing::ProcessResult named =
            testing::runProgram(PROBELAUF_PROGRAM, {file.string()}, other);
        EXPECT_EQ(named.out, piped.out);
        EXPECT_EQ(named.err, piped.err);
        EXPECT_EQ(named.status, piped.status);
        return named;
    };
    // 2x = 4: x = 2.
    const testing::ProcessResult solved = expectSame("1\nzwei double 1 1 2 1 1 4\n");
    EXPECT_NE(solved.out.find("Resultat: \n\n2\t\n\n"), std::string::npos) << solved.out;
    EXPECT_TRUE(expectSame("2\nkurz double 1 1 2 1 1").exitedWith(1));
    expectSame(
        "\xEF\xBB\xBF"
        "1\nx bruch 1 1 2/4 1 1 1/1\n");

    const std::filesystem::path examples =
        std::filesystem::path(ZIFFERON_EXAMPLES_DIR) / "probelauf";
    if (std::filesystem::is_directory(examples)) {
        for (const auto& entry : std::filesystem::directory_iterator(examples)) {
            if (entry.path().extension() == ".in") {
                SCOPED_TRACE(entry.path().filename().string());
                std::filesystem::path expected = entry.path();
                expected.replace_extension(".out");
                const testing::ProcessResult run =
                    testing::runProgram(PROBELAUF_PROGRAM, {entry.path().string()}, other);
                EXPECT_EQ(run.out, contents(expected));
                EXPECT_TRUE(run.exitedWith(0)) << run.status;
            }
        }
    }

    // "-" is standard input.
    const testing::ProcessResult dash = testing::runProgram(PROBELAUF_PROGRAM, {"-"}, other);
    EXPECT_NE(dash.out.find("Test: anders\n"), std::string::npos) << dash.out;

    // A file that cannot be read: the input error, naming it.
    const std::string missing = (work / "fehlt.txt").string();
    const testing::ProcessResult absent = testing::runProgram(PROBELAUF_PROGRAM, {missing}, other);
    EXPECT_TRUE(absent.exitedWith(3)) << absent.status;
    EXPECT_EQ(absent.out, "");
    EXPECT_EQ(absent.err,
              "Fehler beim Lesen der Eingabe: " + missing + ": No such file or directory\n");
    const testing::ProcessResult directory =
        testing::runProgram(PROBELAUF_PROGRAM, {work.string()}, other);
    EXPECT_TRUE(directory.exitedWith(3)) << directory.status;
    EXPECT_EQ(directory.out, "");
    EXPECT_EQ(directory.err,
              "Fehler beim Lesen der Eingabe: " + work.string() + ": Is a directory\n");
    std::filesystem::remove_all(work);
}

}  // namespace
}  // namespace zifferon
