#pragma once

// The calculator's screens as a transcript shows them when its output is not a terminal: no
// colours (a marker for the highlighted menu entry instead), a form feed where the screen is
// cleared, typed input not echoed. Written down from the screens' descriptions, piece by piece.

#include <string>
#include <vector>

namespace zifferon::testing::screens {

inline const std::string banner = "\fZifferon   Version 1.8.6\n\n";

inline std::string titled(const std::string& title) {
    return banner + "\n" + title + "\n\n";
}

// A menu screen: what comes before the entries, and the entries. Without colours the
// highlighted entry is marked "> " and the others are indented by two blanks.
struct Menu {
    std::string head;
    std::vector<std::string> entries;

    // The screen with entry `chosen` (from 1) highlighted.
    std::string at(int chosen) const {
        std::string result = head;
        for (std::size_t k = 0; k < entries.size(); ++k) {
            result += (static_cast<int>(k) + 1 == chosen ? "> " : "  ") + entries[k] + "\n";
        }
        return result;
    }
};

inline const Menu typeSelection{banner + "Bitte waehlen Sie den Datentyp der Matrixelemente:\n\n",
                                {"Dezimalzahl im Bereich von 1.17549e-38 bis 3.40282e+38",
                                 "Dezimalzahl im Bereich von 2.22507e-308 bis 1.79769e+308",
                                 "komplexe Zahlen", "Bruchzahl", "Programm beenden"}};

inline const Menu mainMenu{
    titled("Hauptmenue: "),
    {"Eingabe", "Ausgabe", "Arithmetic", "Matrix-Operationen", "Gleichungsloeser",
     "Datentyp der Matrizen aendern", "Programm beenden"}};

inline const Menu inputMenu{
    titled("Eingabe - Menue: "),
    {"Groesze der Matrix 1 anpassen", "Groesze der Matrix 2 anpassen",
     "Werte der Matrix 1 eingeben", "Werte der Matrix 2 eingeben", "Zurueck zum Hauptmenue"}};

inline const Menu outputMenu{titled("Ausgabe - Menue: "),
                             {"Matrix 1 ausgeben", "Matrix 2 ausgeben", "Zurueck zum Hauptmenue"}};

inline const Menu arithmeticMenu{titled("Arithmetic - Menue: "),
                                 {"Matrix 1 + Matrix 2", "Matrix 1 - Matrix 2",
                                  "Matrix 1 * Matrix 2", "Zurueck zum Hauptmenue"}};

inline const Menu operationsMenu{
    titled("Matrix - Operationen - Menue: "),
    {"Determinante Matrix 1", "Determinante Matrix 2", "Adjunkte Matrix 1", "Adjunkte Matrix 2",
     "Inverse Matrix 1", "Inverse Matrix 2", "Zurueck zum Hauptmenue"}};

inline const std::string pause = "Druecken Sie eine beliebige Taste . . . \n";

inline const std::string sizeDialog =
    titled("Geben Sie bitte folgende Daten ein:") + "Anzahl der Zeilen = Anzahl der Spalten = ";

inline const std::string valuesPrompt = "Bitte geben Sie die Werte der Matrixelemente ein. ";

// The value dialog up to and including the prompt for element (lastRow, lastColumn) of a matrix
// with `columns` columns.
inline std::string valueDialog(const std::string& prompt, int columns, int lastRow,
                               int lastColumn) {
    std::string result = banner +
                         "Brueche sind in der Form 1/2 einzugeben, \n"
                         "also Zaehler und Nenner durch einen Schraegstrich getrennt.\n"
                         "\n"
                         "Komplexe Zahlen dagegen sind in der Form (Re,Im) einzugeben. \n"
                         "Der reale Anteil ist dabei durch Komma vom imaginaeren Anteil "
                         "getrennt und \n"
                         "das Ganze muss in Klammern eingeschlossen werden.\n"
                         "\n" +
                         prompt + "\n\n";
    for (int i = 1; i <= lastRow; ++i) {
        for (int j = 1; j <= (i == lastRow ? lastColumn : columns); ++j) {
            result += "Zeile " + std::to_string(i) + " , Spalte " + std::to_string(j) + " = ";
        }
    }
    return result;
}

struct Properties {
    int rows;
    int columns;
    // Ja or Nein for square, zero, identity and scalar; the triangle answer; Ja or Nein for
    // column vector and row vector.
    std::vector<std::string> answers;
    std::string values;  // the matrix rows, tab after every element
};

inline std::string report(const Properties& p) {
    const char* labels[] = {
        "quadratische Matrix: ", "Nullmatrix: ",    "Einheitsmatrix: ", "Skalarmatrix: ",
        "Dreiecksmatrix: ",      "Spaltenvektor: ", "Zeilenvektor: "};
    std::string result = titled("Eigenschaften der Matrix:") + "Zeilen:" + std::to_string(p.rows) +
                         "\nSpalten: " + std::to_string(p.columns) + "\n";
    for (int k = 0; k < 7; ++k) {
        result += labels[k] + p.answers.at(k) + "\n";
    }
    return result + "\nWerte der Matrix: \n\n" + p.values + "\n" + pause;
}

inline const std::string diagonal = "Diagonalmatrix (beinhaltet obere und untere Dreiecksmatrix)";

// The report of a 3 x 3 zero matrix, as every type cycle starts with; `zero` is the element
// type's text for zero.
inline std::string zeroReportOf(const std::string& zero) {
    const std::string row = zero + "\t" + zero + "\t" + zero + "\t\n";
    return report({3, 3, {"Ja", "Ja", "Nein", "Ja", diagonal, "Nein", "Nein"}, row + row + row});
}

inline const std::string zeroReport = zeroReportOf("0");

// A result screen with its pause.
inline std::string result(const std::string& body) {
    return banner + "\nErgebnis: \n\n" + body + "\n\n" + pause;
}

// What printError writes for a message.
inline std::string matrixError(const std::string& message) {
    return "Es ist folgender Fehler aufgetreten: \n" + message + "\n\n";
}

// What the display of other errors writes to the error stream.
inline std::string textError(const std::string& text) {
    return "\nEs ist ein Fehler aufgetreten: \n" + text + "\n\n";
}

inline const std::string solverStart = titled("Gleichungsloeser:") + "Anzahl der Koeffizienten: ";
inline const std::string coefficientsPrompt = "Geben Sie bitte die Koeffizientenmatrix ein: ";
inline const std::string constantsPrompt =
    "Geben Sie bitte den Spaltenvektor der absoluten Glieder ein: ";

// The solver's input dialogs for n variables, complete.
inline std::string solverInput(int n) {
    return solverStart + valueDialog(coefficientsPrompt, n, n, n) +
           valueDialog(constantsPrompt, 1, n, 1);
}

// The solver's result screen with its pause.
inline std::string solverResult(const std::string& body) {
    return titled("Ergebnis: ") + body + "\n" + pause;
}

}  // namespace zifferon::testing::screens
