# Warnings are errors where the project's own scripts and CI build (they turn CORVELLA_WERROR on);
# a packager's plain build keeps them warnings, so another compiler's false positive cannot stop it.
option(CORVELLA_WERROR "Treat compiler warnings as errors" OFF)
add_compile_options(
    -Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Woverloaded-virtual -Wsuggest-override)
if(CORVELLA_WERROR)
    add_compile_options(-Werror)
endif()
add_compile_definitions(
    QT_NO_KEYWORDS QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CONTEXTLESS_CONNECT
    QT_NO_URL_CAST_FROM_STRING QT_USE_QSTRINGBUILDER
    CORVELLA_VERSION="${PROJECT_VERSION}")

if(CORVELLA_SANITIZE AND CORVELLA_TSAN)
    message(FATAL_ERROR "CORVELLA_SANITIZE and CORVELLA_TSAN cannot be combined")
endif()
if(CORVELLA_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
if(CORVELLA_TSAN)
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
endif()
