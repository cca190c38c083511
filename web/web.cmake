# The browser build, included by the top-level CMakeLists.txt under Emscripten's toolchain:
# the same modules as the desktop, the platform/web layer, and the static site in site/.

# JavaScript exceptions: the game catches its TolmError, and asyncify can sleep through them.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)

# zlib's CRC-32 comes from the browser platform.
add_library(ZLIB::ZLIB INTERFACE IMPORTED)
target_include_directories(ZLIB::ZLIB INTERFACE ${CMAKE_SOURCE_DIR}/src/tolm2/platform/web/zlib)

set(KORVANE_WEB_DIR ${CMAKE_SOURCE_DIR}/src/tolm2/platform/web)
set(KORVANE_SITE_DIR ${CMAKE_BINARY_DIR}/site)

# The calls into the page that sleep: asyncify unwinds the program through them.
set(KORVANE_SLEEPING_CALLS kv_sleep kv_wait_event kv_files_open kv_files_hold kv_files_save)

function(korvane_web_site)
  file(GLOB web_srcs CONFIGURE_DEPENDS ${KORVANE_WEB_DIR}/*.cpp)
  add_executable(korvane ${CMAKE_SOURCE_DIR}/src/boot/main.cpp
                 ${web_srcs} ${CMAKE_SOURCE_DIR}/src/tolm2/platform/sdl/sdl_draw.cpp)
  target_include_directories(korvane PRIVATE ${CMAKE_SOURCE_DIR}/src ${KORVANE_WEB_DIR}/zlib)
  target_link_libraries(korvane PRIVATE boot)
  list(JOIN KORVANE_SLEEPING_CALLS "," sleeping)
  file(GLOB resources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resource/*
       ${CMAKE_SOURCE_DIR}/resource/*/*)
  target_link_options(korvane PRIVATE
    -sASYNCIFY=1 "-sASYNCIFY_IMPORTS=[${sleeping}]" -sASYNCIFY_STACK_SIZE=65536
    -sLEGACY_GL_EMULATION=1 -sALLOW_MEMORY_GROWTH=1 -sDISABLE_EXCEPTION_CATCHING=0
    -sFORCE_FILESYSTEM=1 -lidbfs.js -sEXIT_RUNTIME=0 "-sEXPORTED_RUNTIME_METHODS=[FS]"
    --js-library ${KORVANE_WEB_DIR}/korvane_platform.js
    --preload-file ${CMAKE_SOURCE_DIR}/resource@/resource)
  set_target_properties(korvane PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${KORVANE_SITE_DIR}
    SUFFIX ".js"
    LINK_DEPENDS "${KORVANE_WEB_DIR}/korvane_platform.js;${resources}")
  # The page, its script and style, and the game's icon, beside the program.
  set(page_files index.html page.js page.css)
  set(copies)
  foreach(page_file IN LISTS page_files)
    add_custom_command(OUTPUT ${KORVANE_SITE_DIR}/${page_file}
      COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/web/${page_file} ${KORVANE_SITE_DIR}/
      DEPENDS ${CMAKE_SOURCE_DIR}/web/${page_file})
    list(APPEND copies ${KORVANE_SITE_DIR}/${page_file})
  endforeach()
  add_custom_command(OUTPUT ${KORVANE_SITE_DIR}/icon.bmp
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/resource/ico.bmp ${KORVANE_SITE_DIR}/icon.bmp
    DEPENDS ${CMAKE_SOURCE_DIR}/resource/ico.bmp)
  add_custom_target(site_page ALL DEPENDS ${copies} ${KORVANE_SITE_DIR}/icon.bmp)
endfunction()
