# The version resource of the Windows programs: bw_version_resource(TARGET DESCRIPTION) gives a
# program or library the project's company, product, version and copyright, its own file
# description and its file name as original file name (what Windows shows under Properties,
# Details, and what a signed file is recognised by). The setup program takes the same texts
# (packaging/brackwater.nsi, defined there as the release passes them on).
set(BW_BUILD_NUMBER 0 CACHE STRING "Fourth part of the file version")
set(BW_WEB_ADDRESS "https://brackwater.example.org" CACHE STRING "The maker's web site, for the version check")
set(BW_COMPANY_NAME "Brackwater")
set(BW_PRODUCT_NAME "Brackwater for Dynamics NAV")
set(BW_LEGAL_COPYRIGHT "Copyright (C) The Brackwater developers")
set(BW_VERSION_RC_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/version.rc.in)

function(bw_version_resource target description)
  if(NOT WIN32)
    return()
  endif()
  get_target_property(type ${target} TYPE)
  get_target_property(name ${target} OUTPUT_NAME)
  if(NOT name)
    set(name ${target})
  endif()
  if(type STREQUAL "SHARED_LIBRARY")
    set(BW_FILE_TYPE VFT_DLL)
    set(BW_ORIGINAL_FILENAME ${name}.dll)
  else()
    set(BW_FILE_TYPE VFT_APP)
    set(BW_ORIGINAL_FILENAME ${name}.exe)
  endif()
  set(BW_INTERNAL_NAME ${name})
  set(BW_FILE_DESCRIPTION ${description})
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${BW_VERSION_RC_TEMPLATE} ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
