# Running applications and the load: procfs, the window list, pidfds.
target_sources(corvella-core PRIVATE
    ClientWindowSource.h
    DesktopEntryNames.cpp DesktopEntryNames.h
    ProcCpuTimes.cpp ProcCpuTimes.h
    ProcFile.cpp ProcFile.h
    ProcMemoryStats.cpp ProcMemoryStats.h
    ProcProcesses.cpp ProcProcesses.h
    ProcessHandle.cpp ProcessHandle.h
)
# The X11 window list reads the display through a connection of its own, so corvella-cli lists
# the same applications as the tab. libxcb is a C library, no widgets.
if(TARGET PkgConfig::XCB)
    target_sources(corvella-core PRIVATE X11ClientWindows.cpp X11ClientWindows.h)
    target_link_libraries(corvella-core PRIVATE PkgConfig::XCB)
    target_compile_definitions(corvella-core PRIVATE CORVELLA_HAVE_XCB)
endif()
