# The Windows program, quillon.exe, built with MinGW-w64.

enable_language(RC)

set(QUILLON_ICON ${CMAKE_BINARY_DIR}/resources/quillon.ico)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_custom_command(
    OUTPUT ${QUILLON_ICON}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/resources
    COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/resources/draw_icon.py ${QUILLON_ICON}
    DEPENDS ${PROJECT_SOURCE_DIR}/resources/draw_icon.py
    COMMENT "Drawing the icon")

# One object of icon, manifest and version information, shared by the program and the
# programs it is measured against.
add_library(quillon_resources OBJECT resources/quillon.rc ${QUILLON_ICON})
target_include_directories(quillon_resources PRIVATE ${CMAKE_BINARY_DIR}/resources)
set_source_files_properties(resources/quillon.rc PROPERTIES
    OBJECT_DEPENDS "${QUILLON_ICON};${PROJECT_SOURCE_DIR}/resources/quillon.manifest")
target_compile_options(quillon_resources PRIVATE
    $<$<COMPILE_LANGUAGE:RC>:-I${PROJECT_SOURCE_DIR}/resources -I${CMAKE_BINARY_DIR}/resources -c65001>)

# Compact code, unused sections dropped, ASLR with a high-entropy base and NX.
# The same source gives the same bytes wherever and whenever it is built: the header's time
# stamp stays 0 and the source and build folders are not written into the program.
add_library(quillon_windows_flags INTERFACE)
target_compile_definitions(quillon_windows_flags INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
    _WIN32_WINNT=0x0601)
target_compile_options(quillon_windows_flags INTERFACE -ffunction-sections -fdata-sections
    $<$<COMPILE_LANGUAGE:CXX>:-finput-charset=UTF-8 -fexec-charset=UTF-8
    -ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=build>)
target_link_options(quillon_windows_flags INTERFACE -Wl,--gc-sections
    -Wl,--dynamicbase -Wl,--high-entropy-va -Wl,--nxcompat -Wl,--no-insert-timestamp)

target_link_libraries(quillon_catalogue PRIVATE quillon_windows_flags)
target_link_libraries(quillon_controller PRIVATE quillon_windows_flags)

add_library(quillon_win32_layout STATIC ui/win32/window_layout.cpp ui/win32/accessible_name.cpp)
target_include_directories(quillon_win32_layout PUBLIC ui/win32)
target_link_libraries(quillon_win32_layout PUBLIC quillon_windows_flags PRIVATE quillon_warnings)

add_library(quillon_win32_view STATIC ui/win32/controls.cpp ui/win32/main_window.cpp)
target_include_directories(quillon_win32_view PUBLIC ui/win32)
target_link_libraries(quillon_win32_view PUBLIC quillon_controller quillon_win32_layout comctl32
    PRIVATE quillon_warnings)

add_executable(quillon WIN32 app/main.cpp $<TARGET_OBJECTS:quillon_resources>)
target_link_libraries(quillon PRIVATE quillon_win32_view quillon_warnings)
# wWinMain, a GUI program, stripped.
target_link_options(quillon PRIVATE -municode -mwindows -s)
