# The desktop program: Qt widgets over the core library.
find_package(OpenGL REQUIRED COMPONENTS OpenGL)
if(NOT TARGET OpenGL::GLU)
    message(FATAL_ERROR "GLU was not found (Debian package libglu1-mesa-dev)")
endif()

set(TRIVISTO_PROGRAM_DIR ${CMAKE_BINARY_DIR}/bin CACHE INTERNAL "Folder of the program and its data files")

add_library(trivisto_gui STATIC
    game/tfrmgl.cpp game/tfrmgl.h
    game/cueplayer.cpp game/cueplayer.h
    sheets/sheetwidget.cpp sheets/sheetwidget.h
    view3d/figureview.cpp view3d/figureview.h
    results/tforminputname.cpp results/tforminputname.h
    about/tforma.cpp about/tforma.h
    progress/statisticsdialog.cpp progress/statisticsdialog.h
    progress/highscoresdialog.cpp progress/highscoresdialog.h
)
target_link_libraries(trivisto_gui PUBLIC trivisto_core
    Qt6::Widgets Qt6::OpenGL Qt6::OpenGLWidgets Qt6::Multimedia Qt6::Charts OpenGL::GL OpenGL::GLU)

qt_add_executable(trivisto main.cpp)
target_link_libraries(trivisto PRIVATE trivisto_gui)
set_target_properties(trivisto PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TRIVISTO_PROGRAM_DIR})

# The program finds its data beside itself. The results file is only created
# when missing: a rebuild must never wipe the player's records.
set(data_files sett.wav 3.wav 4.wav readme.txt manual.html panel.jpg emblem.png manual-screenshot.png)
set(data_outputs)
foreach(f ${data_files})
    add_custom_command(OUTPUT ${TRIVISTO_PROGRAM_DIR}/${f}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/assets/${f} ${TRIVISTO_PROGRAM_DIR}/${f}
        DEPENDS ${PROJECT_SOURCE_DIR}/assets/${f})
    list(APPEND data_outputs ${TRIVISTO_PROGRAM_DIR}/${f})
endforeach()
add_custom_target(trivisto_data ALL
    DEPENDS ${data_outputs}
    COMMAND ${CMAKE_COMMAND} -DFILE=${TRIVISTO_PROGRAM_DIR}/Stat.txt -P ${PROJECT_SOURCE_DIR}/cmake/touch_if_missing.cmake)
add_dependencies(trivisto trivisto_data)

# Takes the README's picture of a checked turn (scripts/screenshot).
add_executable(trivisto_screenshot ${PROJECT_SOURCE_DIR}/tools/screenshot.cpp)
target_link_libraries(trivisto_screenshot PRIVATE trivisto_gui Qt6::Test)
set_target_properties(trivisto_screenshot PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TRIVISTO_PROGRAM_DIR})
add_dependencies(trivisto_screenshot trivisto_data)
