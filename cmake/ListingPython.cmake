# The Python programs of the tests run with tools/ on their module path, where
# the shared harness package lives. This is the one place that sets it for
# ctest; the scripts people type set it for themselves.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(LISTING_PYTHON "${CMAKE_COMMAND}" -E env "PYTHONPATH=${PROJECT_SOURCE_DIR}/tools" "${Python3_EXECUTABLE}")
