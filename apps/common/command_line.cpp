#include "command_line.hpp"

#include <cstddef>
#include <iostream>

#include "zifferon/console/program_run.hpp"
#include "zifferon/console/standard_console.hpp"

namespace zifferon::cli {

namespace {

constexpr std::string_view timeLapseOption = "--zeitraffer";

// Writes the answer to --help or --version; a program never ends with 0 after losing output.
int answer(std::ostream& out, std::ostream& err, const std::string& text) {
    out << text;
    out.flush();
    if (out.bad()) {
        err << console::describe(console::OutputLost{}) << '\n';
        return console::exitOutputLost;
    }
    return 0;
}

int refuse(const Syntax& syntax, std::ostream& err, const std::string& complaint) {
    err << syntax.name << ": " << complaint << '\n' << syntax.usage << '\n';
    err.flush();
    return exitUsage;
}

std::string quoted(std::string_view text) {
    std::string result;
    result.reserve(text.size() + 2);
    result += '"';
    result += text;
    result += '"';
    return result;
}

// The start of a time-lapse run: the given local time, or now.
std::optional<int> takeTimeLapse(const Syntax& syntax, std::string_view argument, Request& request,
                                 std::ostream& err) {
    if (request.timeLapseStart) {
        return refuse(syntax, err, "die Option " + quoted(timeLapseOption) + " ist doppelt");
    }
    if (argument.size() == timeLapseOption.size()) {
        request.timeLapseStart = console::calendarSeconds();
        return std::nullopt;
    }
    const std::string_view text = argument.substr(timeLapseOption.size() + 1);
    const std::optional<console::LocalTime> time = parseLocalTime(text);
    if (!time) {
        return refuse(syntax, err,
                      "ungueltige Startzeit " + quoted(text) +
                          ", erwartet wird JJJJ-MM-TTTHH:MM:SS (Jahr 1970 bis 2999)");
    }
    request.timeLapseStart = console::calendarSecondsAt(*time);
    if (!request.timeLapseStart) {
        return refuse(syntax, err,
                      "die Startzeit " + quoted(text) + " gibt es in der Ortszeit nicht");
    }
    return std::nullopt;
}

bool isTimeLapse(std::string_view argument) {
    return argument.starts_with(timeLapseOption) &&
           (argument.size() == timeLapseOption.size() || argument[timeLapseOption.size()] == '=');
}

// The number of `digits` digits at `position`, or -1.
int number(std::string_view text, std::size_t position, std::size_t digits) {
    int value = 0;
    for (std::size_t i = position; i < position + digits; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return -1;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

int daysInMonth(int year, int month) {
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

}  // namespace

std::optional<int> takeArguments(std::string_view program, int argc, char* const* argv,
                                 Request& request) {
    const std::span<char* const> arguments =
        argc > 1 ? std::span<char* const>(argv + 1, static_cast<std::size_t>(argc - 1))
                 : std::span<char* const>();
    return take(syntaxOf(program), arguments, request, std::cout, std::cerr);
}

std::optional<int> useRequestedInput(const Request& request, std::ostream& err) {
    if (!request.file) {
        return std::nullopt;
    }
    try {
        console::useFileAsStandardInput(*request.file);
    } catch (const console::InputFailed& failure) {
        err << console::describe(failure) << '\n';
        err.flush();
        return console::exitInputFailed;
    }
    return std::nullopt;
}

std::optional<console::LocalTime> parseLocalTime(std::string_view text) {
    constexpr std::string_view form = "JJJJ-MM-TTTHH:MM:SS";
    if (text.size() != form.size() || text[4] != '-' || text[7] != '-' || text[10] != 'T' ||
        text[13] != ':' || text[16] != ':') {
        return std::nullopt;
    }
    const console::LocalTime time{number(text, 0, 4),  number(text, 5, 2),  number(text, 8, 2),
                                  number(text, 11, 2), number(text, 14, 2), number(text, 17, 2)};
    if (time.year < 1970 || time.year > 2999 || time.month < 1 || time.month > 12 || time.day < 1 ||
        time.day > daysInMonth(time.year, time.month) || time.hour < 0 || time.hour > 23 ||
        time.minute < 0 || time.minute > 59 || time.second < 0 || time.second > 59) {
        return std::nullopt;
    }
    return time;
}

std::optional<int> take(const Syntax& syntax, std::span<char* const> arguments, Request& request,
                        std::ostream& out, std::ostream& err) {
    bool optionsEnded = false;
    bool haveOperand = false;
    for (const char* raw : arguments) {
        const std::string_view argument = raw;
        const bool isOption = !optionsEnded && argument.size() > 1 && argument[0] == '-';
        if (isOption && argument == "--") {
            optionsEnded = true;
        } else if (isOption && argument == "--help") {
            return answer(
                out, err,
                syntax.usage + "\n" + syntax.help + "\nHandbuch: man " + syntax.name + "\n");
        } else if (isOption && argument == "--version") {
            return answer(out, err, syntax.name + " " + ZIFFERON_VERSION + "\n");
        } else if (isOption && syntax.takes == Takes::timeLapse && isTimeLapse(argument)) {
            if (const std::optional<int> status = takeTimeLapse(syntax, argument, request, err)) {
                return status;
            }
        } else if (isOption) {
            return refuse(syntax, err, "unbekannte Option " + quoted(argument));
        } else if (syntax.takes == Takes::file && !haveOperand) {
            haveOperand = true;
            if (argument != "-") {
                request.file = std::string(argument);
            }
        } else {
            return refuse(syntax, err, "unerwartetes Argument " + quoted(argument));
        }
    }
    return std::nullopt;
}

}  // namespace zifferon::cli
