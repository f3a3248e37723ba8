// How the seven programs describe themselves on --help and in their usage line.
#include <stdexcept>

#include "command_line.hpp"

namespace zifferon::cli {

namespace {

constexpr const char* options =
    "  --help       diese Hilfe zeigen\n"
    "  --version    Programmname und Version zeigen\n";

Syntax plainProgram(std::string_view name, const std::string& description) {
    return {std::string(name), "Aufruf: " + std::string(name) + " [--help | --version]",
            description + "\n" + options, Takes::nothing};
}

Syntax massTest(std::string_view name, const char* elements) {
    const std::string program(name);
    return {program,
            "Aufruf: " + program + " [--zeitraffer[=JJJJ-MM-TTTHH:MM:SS] | --help | --version]",
            std::string("Massentest des Gleichungsloesers fuer ") + elements +
                ": loest zufaellige\n"
                "Gleichungssysteme mit 1 bis 9 Gleichungen und schreibt eine Tabelle von 10000\n"
                "Zeilen auf die Standardausgabe. Jedes System wartet drei Sekunden, die ganze\n"
                "Tabelle dauert mehr als acht Stunden. Ist die Standardfehlerausgabe ein\n"
                "Terminal, zeigt sie den Fortschritt.\n"
                "\n"
                "  --zeitraffer[=JJJJ-MM-TTTHH:MM:SS]\n"
                "               ohne zu warten: die Uhr beginnt zur angegebenen Ortszeit (ohne\n"
                "               Angabe: jetzt) und geht nur um die Wartezeiten weiter. Jede\n"
                "               Zeile ist die eines echten Laufs ab dieser Zeit, dessen\n"
                "               Rechnungen keine Zeit brauchen.\n" +
                options,
            Takes::timeLapse};
}

}  // namespace

Syntax syntaxOf(std::string_view program) {
    if (program == "rechenpult") {
        return plainProgram(
            program,
            "Matrizenrechner fuer float, double, komplexe Zahlen und Brueche: zwei\n"
            "Matrizen eingeben und ausgeben, addieren, subtrahieren, "
            "multiplizieren,\n"
            "Determinante, Adjunkte und Inverse bilden, Gleichungssysteme "
            "loesen.\n"
            "Bedienung ueber Menues mit den Pfeiltasten und Enter.\n");
    }
    if (program == "fehlerlauf") {
        return plainProgram(program,
                            "Fuehrt den Gleichungsloeser in seine vier Argumentfehler und zeigt "
                            "jede\nFehlermeldung, gefolgt von einer Pause.\n");
    }
    if (program == "probelauf") {
        return {std::string(program), "Aufruf: probelauf [DATEI | --help | --version]",
                "Fuehrt die Testfaelle eines Testskripts mit dem Gleichungsloeser aus und "
                "schreibt\n"
                "den Bericht auf die Standardausgabe. Das Skript kommt aus DATEI oder, ohne "
                "DATEI\n"
                "oder mit -, von der Standardeingabe.\n"
                "\n"
                "  DATEI        das Testskript\n" +
                    std::string(options),
                Takes::file};
    }
    if (program == "serienlauf_q") {
        return massTest(program, "Brueche");
    }
    if (program == "serienlauf_z") {
        return massTest(program, "komplexe Zahlen");
    }
    if (program == "serienlauf_f") {
        return massTest(program, "float");
    }
    if (program == "serienlauf_d") {
        return massTest(program, "double");
    }
    throw std::invalid_argument("no such program: " + std::string(program));
}

}  // namespace zifferon::cli
