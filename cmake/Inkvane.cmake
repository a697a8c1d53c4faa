# Helpers shared by the deliverables' build files.

# Resource scripts of the target include generated artwork by file name.
function(inkvane_use_artwork target)
  add_dependencies(${target} artwork)
  target_include_directories(${target} PRIVATE ${INKVANE_ARTWORK_DIR})
  get_target_property(sources ${target} SOURCES)
  foreach(source IN LISTS sources)
    if(source MATCHES "\\.rc$")
      set_property(SOURCE ${source} APPEND PROPERTY OBJECT_DEPENDS ${INKVANE_ARTWORK_FILES})
    endif()
  endforeach()
endfunction()

# A GUI program of the product, in the program folder.
function(inkvane_program target output_name)
  add_executable(${target} WIN32 ${ARGN})
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${output_name})
  inkvane_use_artwork(${target})
endfunction()

# A library of the product, in the program folder, named exactly output_name.dll. Its exports
# come from a .def file so that the names stay undecorated in the 32-bit build too.
function(inkvane_library target output_name)
  add_library(${target} SHARED ${ARGN})
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${output_name} PREFIX "" SUFFIX ".dll")
  inkvane_use_artwork(${target})
endfunction()
