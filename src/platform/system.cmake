# Sound volume, brightness, machine facts and opening the desktop's tools.
target_sources(corvella-core PRIVATE
    Backlight.cpp Backlight.h
    DesktopOpener.cpp DesktopOpener.h
    PulseAudioMixer.cpp PulseAudioMixer.h
    PulseLibrary.cpp PulseLibrary.h
)
# libpulse is opened at run time (PulseLibrary), not linked: its twenty-odd dependencies would
# otherwise be loaded at the start of every Corvella process. Only its headers are used here.
target_include_directories(corvella-core PRIVATE ${PULSE_INCLUDE_DIRS})
target_link_libraries(corvella-core PRIVATE ${CMAKE_DL_LIBS})
