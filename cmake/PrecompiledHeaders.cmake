# Qt's and the standard library's headers, parsed once for many files instead of once per file: a
# clean build (CI's case) takes about a third less. A compiler cache gains nothing from them and
# does not cache a file compiled against one, so they are off by default when a compiler launcher
# (ccache) is set. Every file still includes what it uses: builds without them check that.
if(CMAKE_CXX_COMPILER_LAUNCHER)
    set(corvella_pch_default OFF)
else()
    set(corvella_pch_default ON)
endif()
option(CORVELLA_PCH "Precompile the Qt and standard library headers" ${corvella_pch_default})

set(CORVELLA_PCH_CORE
    <algorithm> <functional> <memory> <optional> <vector>
    <QByteArray> <QDir> <QFile> <QFileInfo> <QHash> <QList> <QObject> <QPointer> <QString>
    <QStringList> <QVariant>)
set(CORVELLA_PCH_UI ${CORVELLA_PCH_CORE} <QBoxLayout> <QLabel> <QPainter> <QWidget>)

# Gives `target` the headers of `kind` (CORE or UI) or, with REUSE_FROM, those of another target
# built with the same flags.
function(corvella_precompile target)
    if(NOT CORVELLA_PCH)
        return()
    endif()
    cmake_parse_arguments(PARSE_ARGV 1 ARG "" "KIND;REUSE_FROM" "EXTRA")
    if(ARG_REUSE_FROM)
        target_precompile_headers(${target} REUSE_FROM ${ARG_REUSE_FROM})
    else()
        target_precompile_headers(${target} PRIVATE ${CORVELLA_PCH_${ARG_KIND}} ${ARG_EXTRA})
    endif()
endfunction()
