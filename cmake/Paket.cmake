# The Debian package (make deb): CPack's DEB generator over the install rules
# of src/CMakeLists.txt. The runtime dependencies are found by dpkg-shlibdeps
# from the programs' libraries; what they load at run time without linking it
# (Qt's platform plugins) is named by hand. Nothing is bundled.

# The manual page NAME.1 from QUELLE, compressed as Debian keeps them
# (gzip -9n: no name, no time stamp, so the package is reproducible).
function(kalvo_manpage name quelle)
    set(ziel ${CMAKE_CURRENT_BINARY_DIR}/${name}.1.gz)
    add_custom_command(OUTPUT ${ziel}
        COMMAND gzip -9n -c ${quelle} > ${ziel}
        DEPENDS ${quelle}
        COMMENT "Handbuchseite ${name}.1")
    add_custom_target(manpage_${name} ALL DEPENDS ${ziel})
    install(FILES ${ziel} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()

# The package's copyright and changelog, as Debian policy places them.
function(kalvo_paketdokumente)
    set(ziel ${CMAKE_BINARY_DIR}/changelog.Debian.gz)
    add_custom_command(OUTPUT ${ziel}
        COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/share/changelog > ${ziel}
        DEPENDS ${PROJECT_SOURCE_DIR}/share/changelog
        COMMENT "Änderungsliste des Pakets")
    add_custom_target(paket_changelog ALL DEPENDS ${ziel})
    install(FILES ${ziel} ${PROJECT_SOURCE_DIR}/share/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kalvo)
endfunction()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kalvo)
set(CPACK_PACKAGE_VENDOR "Kalvo")
set(CPACK_PACKAGE_CONTACT "Kalvo-Entwicklung <kalvo@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Förderplanung für Erdgasfelder")
set(CPACK_PACKAGE_DESCRIPTION
    "Kalvo prognostiziert für ein Portfolio von Gasfeldern Jahr für Jahr die\n"
    "Dauerlastrate und die Jahresförderung bei fallendem Lagerstättendruck,\n"
    "addiert die Konsortialanteile zu einem Restfeldprofil und stellt die\n"
    "Summe einem Verkaufsprofil gegenüber. Dazu: Gaseigenschaften, Vorschlag\n"
    "für A1, B1 und C-Wert, Förderung nach Bedarf, Energie nach ISO 6976,\n"
    "Verträge, Anlagen, Bandbreiten, Monte Carlo und Szenarien.\n"
    "Das Paket enthält das Programm kalvo (Qt 6), die Rechnung von der\n"
    "Kommandozeile kalvo-batch, die deutsche Hilfe und Beispieldokumente.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its window system (xcb, wayland) and the offscreen platform of
# kalvo-batch's charts as plugins; the report font is Liberation Mono.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_PACKAGE_FILE_NAME kalvo)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/paket)
include(CPack)
