# Sound volume, brightness, machine facts and opening the desktop's tools.
target_sources(corvella-core PRIVATE
    Backlight.cpp Backlight.h
    DesktopOpener.cpp DesktopOpener.h
    PulseAudioMixer.cpp PulseAudioMixer.h
)
target_link_libraries(corvella-core PRIVATE PkgConfig::PULSE)
