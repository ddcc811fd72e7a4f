# Installed applications and login items: desktop entries, XDG folders, launching.
target_sources(corvella-core PRIVATE
    ApplicationLauncher.cpp ApplicationLauncher.h
    DetachedProcess.cpp DetachedProcess.h
    TransientScope.cpp TransientScope.h
    DesktopEntry.cpp DesktopEntry.h
    DesktopExec.cpp DesktopExec.h
    XdgBaseFolders.cpp XdgBaseFolders.h
)
