# rw_resources(TARGET file...): embeds picture files (.bmp, .ico) into a module
# so that its resource script finds them by file name (see
# <win32/resource_script.h>). The bytes are turned into a generated source at
# build time, so changing a picture rebuilds the module.
set(RW_RESOURCE_EMBEDDER ${CMAKE_CURRENT_LIST_DIR}/embed_file.cmake CACHE INTERNAL "")

function(rw_resources target)
  foreach(file IN LISTS ARGN)
    get_filename_component(source ${file} ABSOLUTE)
    get_filename_component(name ${file} NAME)
    string(MAKE_C_IDENTIFIER ${name} identifier)
    set(output ${CMAKE_CURRENT_BINARY_DIR}/rw_resources/${target}_${identifier}.cpp)
    add_custom_command(
      OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -DINPUT=${source} -DOUTPUT=${output} -DNAME=${name} -DIDENTIFIER=${identifier}
              -P ${RW_RESOURCE_EMBEDDER}
      DEPENDS ${source} ${RW_RESOURCE_EMBEDDER}
      COMMENT "Embedding ${name} into ${target}"
      VERBATIM)
    target_sources(${target} PRIVATE ${output})
  endforeach()
endfunction()
