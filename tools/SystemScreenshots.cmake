# The system tool's views and the update check's outcomes, for docs/screenshots.
add_executable(system-screenshots SystemScreenshots.cpp)
target_link_libraries(system-screenshots PRIVATE corvella-ui Qt6::Test)
