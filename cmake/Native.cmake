# Native tree: unit tests of the portable engine, the tools and the asset generator that
# make the game's data, benchmarks and fuzz targets.
find_package(GTest REQUIRED)
include(GoogleTest)

foreach(dir tools assets tests/unit tests/soak bench fuzz)
    if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/CMakeLists.txt)
        add_subdirectory(${dir})
    endif()
endforeach()

# The shape of the source tree: includes point down the layers, and every file is formatted.
add_test(NAME check.layers COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-layers.sh)
add_test(NAME check.format COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-format.sh)
