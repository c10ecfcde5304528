# The Qt shell, in rooms by concern. Each room is a library of its own that links only
# what it needs, so a wrong include fails to build. Includes run one way:
#
#   core  <-  store, sound, platform  <-  session  <-  windows  <-  program
#
# store, sound and platform never include each other, the session or the windows.

find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets Network DBus)
find_package(PkgConfig REQUIRED)
pkg_check_modules(LIBPULSE REQUIRED IMPORTED_TARGET libpulse)

# The facts every room may need about the program itself: one home, here.
add_library(gribo_facts INTERFACE)
target_compile_definitions(gribo_facts INTERFACE
  GRIBO_VERSION="${PROJECT_VERSION}"
  GRIBO_APP_ID="${GRIBO_APP_ID}"
  # The game names one of its ports "slots"; Qt must not take the word.
  QT_NO_KEYWORDS)

# gribo_room(<name> LIBS <libraries> [AUTOMOC] [TARGET <target>] [ONLY <files>] [EXCEPT <files>]):
# src/<name>/*.cpp as gribo_<name> (or <target>); ONLY and EXCEPT name files of the
# folder without their extension.
function(gribo_room name)
  cmake_parse_arguments(R "AUTOMOC" "TARGET" "LIBS;ONLY;EXCEPT" ${ARGN})
  set(dir ${CMAKE_SOURCE_DIR}/src/${name})
  if(R_ONLY)
    set(sources)
    foreach(f ${R_ONLY})
      list(APPEND sources ${dir}/${f}.cpp ${dir}/${f}.h)
    endforeach()
  else()
    file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
    foreach(f ${R_EXCEPT})
      list(REMOVE_ITEM sources ${dir}/${f}.cpp ${dir}/${f}.h)
    endforeach()
  endif()
  if(NOT R_TARGET)
    set(R_TARGET gribo_${name})
  endif()
  add_library(${R_TARGET} STATIC ${sources})
  target_include_directories(${R_TARGET} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_compile_options(${R_TARGET} PRIVATE ${GRIBO_STRICT_WARNINGS})
  target_link_libraries(${R_TARGET} PUBLIC gribo_core gribo_facts ${R_LIBS})
  if(R_AUTOMOC)
    set_target_properties(${R_TARGET} PROPERTIES AUTOMOC ON)
  endif()
endfunction()

# The store on disk: its file format, the durable write, the file port.
gribo_room(store LIBS Qt6::Core)
# The cry on the desktop's sound server, and the WAV reader.
gribo_room(sound LIBS Qt6::Core PkgConfig::LIBPULSE)
# The desktop around the game: its files, environment, the command line, the system's
# clock and random source, the desktop's notifications, the game and its reminder
# service finding each other (Qt Core and D-Bus: what the windowless reminder service
# shares with the game); and, for the game alone, its identity and one game per store.
set(platform_windowed identity single_instance)
gribo_room(platform TARGET gribo_platform_base AUTOMOC LIBS Qt6::Core Qt6::DBus EXCEPT ${platform_windowed})
gribo_room(platform AUTOMOC LIBS gribo_platform_base Qt6::Core Qt6::Gui Qt6::Network ONLY ${platform_windowed})
# The installed pictures are found from the executable by this relative path
# (../share/gribo for bin/ and share/gribo), whatever the prefix; the game and its
# reminder service (in a private folder of the installation) find each other the same way.
set(GRIBO_REMINDERS_INSTALL_DIR ${CMAKE_INSTALL_LIBEXECDIR}/gribo)
file(RELATIVE_PATH datadir_from_bindir ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/gribo)
file(RELATIVE_PATH reminders_from_bindir ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${GRIBO_REMINDERS_INSTALL_DIR}/gribo-reminders)
file(RELATIVE_PATH bindir_from_reminders ${CMAKE_INSTALL_PREFIX}/${GRIBO_REMINDERS_INSTALL_DIR}
     ${CMAKE_INSTALL_FULL_BINDIR}/gribo)
target_compile_definitions(gribo_platform_base PRIVATE GRIBO_DATADIR_FROM_BINDIR="${datadir_from_bindir}"
  GRIBO_REMINDERS_FROM_GAME="${reminders_from_bindir}" GRIBO_GAME_FROM_REMINDERS="${bindir_from_reminders}")
# The game as the shell runs it: its store saved after each handler, its timers.
gribo_room(session LIBS gribo_store gribo_platform Qt6::Core)
# The reminder service: the pet foreseen from its store, told through the desktop's
# notifications while the game is closed. No widgets, no pictures.
gribo_room(reminders AUTOMOC LIBS gribo_store gribo_platform_base Qt6::Core Qt6::DBus)
# The windows: Form1 to Form4, the picture slots, the accessible scene, the notices.
gribo_room(windows AUTOMOC LIBS gribo_session Qt6::Widgets Qt6::DBus)

# The vet's picture and the icons are drawn by the asset generator and built into
# the program.
set_source_files_properties(${GRIBO_PICTURE1_GIF} ${GRIBO_ICON_FILES} PROPERTIES GENERATED TRUE)
set(resources_qrc ${CMAKE_CURRENT_BINARY_DIR}/gribo_resources.qrc)
set(qrc "<RCC><qresource prefix=\"/gribo\">\n<file alias=\"picture1.gif\">${GRIBO_PICTURE1_GIF}</file>\n")
foreach(size icon IN ZIP_LISTS GRIBO_ICON_SIZES GRIBO_ICON_FILES)
  string(APPEND qrc "<file alias=\"icons/${size}.png\">${icon}</file>\n")
endforeach()
string(APPEND qrc "</qresource></RCC>\n")
file(CONFIGURE OUTPUT ${resources_qrc} CONTENT "${qrc}")
qt_add_resources(gribo_resource_sources ${resources_qrc})
set_source_files_properties(${gribo_resource_sources} PROPERTIES OBJECT_DEPENDS "${GRIBO_PICTURE1_GIF};${GRIBO_ICON_FILES}")
add_library(gribo_resources OBJECT ${gribo_resource_sources})
target_link_libraries(gribo_resources PRIVATE Qt6::Core)
add_dependencies(gribo_resources assets)

# The program: main() alone, the one place that names the concrete adapters.
add_executable(gribo ${CMAKE_SOURCE_DIR}/src/program/main.cpp)
target_compile_options(gribo PRIVATE ${GRIBO_STRICT_WARNINGS})
target_link_libraries(gribo PRIVATE gribo_windows gribo_sound gribo_platform gribo_resources)
set_target_properties(gribo PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
# Its relocations are read-only once it has started, as Debian hardens its programs.
target_link_options(gribo PRIVATE LINKER:-z,relro LINKER:-z,now)
install(TARGETS gribo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The reminder service, beside the game in the build tree and in a private folder of
# the installation: the desktop starts it at login (data/), the game when it closes.
add_executable(gribo-reminders ${CMAKE_SOURCE_DIR}/src/program/reminders_main.cpp)
target_compile_options(gribo-reminders PRIVATE ${GRIBO_STRICT_WARNINGS})
target_link_libraries(gribo-reminders PRIVATE gribo_reminders)
set_target_properties(gribo-reminders PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_link_options(gribo-reminders PRIVATE LINKER:-z,relro LINKER:-z,now)
add_dependencies(gribo gribo-reminders)
install(TARGETS gribo-reminders RUNTIME DESTINATION ${GRIBO_REMINDERS_INSTALL_DIR})
