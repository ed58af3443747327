# Installing into a prefix: the program folder lib/velamo holds what the
# runnable tree build/app holds (the program, the platform library, the
# print library Tisk.so, the two video modules in system/ and the generated
# data tree beside them, where the program looks for them); bin/velamo is
# the command; a desktop entry and an icon put it in the desktop's menu.
# The program writes nothing into its folder that it needs (its temporary
# sound falls back to the animation's own file), so the folder may be
# read-only.
set(VELAMO_INSTALL_DIR lib/velamo)

set_target_properties(Velamo Tisk PROPERTIES INSTALL_RPATH "\$ORIGIN")
install(TARGETS Velamo RUNTIME DESTINATION ${VELAMO_INSTALL_DIR})
install(TARGETS velamo_platform Tisk LIBRARY DESTINATION ${VELAMO_INSTALL_DIR} NAMELINK_SKIP)
install(TARGETS avifil32 msvfw32 LIBRARY DESTINATION ${VELAMO_INSTALL_DIR}/system)
# The data tree as the build generated it; the binaries come from their
# targets above, and what a run may leave behind stays out.
install(DIRECTORY ${VELAMO_APP_DIR}/ DESTINATION ${VELAMO_INSTALL_DIR}
        PATTERN "Velamo" EXCLUDE
        PATTERN "*.so" EXCLUDE
        PATTERN "wavfil.wav" EXCLUDE)

install(CODE [[
  set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
  file(MAKE_DIRECTORY "${root}/bin")
  file(CREATE_LINK ../lib/velamo/Velamo "${root}/bin/velamo" SYMBOLIC)
  message(STATUS "Installing: ${root}/bin/velamo")
]])

# The menu entry names the installed command by its full path, so that it
# starts where the prefix's bin/ is not on the PATH (a prefix of its own).
set(VELAMO_DESKTOP_IN ${CMAKE_SOURCE_DIR}/shell/desktop/velamo.desktop.in)
install(CODE "set(VELAMO_DESKTOP_IN \"${VELAMO_DESKTOP_IN}\")")
install(CODE [[
  set(VELAMO_COMMAND "${CMAKE_INSTALL_PREFIX}/bin/velamo")
  set(entry "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/applications/velamo.desktop")
  configure_file("${VELAMO_DESKTOP_IN}" "${entry}" @ONLY)
  message(STATUS "Installing: ${entry}")
]])
install(FILES ${CMAKE_SOURCE_DIR}/shell/desktop/velamo.svg DESTINATION share/icons/hicolor/scalable/apps)

if(NOT VELAMO_FUZZ)
  # The program installed into a fresh prefix, started as its menu entry does.
  add_test(NAME InstalledProgram.RunsToTheTownAndOut
           COMMAND ${CMAKE_SOURCE_DIR}/tests/install/installed_program.sh ${CMAKE_BINARY_DIR})
endif()
