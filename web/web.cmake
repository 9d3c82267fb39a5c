# The browser build: the plain-C++ core and the page's bindings compiled to WebAssembly with
# emscripten, with the page, its script, its data and its font in one folder of static files.
# Configured with `emcmake cmake -S . -B build-web` (`make web`).

# toml++ and fmt are header-only; the browser build takes them from the host's Debian packages.
set(host_headers ${CMAKE_BINARY_DIR}/host_headers)
file(MAKE_DIRECTORY ${host_headers})
foreach(library toml++ fmt)
  file(CREATE_LINK /usr/include/${library} ${host_headers}/${library} SYMBOLIC)
endforeach()
# fmt supplies the shortest digits of a double where the browser's C++ library cannot.
target_include_directories(numeric SYSTEM PRIVATE ${host_headers})
room_library(setup_files GLOBS src/setup_files/*.cpp LINKS linkage)
target_include_directories(setup_files SYSTEM PUBLIC ${host_headers})

set(site ${CMAKE_BINARY_DIR}/site)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

# The catalogue, the gallery and the list of characters the page shows, as a script.
file(GLOB gallery CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/examples/*.mechsim)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/page_data.js ${CMAKE_BINARY_DIR}/page_characters.txt
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/web/page_data.py
          ${CMAKE_SOURCE_DIR}/translations/mechsim_en.ts ${CMAKE_SOURCE_DIR}/examples
          ${CMAKE_SOURCE_DIR}/web ${CMAKE_BINARY_DIR}/page_data.js
          ${CMAKE_BINARY_DIR}/page_characters.txt
  DEPENDS ${CMAKE_SOURCE_DIR}/web/page_data.py ${CMAKE_SOURCE_DIR}/translations/mechsim_en.ts
          ${CMAKE_SOURCE_DIR}/web/page.js ${CMAKE_SOURCE_DIR}/web/index.html ${gallery}
  VERBATIM)

# The pictures' proportional Gothic, cut down to the characters the page can show.
add_custom_command(
  OUTPUT ${site}/ipagp.woff2
  COMMAND ${CMAKE_COMMAND} -E make_directory ${site}
  COMMAND Python3::Interpreter -m fontTools.subset
          /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf
          --text-file=${CMAKE_BINARY_DIR}/page_characters.txt --flavor=woff2
          --layout-features=* --output-file=${site}/ipagp.woff2
  DEPENDS ${CMAKE_BINARY_DIR}/page_characters.txt
  VERBATIM)
add_custom_command(
  OUTPUT ${site}/index.html
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/web/index.html ${site}/index.html
  DEPENDS ${CMAKE_SOURCE_DIR}/web/index.html
  VERBATIM)
add_custom_target(web_site_files ALL DEPENDS ${site}/ipagp.woff2 ${site}/index.html)

file(GLOB web_sources CONFIGURE_DEPENDS src/web/*.cpp)
add_executable(mechsim_web ${web_sources})
target_link_libraries(mechsim_web PRIVATE setup_files mechanisms)
set_target_properties(mechsim_web PROPERTIES OUTPUT_NAME mechsim SUFFIX .js
                      RUNTIME_OUTPUT_DIRECTORY ${site})
target_link_options(mechsim_web PRIVATE
    --bind -fwasm-exceptions -sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=web
    -sEXPORTED_FUNCTIONS=_malloc,_free
    --pre-js ${CMAKE_BINARY_DIR}/page_data.js --post-js ${CMAKE_SOURCE_DIR}/web/page.js)
set_property(TARGET mechsim_web APPEND PROPERTY LINK_DEPENDS
             ${CMAKE_BINARY_DIR}/page_data.js ${CMAKE_SOURCE_DIR}/web/page.js)
add_custom_target(web_page_data DEPENDS ${CMAKE_BINARY_DIR}/page_data.js)
add_dependencies(mechsim_web web_page_data)
