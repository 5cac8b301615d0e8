# What `cmake --install` puts under the prefix, for programs outside this tree:
#   include/nbui/          public headers (win/, mfc/, nbp/, the host's, the library's)
#   lib/                   libnbplatform, libnbhost, libNbUI with versioned sonames
#   lib/cmake/NbUI/        the CMake package (NbUI::NbUI, NbUI::Host, NbUI::Platform)
#   lib/pkgconfig/nbui.pc  the pkg-config file
#   share/nbui/lang/<language>/NbLangUI.dll   the language modules
# The host's language loader looks for share/nbui/lang beside the library folder.
include(CMakePackageConfigHelpers)

set(nb_include_root ${CMAKE_INSTALL_INCLUDEDIR}/nbui)
set(nb_package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/NbUI)

install(TARGETS nbplatform nbhost NbUI EXPORT NbUITargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Public headers only: a header named *_internal.h, and the resource catalogue
# the library and its language modules share, stay in the tree.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/platform/include/ DESTINATION ${nb_include_root}
  FILES_MATCHING PATTERN "*.h")
foreach(root host nbui)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/${root}/ DESTINATION ${nb_include_root}
    FILES_MATCHING PATTERN "*.h"
    PATTERN "*_internal.h" EXCLUDE
    PATTERN "resources" EXCLUDE)
endforeach()

foreach(language en de)
  install(TARGETS NbLangUI_${language}
    LIBRARY DESTINATION ${CMAKE_INSTALL_DATADIR}/nbui/lang/${language})
  file(RELATIVE_PATH module_to_lib ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/nbui/lang/${language}
       ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR})
  set_target_properties(NbLangUI_${language} PROPERTIES INSTALL_RPATH "$ORIGIN/${module_to_lib}")
endforeach()

install(EXPORT NbUITargets NAMESPACE NbUI:: FILE NbUITargets.cmake DESTINATION ${nb_package_dir})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/NbUIConfig.cmake.in
  ${PROJECT_BINARY_DIR}/NbUIConfig.cmake INSTALL_DESTINATION ${nb_package_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/NbUIConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/NbUIConfig.cmake ${PROJECT_BINARY_DIR}/NbUIConfigVersion.cmake
  DESTINATION ${nb_package_dir})

# The .pc file names its prefix relative to itself, so an install can be moved
# or installed with --prefix after configuring.
file(RELATIVE_PATH nb_pc_to_prefix ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" nb_pc_to_prefix "${nb_pc_to_prefix}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/nbui.pc.in ${PROJECT_BINARY_DIR}/nbui.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/nbui.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
