# The Debian package (scripts/package.sh): what the install target puts under /usr besides the
# programs, and CPack's DEB generator. The version is the project's VERSION, the one that
# `q42cli --version` and the About box show.

set(Q42_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)
set(Q42_GENERATED ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${Q42_GENERATED})

# Man pages and the changelog go in compressed, as Debian keeps them; -n leaves out the time,
# so that the same sources give the same package.
function(q42_gzip source output)
    execute_process(COMMAND gzip -9nc ${source} OUTPUT_FILE ${output} COMMAND_ERROR_IS_FATAL ANY)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
endfunction()

q42_gzip(${Q42_PACKAGING}/q42cli.1 ${Q42_GENERATED}/q42cli.1.gz)
q42_gzip(${Q42_PACKAGING}/q42.1 ${Q42_GENERATED}/q42.1.gz)
q42_gzip(${Q42_PACKAGING}/changelog ${Q42_GENERATED}/changelog.gz)
file(CREATE_LINK q42.1.gz ${Q42_GENERATED}/q42-en.1.gz SYMBOLIC)
install(FILES ${Q42_GENERATED}/q42cli.1.gz ${Q42_GENERATED}/q42.1.gz ${Q42_GENERATED}/q42-en.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${Q42_GENERATED}/changelog.gz ${Q42_PACKAGING}/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

install(FILES ${Q42_PACKAGING}/q42.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME org.q42.Q42.metainfo.xml)
install(FILES ${Q42_PACKAGING}/q42-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME q42.xml)
foreach(size IN ITEMS 16 24 32 48 64 128 256)
    install(FILES ${Q42_PACKAGING}/icons/q42-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME q42.png)
endforeach()

# The web page, when the package build made it (scripts/package.sh does when emscripten is there):
# the folder a school serves from any web server for the browsers of its classroom.
set(Q42_WEB_SITE "" CACHE PATH "The built web page's folder, installed as share/q42/web")
if(Q42_WEB_SITE)
    install(DIRECTORY ${Q42_WEB_SITE}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/q42/web)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME q42)
set(CPACK_PACKAGE_VENDOR "Q42 developers")
set(CPACK_PACKAGE_CONTACT "Q42 developers <q42@q42.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "teaching computer: a 16-bit machine with its assembler")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Q42 is a simulator of a small 16-bit educational machine. A student types
assembler text, compiles it into machine words, copies them into the
simulated RAM and runs them, to the halt or one instruction at a time,
watching registers, flags, RAM and a text screen with a keyboard. A
debugger pauses at breakpoints, steps back and explains every step.

The package holds the desktop program in Russian (q42) and in English
(q42-en), the command-line tool q42cli (assemble, run, decode, debug, and
check students' programs against a teacher's exercise file), the student's
guide in both languages and commented examples.")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
include(CPack)
