# zifferon_check_program_runs(<bin dir> <work dir>): runs the installed programs as a user
# would from a shell, with redirected input and output, and compares what they write with what
# their descriptions say they write. The mass tests run for hours, so they are only started, and
# stopped once their table header must be out.
#
# ZIFFERON_RUN_LAUNCHER (a command that runs a program, such as Wine) and ZIFFERON_RUN_SUFFIX
# (".exe") let the same checks run the Windows programs.

function(zifferon_expect_run program input expected)
    execute_process(
        COMMAND ${ZIFFERON_RUN_LAUNCHER} "${program}${ZIFFERON_RUN_SUFFIX}"
        INPUT_FILE "${input}"
        RESULT_VARIABLE status
        OUTPUT_VARIABLE out
        ERROR_VARIABLE err
        TIMEOUT 60)
    if(NOT status STREQUAL "0" OR NOT out STREQUAL expected OR NOT err STREQUAL "")
        message(FATAL_ERROR "${program} < ${input}: status ${status}\n"
            "--- standard output:\n${out}\n--- expected:\n${expected}\n"
            "--- standard error:\n${err}")
    endif()
endfunction()

function(zifferon_check_program_runs bin work)
    file(MAKE_DIRECTORY "${work}")

    # fehlerlauf: the solver's four size errors, each reported and followed by a pause that
    # finds the input at its end.
    set(pause "Druecken Sie eine beliebige Taste . . . \n")
    set(heading "Es ist folgender Fehler aufgetreten: \n")
    string(CONCAT fehlerlauf
        "${heading}Die Matrix mit den absoluten Gliedern ist kein Spaltenvektor.\n\n${pause}"
        "${heading}Die Ergebnismatrix ist kein Spaltenvektor.\n\n${pause}"
        "${heading}Die Anzahl absoluter Glieder stimmt nicht mit der Zeilenanzahl des "
        "Loesungsvektors ueberein.\n\n${pause}"
        "${heading}Die Anzahl der absoluten Glieder stimmt nicht mit der Anzahl Gleichungen in "
        "der Koeffizientenmatrix ueberein.\n\n${pause}")
    zifferon_expect_run("${bin}/fehlerlauf" /dev/null "${fehlerlauf}")

    # probelauf: one fraction system, 1/2 x + 1/3 y = 1, 1/4 x + 1/5 y = 2, so x = -28, y = 45.
    file(WRITE "${work}/probelauf.in" "1\nbrueche bruch\n2 2\n1/2 1/3\n1/4 1/5\n2 1\n1/1 2/1\n")
    set(matrices "Koeffizientenmatrix = \n1/2\t1/3\t\n1/4\t1/5\t\n\n\n")
    string(APPEND matrices "absolute Glieder = \n1\t\n2\t\n\n\n")
    set(stars "********************")
    string(CONCAT probelauf
        "${stars}   Beginn Testfall 1   ${stars}\n\n"
        "Test: brueche\nType: bruch\n\nVorher: \n\n${matrices}"
        "Resultat: \n\n-28\t\n45\t\n\n"
        "Nachher: \n\n${matrices}"
        "${stars}   Ende Testfall 1   ${stars}\n\n")
    zifferon_expect_run("${bin}/probelauf" "${work}/probelauf.in" "${probelauf}")

    # rechenpult: the type selection (a cleared screen shows as a form feed, the highlighted
    # entry is marked "> "), then the end of the input ends the program.
    string(ASCII 12 formFeed)
    string(CONCAT rechenpult
        "${formFeed}Zifferon   Version 1.8.6\n\n"
        "Bitte waehlen Sie den Datentyp der Matrixelemente:\n\n"
        "> Dezimalzahl im Bereich von 1.17549e-38 bis 3.40282e+38\n"
        "  Dezimalzahl im Bereich von 2.22507e-308 bis 1.79769e+308\n"
        "  komplexe Zahlen\n  Bruchzahl\n  Programm beenden\n")
    zifferon_expect_run("${bin}/rechenpult" /dev/null "${rechenpult}")

    # The mass tests: the header line, with its one Latin-1 byte (0xF6, o umlaut), comes first.
    string(HEX "lfd.Nr. ! Koeffizientenmatrix ! absolute Glieder ! L" before)
    string(HEX "sung ! Probe ! mittlere Abweichung / % ! Version ! Datum\n" after)
    set(header "${before}f6${after}")
    set(startSeconds 2)
    if(ZIFFERON_RUN_LAUNCHER)
        set(startSeconds 5)  # the launcher's own start-up
    endif()
    string(LENGTH "${header}" headerLength)
    foreach(suffix IN ITEMS q z f d)
        set(table "${work}/serienlauf_${suffix}.txt")
        execute_process(
            COMMAND ${ZIFFERON_RUN_LAUNCHER} "${bin}/serienlauf_${suffix}${ZIFFERON_RUN_SUFFIX}"
            INPUT_FILE /dev/null
            OUTPUT_FILE "${table}"
            TIMEOUT ${startSeconds})
        file(READ "${table}" start LIMIT 200 HEX)
        string(SUBSTRING "${start}" 0 ${headerLength} start)
        if(NOT start STREQUAL header)
            message(FATAL_ERROR "serienlauf_${suffix} began its table with ${start}")
        endif()
    endforeach()
endfunction()
