#include "figures.hpp"

#include <charconv>
#include <istream>
#include <ostream>
#include <sstream>
#include <vector>

namespace zifferon::bench {

namespace {

std::string flat(std::string text) {
    for (char& c : text) {
        if (c == '\t' || c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return text;
}

// Exact round trip of a double, in the C locale whatever the stream's.
std::string exact(double value) {
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

double parse(const std::string& text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> result;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, '\t')) {
        result.push_back(field);
    }
    return result;
}

}  // namespace

void writeFigures(std::ostream& out, const Figures& figures) {
    for (const auto& [name, figure] : figures) {
        out << flat(name) << '\t' << exact(figure.seconds) << '\t' << flat(figure.error);
        for (const auto& [key, value] : figure.counters) {
            out << '\t' << flat(key) << '=' << exact(value);
        }
        out << '\n';
    }
}

Figures readFigures(std::istream& in) {
    Figures figures;
    std::string line;
    while (std::getline(in, line)) {
        const std::vector<std::string> parts = fields(line);
        if (parts.size() < 2) {
            continue;
        }
        Figure& figure = figures[parts[0]];
        figure.seconds = parse(parts[1]);
        figure.isMedian = true;
        figure.error = parts.size() > 2 ? parts[2] : "";
        for (std::size_t i = 3; i < parts.size(); ++i) {
            const std::size_t equals = parts[i].find('=');
            if (equals != std::string::npos) {
                figure.counters[parts[i].substr(0, equals)] = parse(parts[i].substr(equals + 1));
            }
        }
    }
    return figures;
}

}  // namespace zifferon::bench
