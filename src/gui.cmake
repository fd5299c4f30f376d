# The desktop program: Qt widgets over the core library.
find_package(OpenGL REQUIRED COMPONENTS OpenGL)
if(NOT TARGET OpenGL::GLU)
    message(FATAL_ERROR "GLU was not found (Debian package libglu1-mesa-dev)")
endif()

set(TRIVISTO_PROGRAM_DIR ${CMAKE_BINARY_DIR}/bin CACHE INTERNAL "Folder of the program and its data files")

add_library(trivisto_gui STATIC
    game/mainwindow.cpp game/mainwindow.h
    game/turncontroller.cpp game/turncontroller.h
    game/commands.cpp game/commands.h
    game/cueplayer.cpp game/cueplayer.h
    sheets/sheetwidget.cpp sheets/sheetwidget.h
    view3d/figureview.cpp view3d/figureview.h
    results/recordnamedialog.cpp results/recordnamedialog.h
    about/aboutdialog.cpp about/aboutdialog.h
    about/manualwindow.cpp about/manualwindow.h
    app/commandline.cpp app/commandline.h
    app/locations.cpp app/locations.h
    app/settings.cpp app/settings.h
    app/settingsdialog.cpp app/settingsdialog.h
    app/translations.cpp app/translations.h
    progress/codetext.cpp progress/codetext.h
    progress/statisticsdialog.cpp progress/statisticsdialog.h
    progress/highscoresdialog.cpp progress/highscoresdialog.h
    progress/progresswindows.cpp progress/progresswindows.h
)
target_compile_definitions(trivisto_gui PUBLIC TRIVISTO_VERSION="${PROJECT_VERSION}")
target_link_libraries(trivisto_gui PUBLIC trivisto_core
    Qt6::Widgets Qt6::OpenGL Qt6::OpenGLWidgets Qt6::Multimedia Qt6::Charts OpenGL::GL OpenGL::GLU)

# English is the source language; the Russian catalogue is built into the
# program (":/i18n"). The update_translations target refreshes the .ts file.
get_target_property(gui_sources trivisto_gui SOURCES)
list(FILTER gui_sources EXCLUDE REGEX "\\.qm|\\.qrc|autogen")
list(TRANSFORM gui_sources PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
qt_add_translations(trivisto_gui TS_FILES ${PROJECT_SOURCE_DIR}/translations/trivisto_ru.ts
    SOURCES ${gui_sources} ${CMAKE_CURRENT_SOURCE_DIR}/main.cpp)

qt_add_executable(trivisto main.cpp)
target_link_libraries(trivisto PRIVATE trivisto_gui)
set_target_properties(trivisto PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TRIVISTO_PROGRAM_DIR})

# The program finds its data beside itself. No results file is made: a missing
# one is an empty list, and a rebuild must never touch the player's records.
# trivisto.png: the window's icon where the icon theme lacks it (a build tree).
set(data_files sett.wav 3.wav 4.wav readme.txt manual.html panel.jpg emblem.png trivisto.png
    manual-screenshot.png manual-record.png manual-palette.png manual-hint.png manual-viewx.png manual-menu.png
    manual-settings.png manual-statistics.png manual-highscores.png)
set(data_sources)
foreach(f ${data_files})
    list(APPEND data_sources ${PROJECT_SOURCE_DIR}/assets/${f})
endforeach()
# The installed copy reads the same files from share/trivisto.
set(TRIVISTO_DATA_FILES ${data_sources} CACHE INTERNAL "Data files the program reads")
set(data_outputs)
foreach(f ${data_files})
    add_custom_command(OUTPUT ${TRIVISTO_PROGRAM_DIR}/${f}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/assets/${f} ${TRIVISTO_PROGRAM_DIR}/${f}
        DEPENDS ${PROJECT_SOURCE_DIR}/assets/${f})
    list(APPEND data_outputs ${TRIVISTO_PROGRAM_DIR}/${f})
endforeach()
add_custom_target(trivisto_data ALL DEPENDS ${data_outputs})
add_dependencies(trivisto trivisto_data)

# The keys of a perfect drawing of a puzzle code (scripts/smoke-installed).
add_executable(trivisto_solve ${PROJECT_SOURCE_DIR}/tools/solve.cpp)
target_link_libraries(trivisto_solve PRIVATE trivisto_core)
set_target_properties(trivisto_solve PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TRIVISTO_PROGRAM_DIR})

# Takes the README's picture of a checked turn (scripts/screenshot).
add_executable(trivisto_screenshot ${PROJECT_SOURCE_DIR}/tools/screenshot.cpp)
target_link_libraries(trivisto_screenshot PRIVATE trivisto_gui Qt6::Test)
set_target_properties(trivisto_screenshot PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TRIVISTO_PROGRAM_DIR})
add_dependencies(trivisto_screenshot trivisto_data)
