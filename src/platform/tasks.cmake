# Running applications and the load: procfs, the window list, pidfds.
target_sources(corvella-core PRIVATE
    ClientWindowSource.h
    DesktopEntryIndex.cpp DesktopEntryIndex.h
    ProcCpuTimes.cpp ProcCpuTimes.h
    ProcFile.cpp ProcFile.h
    ProcMemoryStats.cpp ProcMemoryStats.h
    ProcProcesses.cpp ProcProcesses.h
    ProcessHandle.cpp ProcessHandle.h
)
# The X11 window list reads the display through a connection of its own, so corvella-cli lists
# the same applications as the tab. libxcb is a C library, no widgets. It is opened at run time
# (XcbLibrary), not linked, so that the commands that never read windows do not load it and its
# dependencies: only its headers are used here.
if(TARGET PkgConfig::XCB)
    target_sources(corvella-core PRIVATE
        X11ClientWindows.cpp X11ClientWindows.h
        XcbLibrary.cpp XcbLibrary.h
    )
    target_include_directories(corvella-core PRIVATE
        $<TARGET_PROPERTY:PkgConfig::XCB,INTERFACE_INCLUDE_DIRECTORIES>)
    target_link_libraries(corvella-core PRIVATE ${CMAKE_DL_LIBS})
    target_compile_definitions(corvella-core PRIVATE CORVELLA_HAVE_XCB)
endif()
