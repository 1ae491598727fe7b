# Install rules of what the programs need besides themselves, and the .deb
# that `cpack` builds from the install tree: Tavimo, tavimo-cli, tavimo-sim,
# the desktop entry and its icon.
install(TARGETS tavimo-sim RUNTIME DESTINATION bin)
if(TAVIMO_GUI)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/tavimo.desktop DESTINATION share/applications)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/tavimo.svg DESTINATION share/icons/hicolor/scalable/apps)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION share/doc/tavimo RENAME copyright)

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "tavimo")
set(CPACK_PACKAGE_VENDOR "Orvik")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configuration and monitoring of eddy-current displacement-sensor controllers")
set(CPACK_PACKAGE_DESCRIPTION
    "Tavimo edits, receives and sends the settings of up to eight controllers on one RS-232C line, keeps them in files, shows live values and waveforms and runs the controllers' data buffering. With Tavimo (window), tavimo-cli (command line) and tavimo-sim (controller simulator on a pseudo-terminal).")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tavimo maintainers <maintainers@users.noreply.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk")
set(CPACK_STRIP_FILES ON)
include(CPack)
