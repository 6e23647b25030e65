# cmake -DZIP=<zip> -DOUT=<folder> -P Unpack.cmake: unpacks the distributable zip into a fresh
# folder, with its files at the top (the zip may hold one folder named after itself).
if(NOT EXISTS "${ZIP}")
  message(FATAL_ERROR "${ZIP} is missing: make it first (cpack -G ZIP in the build folder; "
                      "the test command does)")
endif()
file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}")
file(ARCHIVE_EXTRACT INPUT "${ZIP}" DESTINATION "${OUT}")
file(GLOB_RECURSE exe "${OUT}/*Corvane.exe")
if(NOT exe)
  message(FATAL_ERROR "${ZIP} holds no Corvane.exe")
endif()
get_filename_component(dir "${exe}" DIRECTORY)
if(NOT dir STREQUAL OUT)
  file(GLOB files "${dir}/*")
  file(COPY ${files} DESTINATION "${OUT}")
endif()
