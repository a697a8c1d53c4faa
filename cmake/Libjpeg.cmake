# libjpeg-turbo, built for this target by scripts/build-libjpeg.sh from Debian's source package.
set(INKVANE_LIBJPEG_DIR ${CMAKE_SOURCE_DIR}/.deps/libjpeg-turbo/${CMAKE_SYSTEM_PROCESSOR}
    CACHE PATH "Install prefix of libjpeg-turbo for this target")
if(NOT EXISTS ${INKVANE_LIBJPEG_DIR}/lib/libjpeg.a)
  message(FATAL_ERROR "libjpeg-turbo is missing in ${INKVANE_LIBJPEG_DIR}: "
                      "run scripts/build-libjpeg.sh ${CMAKE_SYSTEM_PROCESSOR}")
endif()
add_library(jpeg STATIC IMPORTED GLOBAL)
set_target_properties(jpeg PROPERTIES
  IMPORTED_LOCATION ${INKVANE_LIBJPEG_DIR}/lib/libjpeg.a
  INTERFACE_INCLUDE_DIRECTORIES ${INKVANE_LIBJPEG_DIR}/include)
