# Pipwick.dll: the plug-in as it ships.

# Import library for the functions norvane.exe exports.
set(NORVANE_IMPORT_LIB ${CMAKE_BINARY_DIR}/libnorvane.a)
add_custom_command(
    OUTPUT ${NORVANE_IMPORT_LIB}
    COMMAND ${CMAKE_DLLTOOL} -d ${CMAKE_SOURCE_DIR}/host/norvane.def
            -l ${NORVANE_IMPORT_LIB} -D norvane.exe
    DEPENDS ${CMAKE_SOURCE_DIR}/host/norvane.def
    COMMENT "Import library for norvane.exe")
add_custom_target(norvane_import_lib DEPENDS ${NORVANE_IMPORT_LIB})

add_library(Pipwick SHARED
    plugin/Pipwick.def
    plugin/clock_plugin.cpp
    plugin/create_window.cpp
    plugin/entry_points.cpp
    plugin/live_record.cpp
    plugin/module_pin.cpp
    config/data_folder.cpp
    config/file_stamp.cpp
    config/host_path.cpp
    config/settings_locator.cpp
    config/settings_not_kept.cpp
    config/settings_reader.cpp
    config/settings_saving.cpp
    config/settings_values.cpp
    config/settings_watch.cpp
    config/settings_writer.cpp
    config/style_import.cpp
    face/paint_clock.cpp
    face/face_background.cpp
    face/face_ink.cpp
    window/window_proc.cpp
    window/window_drag.cpp
    window/floating_place.cpp
    window/second_tick.cpp
    window/full_screen.cpp
    window/message_text.cpp
    window/broadcast_commands.cpp
    window/context_menu.cpp
    window/sizing.cpp
    window/settings_show.cpp
    window/layered_attributes.cpp
    window/monitor_position.cpp
    window/slit_membership.cpp
    window/spoken_time.cpp
    window/tooltip.cpp
)
set_target_properties(Pipwick PROPERTIES PREFIX "" OUTPUT_NAME Pipwick)
add_dependencies(Pipwick norvane_import_lib)
target_compile_options(Pipwick PRIVATE ${PIPWICK_WARNINGS} ${PIPWICK_PLUGIN_FLAGS})
target_link_options(Pipwick PRIVATE ${PIPWICK_PLUGIN_LINK_FLAGS})
target_link_libraries(Pipwick PRIVATE pipwick_core ${NORVANE_IMPORT_LIB} user32 gdi32 kernel32)

# The linked DLL's binary form is checked as part of the build: its format, exports
# and imports, and for the 32-bit DLL that its code runs on any i686 processor.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(PIPWICK_DLL_MACHINE --x86-64)
else()
    set(PIPWICK_DLL_MACHINE)
endif()
add_custom_command(TARGET Pipwick POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E env OBJDUMP=${CMAKE_OBJDUMP}
            ${CMAKE_SOURCE_DIR}/scripts/check-dll.sh ${PIPWICK_DLL_MACHINE} $<TARGET_FILE:Pipwick>
    VERBATIM)
