# tarnvik_add_program(NAME SOURCES file... [MEDIA dir] [PACK])
#
# Builds the program NAME against Tarnvik::tarnvik. MEDIA names a folder (relative to the
# calling CMakeLists.txt) that the program loads its files from:
#   without PACK, the folder is copied beside the executable under its own name, where the
#     program finds it (the runtime makes the executable's folder current before AppMain);
#   with PACK, tvkpack appends the folder's files to the executable itself and nothing is
#     copied, since a loose file beside the executable would win over the packed one.
# Either way the program is linked again when a media file changes, so the copy or the
# archive never goes stale.
#
# Needs the targets Tarnvik::tarnvik and, for PACK, Tarnvik::tvkpack: find_package(Tarnvik)
# makes both; the runtime's own build defines them as aliases.
function(tarnvik_add_program name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "PACK" "MEDIA" "SOURCES")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "tarnvik_add_program(${name}): unknown arguments ${arg_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT arg_SOURCES)
    message(FATAL_ERROR "tarnvik_add_program(${name}): SOURCES names no file")
  endif()
  if(arg_PACK AND NOT arg_MEDIA)
    message(FATAL_ERROR "tarnvik_add_program(${name}): PACK needs a MEDIA folder")
  endif()

  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE Tarnvik::tarnvik)
  if(NOT arg_MEDIA)
    return()
  endif()

  get_filename_component(media "${arg_MEDIA}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  if(NOT IS_DIRECTORY "${media}")
    message(FATAL_ERROR "tarnvik_add_program(${name}): MEDIA ${media} is not a folder")
  endif()
  get_filename_component(media_name "${media}" NAME)
  file(GLOB_RECURSE media_files CONFIGURE_DEPENDS "${media}/*")
  set_property(TARGET ${name} APPEND PROPERTY LINK_DEPENDS ${media_files})

  if(arg_PACK)
    if(NOT TARGET Tarnvik::tvkpack)
      message(FATAL_ERROR "tarnvik_add_program(${name}): PACK needs tvkpack, which was not found")
    endif()
    # tvkpack never writes over its input, so it packs into a second file that then
    # takes the executable's place.
    add_custom_command(TARGET ${name} POST_BUILD
      COMMAND Tarnvik::tvkpack append $<TARGET_FILE:${name}> "${media}" $<TARGET_FILE:${name}>.packed
      COMMAND ${CMAKE_COMMAND} -E rename $<TARGET_FILE:${name}>.packed $<TARGET_FILE:${name}>
      COMMENT "Packing ${media_name} into ${name}"
      VERBATIM)
  else()
    add_custom_command(TARGET ${name} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E rm -rf $<TARGET_FILE_DIR:${name}>/${media_name}
      COMMAND ${CMAKE_COMMAND} -E copy_directory "${media}" $<TARGET_FILE_DIR:${name}>/${media_name}
      VERBATIM)
  endif()
endfunction()
